#include "game/font_text.h"

#include "core/cp1251.h"
#include "game/list_items.h"
#include "media/surface.h"

namespace quendrix {

namespace {

constexpr int32_t kBlankCell = 30;
constexpr unsigned char kBlockFirst = 32;
constexpr unsigned char kBlockLast = 92;

// Byte -> cell tables of one font map, built once (first occurrence wins).
struct CellTables {
  std::array<int8_t, 256> font{};
  explicit CellTables(std::string_view map) {
    font.fill(kBlankCell);
    for (size_t k = map.size(); k-- > 0;)
      font[static_cast<unsigned char>(map[k])] = static_cast<int8_t>(k);
  }
};

const CellTables& Tables() {
  static const CellTables russian(kFontMap);
  static const CellTables latin(kLatinFontMap);
  return CurrentLanguage() == Language::kRussian ? russian : latin;
}

const std::array<int8_t, 256>& DigitTable() {
  static const std::array<int8_t, 256> digit = [] {
    std::array<int8_t, 256> t{};
    t.fill(-1);
    for (size_t k = kDigitMap.size(); k-- > 0;)
      t[static_cast<unsigned char>(kDigitMap[k])] = static_cast<int8_t>(k);
    return t;
  }();
  return digit;
}

template <typename CellOf>
void DrawCells(TDirectDrawSurface& screen, const TPictureCollectionItem* item,
               std::string_view text, int32_t x, int32_t y, int32_t advance, CellOf cellOf) {
  if (item == nullptr) return;
  int32_t left = x;
  for (const char c : text) {
    left += advance;
    const int32_t cell = cellOf(static_cast<unsigned char>(c));
    if (cell >= 0) item->DrawPattern(screen, left, y, cell);
  }
}

// Codes whose cells show the Russian capitals А ... Я (0xC0 ... 0xDF), in
// that order. Ы and Ю take two cells.
constexpr std::array<std::string_view, 32> kRussianCapitals = {
    "A", "S", "B", "F",  "D", "E", "G",    "3",  // А Б В Г Д Е Ж З
    "N", "N", "K", "V",  "M", "H", "0",    "Y",  // И Й К Л М Н О П
    "P", "C", "T", "J",  "O", "X", "\xD6", "4",  // Р С Т У Ф Х Ц Ч
    "U", "W", "L", "LI", "L", "Z", "I0",   "R",  // Ш Щ Ъ Ы Ь Э Ю Я
};

// Latin spellings of the Russian capitals А ... Я, in that order.
constexpr std::array<std::string_view, 32> kRussianInLatin = {
    "A",  "B",    "V", "G", "D", "E",  "ZH", "Z",   // А Б В Г Д Е Ж З
    "I",  "Y",    "K", "L", "M", "N",  "O",  "P",   // И Й К Л М Н О П
    "R",  "S",    "T", "U", "F", "KH", "TS", "CH",  // Р С Т У Ф Х Ц Ч
    "SH", "SHCH", "",  "Y", "",  "E",  "YU", "YA",  // Ш Щ Ъ Ы Ь Э Ю Я
};

// The spelling of a cp1251 byte once upper-cased: a Russian capital by
// `capitals`, Ё and І by their look-alikes, the rest as it stands (or, for
// a font of ASCII letters only, a blank for what it cannot show).
std::string_view Spelling(unsigned char c, std::array<char, 2>& scratch,
                          const std::array<std::string_view, 32>& capitals, bool asciiOnly) {
  const auto upper = static_cast<unsigned char>(Cp1251Upper(static_cast<char>(c)));
  if (upper >= 0xC0) return capitals[upper - 0xC0u];
  switch (upper) {
    case 0xA8:  // Ё
      return "E";
    case 0xB2:  // І
    case 0xB3:  // і
      return "I";
    default:
      break;
  }
  scratch[0] = asciiOnly && upper >= 0x80 ? ' ' : static_cast<char>(upper);
  return {scratch.data(), 1};
}

}  // namespace

int32_t FontCell(unsigned char c) {
  return Tables().font[c];
}

int32_t DigitCell(unsigned char c) {
  return DigitTable()[c];
}

int32_t BlockCell(unsigned char c) {
  if (c >= kBlockFirst && c <= kBlockLast) return c - kBlockFirst;
  if (CurrentLanguage() == Language::kRussian) return 0;
  const size_t extra = kLatinBannerExtra.find(static_cast<char>(c));
  return extra == std::string_view::npos
             ? 0
             : kBlockLast - kBlockFirst + 1 + static_cast<int32_t>(extra);
}

std::string_view FontMapOf(Language language) {
  return language == Language::kRussian ? kFontMap : kLatinFontMap;
}

void DrawText(TDirectDrawSurface& screen, const TDXImageList& gui, std::string_view text, int32_t x,
              int32_t y) {
  const TPictureCollectionItem* item = ImageItem(gui, GuiImage::kFont);
  if (item == nullptr) return;
  DrawCells(screen, item, text, x, y, item->PatternWidth(), FontCell);
}

void DrawDigits(TDirectDrawSurface& screen, const TDXImageList& gui, std::string_view text,
                int32_t x, int32_t y) {
  const TPictureCollectionItem* item = ImageItem(gui, GuiImage::kDigits);
  if (item == nullptr) return;
  DrawCells(screen, item, text, x, y, item->PatternWidth() + 1, DigitCell);
}

void DrawMenuText(TDirectDrawSurface& screen, const TDXImageList& menu, std::string_view text,
                  int32_t x, int32_t y) {
  const TPictureCollectionItem* item = ImageItem(menu, MenuImage::kScoreFont);
  if (item == nullptr) return;
  DrawCells(screen, item, text, x, y, item->PatternWidth(), FontCell);
}

void DrawBlockText(TDirectDrawSurface& screen, const TDXImageList& menu, std::string_view text,
                   int32_t x, int32_t y, int32_t strength) {
  const TPictureCollectionItem* item = ImageItem(menu, MenuImage::kBannerFont);
  if (item == nullptr) return;
  const int32_t w = item->PatternWidth();
  const int32_t h = item->PatternHeight();
  int32_t left = x;
  for (const char c : text) {
    left += w;
    item->DrawPatternAdd(screen, Bounds(left, y, w, h), BlockCell(static_cast<unsigned char>(c)),
                         strength);
  }
}

std::string_view FontSpelling(unsigned char c, std::array<char, 2>& scratch) {
  return Spelling(c, scratch, kRussianCapitals, false);
}

std::string_view LatinSpelling(unsigned char c, std::array<char, 2>& scratch) {
  return Spelling(c, scratch, kRussianInLatin, true);
}

void AppendFontName(std::string& out, std::string_view name, size_t maxChars) {
  std::array<char, 2> scratch{};
  const size_t n = name.size() < maxChars ? name.size() : maxChars;
  const bool russian = CurrentLanguage() == Language::kRussian;
  for (size_t i = 0; i < n; ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    out += russian ? FontSpelling(c, scratch) : LatinSpelling(c, scratch);
  }
}

void AppendNumber(std::string& out, int32_t value) {
  std::array<char, 12> digits{};
  size_t count = 0;
  // Work on the magnitude as unsigned so that INT32_MIN cannot overflow.
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) out += '-';
  while (count > 0) out += digits[--count];
}

}  // namespace quendrix
