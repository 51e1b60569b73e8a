// Small but complete data sets for the play screen, written through the
// project's list-file writer: interface and menu pictures, effect sounds and
// holes with pictures whose colours tell the tests what was drawn where.
// Every colour keeps its value when narrowed to RGB565.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "media/color.h"
#include "media/surface.h"

namespace quendrix::playdata {

inline constexpr TColor kKey = clFuchsia;  // colour key of every picture here
inline constexpr TColor kPointerColour = MakeColor(248, 248, 248);
inline constexpr TColor kLoadingColour = MakeColor(200, 40, 200);
inline constexpr TColor kPullHelpColour = MakeColor(40, 200, 200);
inline constexpr TColor kPushHelpColour = MakeColor(200, 200, 40);
inline constexpr TColor kScoreCardColour = MakeColor(120, 40, 200);
inline constexpr TColor kCourseColour = MakeColor(40, 160, 48);
inline constexpr TColor kOverlayColour = MakeColor(160, 96, 32);
inline constexpr TColor kCupCoverColour = MakeColor(24, 24, 24);
inline constexpr TColor kPipeCoverColour = MakeColor(96, 96, 128);
inline constexpr TColor kTitleColour = MakeColor(200, 120, 40);
inline constexpr TColor kPutterColour = MakeColor(216, 216, 224);
inline constexpr TColor kGaugeColour = MakeColor(248, 40, 40);
inline constexpr TColor kShadowColour = MakeColor(0, 0, 0);
inline constexpr TColor kHighlightColour = MakeColor(248, 248, 0);

// A colour as the surface stores it.
inline uint16_t Raw(TColor colour) {
  return TDirectDrawSurface::ToRgb565(colour);
}

// Texel t of player p's ball texture: red = 8 (t mod 16), green = 16 (t div
// 16), blue = 48 p, so a drawn pixel names its texel and its owner.
TColor TexelColour(int32_t player, int32_t t);
// The texel a surface pixel made from TexelColour stands for; -1 for any other.
int32_t TexelOf(uint16_t raw, int32_t player);

// gui.dxg, menu.dxg and sound.dxw in `dir`.
void WriteInterfaceData(const std::filesystem::path& dir);

struct HoleArt {
  int32_t width = 1200;  // course picture, pixels
  int32_t height = 900;
  // Overlay cells (column, row) of 24 px drawn solid; the rest is clear.
  std::vector<std::pair<int32_t, int32_t>> overlayCells;
};

// name.hole (the text), name.dxg and name.dxw in `dir`.
void WriteHole(const std::filesystem::path& dir, const std::string& name, std::string_view holeText,
               const HoleArt& art = {});

// A folder under the temporary directory, removed at the end.
class DataDir {
 public:
  DataDir();
  ~DataDir();
  DataDir(const DataDir&) = delete;
  DataDir& operator=(const DataDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace quendrix::playdata
