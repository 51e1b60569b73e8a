// Recipes of the interface pictures: the skin pictures (drawn from a
// SkinStyle) and the skin-independent ones (putter, ball pictures).
#pragma once

#include <vector>

#include "fonts.h"
#include "items.h"
#include "style.h"
#include "words.h"

namespace quendrix::assetgen {

// The HUD font strip of a skin: 67 cells of kFontCellW x kFontCellH, in the
// letters of `language`.
Picture HudFont(const SkinStyle& style, const PixelFont& pixels,
                Language language = Language::kRussian);
// Writes a stored text with a font strip of `language` onto a picture, the
// first letter's cell at (x, y); black cells leave the picture as it is.
void StampText(Picture& onto, const Picture& strip, std::string_view stored, int x, int y,
               Language language = Language::kRussian);

Picture Pointer(const SkinStyle& style);
// The panel and the push sign carry words in the font's letters.
Picture Panel(const SkinStyle& style, const Picture& font, const Words& tr = {});
Picture CompactPanel(const SkinStyle& style, const Picture& font);
Picture PressedButtons(const SkinStyle& style);
Picture PushSign(const SkinStyle& style, const Picture& font, const Words& tr = {});
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

// The skin bitmaps of one skin, with their file names; for a language other
// than Russian only those with letters (font, panel, push sign), in its
// folder ("en/skins/sunset/font.bmp").
std::vector<BitmapFile> SkinBitmaps(const SkinStyle& style, const PixelFont& pixels,
                                    const Words& tr = {});

}  // namespace quendrix::assetgen
