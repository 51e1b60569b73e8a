// Text in play is drawn from pictures: fixed-size glyph cells cut from an
// item of an image list. Texts are single-byte strings whose bytes select
// cells through the language's font map. In Russian the Latin letters
// select cells that show Russian-looking letters ("Y0KA3" reads ПОКАЗ); in
// English and German the cells show the cp1252 letters their bytes are. A
// text is drawn exactly as stored; only player names pass through
// FontSpelling first.
//
// Every drawer puts character k (k from 1) with its top-left corner at
// (x + k * advance, y): the first character stands one advance right of x.
// Callers that centre a text count on that.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/language.h"

namespace quendrix {

class TDirectDrawSurface;
class TDXImageList;

// Cell order of the Russian HUD and menu fonts; a byte's cell is its first
// position here, so the second '=' (cell 59) is never selected.
inline constexpr std::string_view kFontMap{
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ\"at  0123456789<>=()-`!_+\\/{}^&%.=$#\xC5\xD6\xC4?*", 67};
// The same cells in English and German, each showing its own cp1252
// letter: cells 62 ... 64 hold Ü, Ö, Ä.
inline constexpr std::string_view kLatinFontMap{
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ\"at  0123456789<>=()-`!_+\\/{}^&%.=$#\xDC\xD6\xC4?*", 67};
// The banner font holds the codes 32 ... 92 in code order; in English and
// German its cells 61 ... 63 add these letters.
inline constexpr std::string_view kLatinBannerExtra{"\xC4\xD6\xDC"};

// The font map of a language.
std::string_view FontMapOf(Language language);
// Cells of the digits picture: the digits, 'o' (the sign before a score of
// zero or more) and the minus sign.
inline constexpr std::string_view kDigitMap{"0123456789o-"};

// Cell of a byte in the current language's font map; 30 (a blank) for a
// byte not in it.
int32_t FontCell(unsigned char c);
// Cell of a byte in kDigitMap; -1 (nothing drawn, the position still
// advances) for a byte not in it.
int32_t DigitCell(unsigned char c);
// Banner cell: code - 32 for codes 32 ... 92, a letter of the language's
// extra cells after them, else 0.
int32_t BlockCell(unsigned char c);

// The HUD font (gui 7), advance = pattern width, colour-keyed.
void DrawText(TDirectDrawSurface& screen, const TDXImageList& gui, std::string_view text, int32_t x,
              int32_t y);
// The HUD digits (gui 8), advance = pattern width + 1, colour-keyed.
void DrawDigits(TDirectDrawSurface& screen, const TDXImageList& gui, std::string_view text,
                int32_t x, int32_t y);
// The score-card font (menu 5), advance = pattern width, colour-keyed.
void DrawMenuText(TDirectDrawSurface& screen, const TDXImageList& menu, std::string_view text,
                  int32_t x, int32_t y);
// The banner font (menu 0), advance = pattern width, each glyph added into a
// rectangle of the pattern size with `strength` 0 ... 255.
void DrawBlockText(TDirectDrawSurface& screen, const TDXImageList& menu, std::string_view text,
                   int32_t x, int32_t y, int32_t strength);

// A player name (cp1251) as the current language's fonts can show it: upper
// case (Latin and Cyrillic), then in Russian every Russian letter replaced
// by the code whose cell shows it (И -> N, Г -> F, Ы -> "LI", Ц -> 0xD6
// ...), in English and German spelt in Latin letters (Ж -> ZH, Ы -> Y, and
// a byte the font has no letter for a blank). Latin names come out
// upper-cased and otherwise unchanged. Only the first `maxChars` characters of `name` are
// taken (counted before the replacement, which can lengthen Ы and Ю).
// Appends to `out` (callers reserve room, so a frame does not allocate).
void AppendFontName(std::string& out, std::string_view name, size_t maxChars);
// The code, or pair of codes, whose cells show the cp1251 byte `c` once
// upper-cased; `c` itself upper-cased when it needs no replacement.
std::string_view FontSpelling(unsigned char c, std::array<char, 2>& scratch);
// The same for the English and German fonts: up to four Latin letters.
std::string_view LatinSpelling(unsigned char c, std::array<char, 2>& scratch);

// Decimal digits of `value` with a leading '-' when negative.
void AppendNumber(std::string& out, int32_t value);

}  // namespace quendrix
