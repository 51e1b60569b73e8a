// The bitmap fonts of the game. Russian texts in play are stored as
// Latin-letter strings whose letters stand for Russian ones ("Y0KA3" reads
// ПОКАЗ), so every cell of a Russian font shows the letter its code stands
// for, not the Latin letter. English and German fonts show each code's own
// cp1252 letter.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/language.h"
#include "draw.h"
#include "image.h"

namespace quendrix::assetgen {

// The 67 cells of the HUD and menu fonts of a language, in cell order: the
// byte at position k selects cell k (first occurrence wins, so the second
// '=' at 59 is never selected). The game's own maps (game/font_text.h).
std::string_view FontMapCells(Language language = Language::kRussian);
inline constexpr int kFontCells = 67;
// The 12 cells of the digits picture: digits, the sign shown before a score
// of zero or more ('o'), the minus sign.
inline constexpr std::string_view kDigitCells = "0123456789o-";
// The banner font holds the codes 32 ... 92 in code order, and in English
// and German after them the game's extra letters (kLatinBannerExtra).
inline constexpr int kBannerFirst = 32;
inline constexpr int kBannerLast = 92;
std::string BannerCodes(Language language = Language::kRussian);

// The character (Unicode) a cell selected by byte `code` shows: A А, B В,
// C С, D Д, E Е, F Г, G Ж, H Н, I І (so "LI" reads Ы), J У, K К, L Ь, M М,
// N И, O Ф, P Р, Q Ц, R Я, S Б, T Т, U Ш, V Л, W Щ, X Х, Y П, Z Э, 0 О, 3 З,
// 4 Ч, the bytes 0xC5 Е, 0xD6 Ц, 0xC4 Д, a а, t т; everything else itself.
char32_t ShownLetter(unsigned char code);
// The letter a cell shows in `language`: ShownLetter for Russian, the code's
// cp1252 letter for the others.
char32_t ShownLetter(unsigned char code, Language language);
std::string Utf8(char32_t c);
// What a stored text reads as, e.g. "CVNUK0M" -> "СЛИШКОМ" (UTF-8).
std::string ReadsAs(std::string_view stored);

// Hand-drawn pixel glyphs: rows of '#' and '.', 5 wide. A Latin letter
// the file does not draw takes the Cyrillic letter of the same shape (A of
// А, B of В, ...).
struct PixelFont {
  std::map<char32_t, std::vector<std::string>> glyphs;
  const std::vector<std::string>* Find(char32_t c) const;
};
PixelFont LoadPixelFont(const std::string& path);

// Colours of a pixel font: ink shaded from top to bottom, a one-pixel shadow
// to the lower right.
struct PixelLook {
  Rgb inkTop{255, 255, 255};
  Rgb inkBottom{255, 255, 255};
  Rgb shadow{8, 12, 28};
  bool drawShadow = true;
  Language language = Language::kRussian;  // which letters the cells show
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
  bool premultiplied = false;              // for fonts drawn with an additive blend
  bool narrowToFit = true;                 // squeeze glyphs wider than the cell
  Language language = Language::kRussian;  // which letters the cells show
};
Picture OutlineFontStrip(std::string_view codes, int cellW, int cellH, const OutlineLook& look);

// Lays out `stored` with a strip the way the game does (cell of each byte by
// `cellOf`, fixed advance) onto a new picture, for previews and tests.
Picture SetText(const Picture& strip, int cellW, int cellH, int advance, std::string_view stored,
                int (*cellOf)(unsigned char));
int FontMapCell(unsigned char code);  // -> 30 (blank) when absent
int FontMapCell(unsigned char code, Language language);
int DigitCell(unsigned char code);   // -> -1 when absent
int BannerCell(unsigned char code);  // -> 0 outside 32 ... 92

}  // namespace quendrix::assetgen
