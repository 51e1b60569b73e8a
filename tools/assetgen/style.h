// One look for the whole interface: the palette of a skin and the geometry
// the game's HUD code assumes. gui.dxg carries the default skin; each folder
// under skins/ redraws the skin bitmaps from another SkinStyle with the same
// recipes, so a skin can only change colours and letter shapes, never the
// pattern sizes the game cuts the pictures with.
#pragma once

#include <string>

#include "fonts.h"
#include "image.h"

namespace quendrix::assetgen {

struct SkinStyle {
  std::string folder;         // under skins/; empty for the built-in skin
  std::string title;          // shown in previews
  Rgb bodyTop, bodyBottom;    // panel body gradient
  Rgb rim;                    // light inner rim line
  Rgb edge;                   // dark outer edge, keeps the panel apart from any course
  Rgb stripTop, stripBottom;  // title strip
  Rgb field, fieldEdge;       // inset fields under the texts
  Rgb caption;                // small captions drawn into the panel
  Rgb accent;                 // digits, highlights
  Rgb buttonTop, buttonBottom, buttonEdge, icon;
  Rgb pull, push;  // putt-style badges
  Rgb pointerFill, pointerEdge;
  Rgb target;  // additive glow colour of the target marker
  Rgb gaugeLow, gaugeMid, gaugeHigh;
  // The HUD font: pixel letters, or letters from a DejaVu face.
  bool pixelFont = true;
  PixelLook pixel;
  OutlineLook outline;
  Rgb digitTop, digitBottom, digitEdge;
};

const SkinStyle& BuiltInSkin();
const SkinStyle& SunsetSkin();
const SkinStyle& MeadowSkin();

// Cell sizes and geometry the HUD code relies on.
inline constexpr int kFontCellW = 6;  // name labels are centred with 6 px a letter
inline constexpr int kFontCellH = 10;
inline constexpr int kDigitCellW = 8;  // advance is 9: cell + 1
inline constexpr int kDigitCellH = 13;
inline constexpr int kMenuFontW = 8;  // score-card columns step 8 for a second digit
inline constexpr int kMenuFontH = 12;
inline constexpr int kBannerCellW = 23;  // the banner is centred with 23 px a letter
inline constexpr int kBannerCellH = 34;
inline constexpr int kPanelW = 292, kPanelH = 104;  // drawn at (4, 4)
inline constexpr int kCompactW = 278, kCompactH = 20;
inline constexpr int kButtonSize = 22;                 // pressed pictures at (17 + 22k, 76)
inline constexpr int kSignW = 40, kSignH = 16;         // push-putt sign at (193, 49)
inline constexpr int kNameBoxW = 116, kNameBoxH = 24;  // at (ball x - 52, ball y - 40)
inline constexpr int kGaugeW = 96, kGaugeH = 52;       // at (target x - 47, target y - 56)
inline constexpr int kGaugeSteps = 30;                 // patterns 0 ... 30 for power 0 ... 90
inline constexpr int kTargetW = 32, kTargetH = 26;     // at (target x - 16, target y - 13)
inline constexpr int kTargetFrames = 10;
inline constexpr int kPutterW = 96, kPutterH = 142;  // head at (47, 125)
inline constexpr int kPutterDirections = 32;
inline constexpr int kBallSize = 16;

}  // namespace quendrix::assetgen
