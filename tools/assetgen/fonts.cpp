#include "fonts.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <utility>

#include "core/cp1251.h"
#include "game/font_text.h"

namespace quendrix::assetgen {
namespace {

static_assert(kFontMap.size() == kFontCells && kLatinFontMap.size() == kFontCells);

// Latin letters and digits drawn like the Cyrillic letters of the same
// shape, when the pixel font has no glyph of their own (the Russian font's
// 0, 3 and 4 are its О, З and Ч too).
constexpr std::pair<char32_t, char32_t> kLookAlikes[] = {
    {U'A', U'А'}, {U'B', U'В'}, {U'C', U'С'}, {U'E', U'Е'}, {U'H', U'Н'},
    {U'K', U'К'}, {U'M', U'М'}, {U'O', U'О'}, {U'P', U'Р'}, {U'T', U'Т'},
    {U'X', U'Х'}, {U'a', U'а'}, {U'0', U'О'}, {U'3', U'З'}, {U'4', U'Ч'},
};

// Decodes one UTF-8 character at s[i], advancing i.
char32_t DecodeUtf8(std::string_view s, size_t& i) {
  unsigned char c = static_cast<unsigned char>(s[i++]);
  if (c < 0x80) return c;
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
  char32_t v = c & (0x3F >> extra);
  for (int k = 0; k < extra && i < s.size(); ++k)
    v = (v << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
  return v;
}

// The cell of '4' shows Ч drawn square, like an open-topped 4, so that it
// reads right both in "C4ET" (СЧЕТ) and in a score of 4.
void OpenFour(cairo_t* cr, double x0, int cellW, const OutlineLook& look) {
  double size = look.text.size;
  double cap = size * 0.76, w = std::min(cellW - 2.0 - look.text.outline, size * 0.6);
  double stroke = std::max(1.2, size * (look.text.face == Face::kSans ? 0.09 : 0.15));
  double left = x0 + (cellW - 1 - w) / 2.0 + stroke / 2, right = left + w - stroke;
  double top = look.baseline - cap, bar = look.baseline - cap * 0.36;
  // The code stands for Ч in words but mostly shows scores, so the glyph is
  // a four first: a leaning stroke down to the bar, the bar running past a
  // stem set in from the right. Its open top still lets "C4ET" read СЧЕТ.
  double stem = left + (right - left) * 0.72;
  cairo_new_path(cr);
  cairo_move_to(cr, left + (right - left) * 0.32, top);
  cairo_line_to(cr, left, bar);
  cairo_line_to(cr, right, bar);
  cairo_move_to(cr, stem, top);
  cairo_line_to(cr, stem, look.baseline);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  if (look.text.outline > 0) {
    SetColour(cr, look.text.outlineColour);
    cairo_set_line_width(cr, stroke + look.text.outline);
    cairo_stroke_preserve(cr);
  }
  SetColour(cr, look.text.colour);
  cairo_set_line_width(cr, stroke);
  cairo_stroke(cr);
}

}  // namespace

std::string_view FontMapCells(Language language) {
  return FontMapOf(language);
}

std::string BannerCodes(Language language) {
  std::string codes;
  for (int k = kBannerFirst; k <= kBannerLast; ++k) codes += static_cast<char>(k);
  if (language != Language::kRussian) codes += kLatinBannerExtra;
  return codes;
}

const std::vector<std::string>* PixelFont::Find(char32_t c) const {
  auto it = glyphs.find(c);
  if (it != glyphs.end()) return &it->second;
  for (const auto& [latin, cyrillic] : kLookAlikes) {
    if (latin != c) continue;
    it = glyphs.find(cyrillic);
    if (it != glyphs.end()) return &it->second;
  }
  return nullptr;
}

char32_t ShownLetter(unsigned char code, Language language) {
  if (language == Language::kRussian) return ShownLetter(code);
  const char byte = static_cast<char>(code);
  const std::string utf8 = Cp1252ToUtf8(std::string_view(&byte, 1));
  size_t i = 0;
  return DecodeUtf8(utf8, i);
}

char32_t ShownLetter(unsigned char code) {
  static const char32_t kLetters[26] = {U'А', U'В', U'С', U'Д', U'Е', U'Г', U'Ж', U'Н', U'І',
                                        U'У', U'К', U'Ь', U'М', U'И', U'Ф', U'Р', U'Ц', U'Я',
                                        U'Б', U'Т', U'Ш', U'Л', U'Щ', U'Х', U'П', U'Э'};
  if (code >= 'A' && code <= 'Z') return kLetters[code - 'A'];
  switch (code) {
    case '0':
      return U'О';
    case '3':
      return U'З';
    case '4':
      return U'Ч';
    case 0xC5:
      return U'Е';
    case 0xD6:
      return U'Ц';
    case 0xC4:
      return U'Д';
    case 'a':
      return U'а';
    case 't':
      return U'т';
    default:
      return code;
  }
}

std::string Utf8(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

std::string ReadsAs(std::string_view stored) {
  std::string out;
  for (char c : stored) out += Utf8(ShownLetter(static_cast<unsigned char>(c)));
  return out;
}

PixelFont LoadPixelFont(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  PixelFont font;
  std::string line;
  std::vector<std::string>* current = nullptr;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (line.empty() || (line[0] == '#' && line.size() != 5)) continue;
    if (line.size() >= 3 && line[0] == '=' && line[1] == ' ') {
      size_t i = 2;
      char32_t c = DecodeUtf8(line, i);
      current = &font.glyphs[c];
      current->clear();
      continue;
    }
    if (!current || line.size() != 5 || line.find_first_not_of(".#") != std::string::npos)
      throw std::runtime_error(path + ":" + std::to_string(lineNo) + ": bad glyph row");
    current->push_back(line);
  }
  return font;
}

Picture PixelFontStrip(const PixelFont& font, std::string_view codes, int cellW, int cellH,
                       const PixelLook& look) {
  Picture out(cellW * static_cast<int>(codes.size()), cellH, kBlack);
  Rgb shadow = Narrow565(look.shadow);
  if (shadow == kBlack) shadow = NextToKey(kBlack);
  for (size_t k = 0; k < codes.size(); ++k) {
    const std::vector<std::string>* glyph =
        font.Find(ShownLetter(static_cast<unsigned char>(codes[k]), look.language));
    if (glyph == nullptr) continue;
    const auto& rows = *glyph;
    int x0 = static_cast<int>(k) * cellW;
    auto ink = [&](int col, int row) {
      return row >= 0 && row < static_cast<int>(rows.size()) && col >= 0 && col < 5 &&
             rows[row][col] == '#';
    };
    for (int row = 0; row < cellH; ++row)
      for (int col = 0; col < cellW; ++col) {
        if (ink(col, row)) {
          double t = rows.size() > 1 ? row / 6.0 : 0;
          Rgb c = Narrow565(Mix(look.inkTop, look.inkBottom, std::min(1.0, t)));
          if (c == kBlack) c = NextToKey(kBlack);
          out.Set(x0 + col, row, c);
        } else if (look.drawShadow && ink(col - 1, row - 1)) {
          out.Set(x0 + col, row, shadow);
        }
      }
  }
  return out;
}

Picture OutlineFontStrip(std::string_view codes, int cellW, int cellH, const OutlineLook& look) {
  int n = static_cast<int>(codes.size());
  Canvas canvas(cellW * n, cellH);
  cairo_t* cr = canvas.Cr();
  for (int k = 0; k < n; ++k) {
    std::string text = Utf8(ShownLetter(static_cast<unsigned char>(codes[k]), look.language));
    if (text == " ") continue;
    // The Russian font's own shapes: its 4 is a square Ч, its Ь and І join
    // into Ы.
    const bool russian = look.language == Language::kRussian;
    unsigned char code = russian ? static_cast<unsigned char>(codes[k]) : 0;
    cairo_save(cr);
    cairo_rectangle(cr, k * cellW, 0, cellW, cellH);
    cairo_clip(cr);
    if (code == '4') {
      OpenFour(cr, k * cellW, cellW, look);
      cairo_restore(cr);
      continue;
    }
    double ix, iy, iw, ih;
    TextInk(text, look.text.face, look.text.size, ix, iy, iw, ih);
    double room = cellW - 1 - look.text.outline;
    double sx = (look.narrowToFit && iw > room) ? room / iw : 1.0;
    // Ink centred in the cell; Ь pushed right and І left so "LI" joins
    // into Ы.
    double left = (cellW - 1 - iw * sx) / 2.0;
    double pad = look.text.outline / 2 + 0.5;
    if (code == 'L') left = cellW - 1 - pad - iw * sx;
    if (code == 'I') left = pad;
    // Ink that would hang out of the cell (a low underscore) moves up.
    double overflow = look.baseline + iy + ih + look.text.outline / 2 - (cellH - 0.5);
    double baseline = look.baseline - std::max(0.0, overflow);
    cairo_translate(cr, k * cellW + left + look.xOffset, 0);
    cairo_scale(cr, sx, 1.0);
    DrawText(cr, text, -ix, baseline, look.text, Align::kLeft);
    cairo_restore(cr);
  }
  FlattenOptions options;
  options.matte = look.matte;
  options.premultiplied = look.premultiplied;
  options.threshold = 96;
  return Flatten(canvas, options);
}

int FontMapCell(unsigned char code) {
  return FontMapCell(code, Language::kRussian);
}

int FontMapCell(unsigned char code, Language language) {
  auto cells = FontMapCells(language);
  size_t p = cells.find(static_cast<char>(code));
  return p == std::string_view::npos ? 30 : static_cast<int>(p);
}

int DigitCell(unsigned char code) {
  size_t p = kDigitCells.find(static_cast<char>(code));
  return p == std::string_view::npos ? -1 : static_cast<int>(p);
}

int BannerCell(unsigned char code) {
  return (code < kBannerFirst || code > kBannerLast) ? 0 : code - kBannerFirst;
}

Picture SetText(const Picture& strip, int cellW, int cellH, int advance, std::string_view stored,
                int (*cellOf)(unsigned char)) {
  int n = static_cast<int>(stored.size());
  Picture out(advance * (n + 1) + cellW, cellH, kBlack);
  for (int k = 1; k <= n; ++k) {
    int cell = cellOf(static_cast<unsigned char>(stored[k - 1]));
    if (cell < 0 || (cell + 1) * cellW > strip.Width()) continue;
    Picture glyph = strip.Crop(cell * cellW, 0, cellW, cellH);
    // Colour-keyed like the game: black pixels leave what is under them.
    for (int y = 0; y < cellH; ++y)
      for (int x = 0; x < cellW; ++x)
        if (!(glyph.At(x, y) == kBlack)) out.Set(k * advance + x, y, glyph.At(x, y));
  }
  return out;
}

}  // namespace quendrix::assetgen
