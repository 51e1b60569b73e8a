// Recipes of the interface pictures: the skin pictures (drawn from a
// SkinStyle) and the skin-independent ones (putter, ball pictures).
#pragma once

#include <vector>

#include "fonts.h"
#include "items.h"
#include "style.h"

namespace quendrix::assetgen {

// The HUD font strip of a skin: 67 cells of kFontCellW x kFontCellH.
Picture HudFont(const SkinStyle& style, const PixelFont& pixels);
// Writes a stored (Latin-coded) text with a font strip onto a picture, the
// first letter's cell at (x, y); black cells leave the picture as it is.
void StampText(Picture& onto, const Picture& strip, std::string_view stored, int x, int y);

Picture Pointer(const SkinStyle& style);
Picture Panel(const SkinStyle& style, const Picture& font);
Picture CompactPanel(const SkinStyle& style, const Picture& font);
Picture PressedButtons(const SkinStyle& style);
Picture PushSign(const SkinStyle& style, const Picture& font);
Picture Gauge(const SkinStyle& style);
Picture Target(const SkinStyle& style);
Picture Digits(const SkinStyle& style);
Picture NameBox(const SkinStyle& style);

// 32 directions, pattern k shows the putter aimed along 128 - 8k binary
// angle steps (the game picks ((128 - direction) and 255) div 8).
Picture Putter();
Picture PutterShadow();

Picture BallShading();
Picture HighlightRing();
Picture BallShadow();

// The skin bitmaps of one skin, with their file names.
std::vector<BitmapFile> SkinBitmaps(const SkinStyle& style, const PixelFont& pixels);

}  // namespace quendrix::assetgen
