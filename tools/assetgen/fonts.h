// The bitmap fonts of the game. Texts in play are stored as Latin-letter
// strings whose letters stand for Russian ones ("Y0KA3" reads ПОКАЗ), so every
// font cell shows the letter its code stands for, not the Latin letter.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "draw.h"
#include "image.h"

namespace quendrix::assetgen {

// The 67 cells of the HUD and menu fonts, in cell order: the byte at
// position k selects cell k (first occurrence wins, so the second '=' at 59
// is never selected).
std::string_view FontMapCells();
inline constexpr int kFontCells = 67;
// The 12 cells of the digits picture: digits, the sign shown before a score
// of zero or more ('o'), the minus sign.
inline constexpr std::string_view kDigitCells = "0123456789o-";
// The banner font holds the codes 32 ... 92 in code order.
inline constexpr int kBannerFirst = 32;
inline constexpr int kBannerLast = 92;

// The character (Unicode) a cell selected by byte `code` shows: A А, B В,
// C С, D Д, E Е, F Г, G Ж, H Н, I І (so "LI" reads Ы), J У, K К, L Ь, M М,
// N И, O Ф, P Р, Q Ц, R Я, S Б, T Т, U Ш, V Л, W Щ, X Х, Y П, Z Э, 0 О, 3 З,
// 4 Ч, the bytes 0xC5 Е, 0xD6 Ц, 0xC4 Д, a а, t т; everything else itself.
char32_t ShownLetter(unsigned char code);
std::string Utf8(char32_t c);
// What a stored text reads as, e.g. "CVNUK0M" -> "СЛИШКОМ" (UTF-8).
std::string ReadsAs(std::string_view stored);

// Hand-drawn pixel glyphs: rows of '#' and '.', 5 wide.
struct PixelFont {
  std::map<char32_t, std::vector<std::string>> glyphs;
};
PixelFont LoadPixelFont(const std::string& path);

// Colours of a pixel font: ink shaded from top to bottom, a one-pixel shadow
// to the lower right.
struct PixelLook {
  Rgb inkTop{255, 255, 255};
  Rgb inkBottom{255, 255, 255};
  Rgb shadow{8, 12, 28};
  bool drawShadow = true;
};

// A strip of cells, one per byte of `codes`, each cellW x cellH; the key is
// black. Codes without a glyph stay blank.
Picture PixelFontStrip(const PixelFont& font, std::string_view codes, int cellW, int cellH,
                       const PixelLook& look);

// A strip of cells drawn from a DejaVu face, anti-aliased edges composited
// over `matte` (the colour the text will mostly stand on), key black.
struct OutlineLook {
  TextStyle text;
  double baseline = 10;  // y of the baseline inside a cell
  double xOffset = 0;    // extra shift of each glyph inside its cell
  Rgb matte = kBlack;
  bool premultiplied = false;  // for fonts drawn with an additive blend
  bool narrowToFit = true;     // squeeze glyphs wider than the cell
};
Picture OutlineFontStrip(std::string_view codes, int cellW, int cellH, const OutlineLook& look);

// Lays out `stored` with a strip the way the game does (cell of each byte by
// `cellOf`, fixed advance) onto a new picture, for previews and tests.
Picture SetText(const Picture& strip, int cellW, int cellH, int advance, std::string_view stored,
                int (*cellOf)(unsigned char));
int FontMapCell(unsigned char code);  // -> 30 (blank) when absent
int DigitCell(unsigned char code);    // -> -1 when absent
int BannerCell(unsigned char code);   // -> 0 outside 32 ... 92

}  // namespace quendrix::assetgen
