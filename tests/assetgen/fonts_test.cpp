// The font pictures follow the game's glyph maps: every letter the stored
// texts use has a visible cell of its own, blanks are blank, and codes that
// stand for the same Russian letter show the same cell.
#include <gtest/gtest.h>

#include <filesystem>
#include <string_view>

#include "data_test_util.h"
#include "media/bitmap.h"
#include "media/list_file.h"

namespace quendrix::testing {
namespace {

// Cells of the 67-character map (first occurrence): A-Z 0-25, '"' 26,
// a 27, t 28, blanks 29-30, digits 31-40, '=' 43 and again 59, the bytes
// 0xC5 0xD6 0xC4 at 62-64.
int Cell(unsigned char c) {
  static constexpr std::string_view kMap =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZ\"at  0123456789<>=()-`!_+\\/{}^&%.=$#\xC5\xD6\xC4?*";
  return static_cast<int>(kMap.find(static_cast<char>(c)));
}

void ExpectFontMapStrip(const Bitmap& strip, int w, int h) {
  ASSERT_EQ(strip.Width(), 67 * w);
  for (int k = 0; k < 67; ++k) {
    if (k == 29 || k == 30) {
      EXPECT_TRUE(CellBlank(strip, k, w, h, clBlack)) << "blank cell " << k;
    } else {
      EXPECT_FALSE(CellBlank(strip, k, w, h, clBlack)) << "empty cell " << k;
    }
  }
  // Letters of the stored texts differ from each other.
  const std::string_view sample = "ABCDEFGHIJKLMNOPRSTUVXY0134";
  for (size_t i = 0; i < sample.size(); ++i)
    for (size_t j = i + 1; j < sample.size(); ++j)
      EXPECT_FALSE(CellsEqual(strip, Cell(sample[i]), Cell(sample[j]), w, h))
          << sample[i] << " and " << sample[j] << " look the same";
  // Codes standing for one letter: D and 0xC4 are Д, E and 0xC5 are Е,
  // Q and 0xD6 are Ц.
  EXPECT_TRUE(CellsEqual(strip, Cell('D'), Cell(0xC4), w, h));
  EXPECT_TRUE(CellsEqual(strip, Cell('E'), Cell(0xC5), w, h));
  EXPECT_TRUE(CellsEqual(strip, Cell('Q'), Cell(0xD6), w, h));
  EXPECT_TRUE(CellsEqual(strip, 43, 59, w, h));
}

TEST(Fonts, HudFontFollowsTheFontMap) {
  std::vector<PictureItemData> gui;
  LoadImageListFile(DataPath("gui.dxg"), gui);
  ASSERT_EQ(gui.size(), 19u);
  ExpectFontMapStrip(gui[7].picture, 6, 10);
}

TEST(Fonts, EverySkinFontFollowsTheFontMap) {
  for (const auto& entry : std::filesystem::directory_iterator(DataPath("skins"))) {
    SCOPED_TRACE(entry.path().string());
    ExpectFontMapStrip(LoadBmpFile((entry.path() / "font.bmp").string()), 6, 10);
  }
}

TEST(Fonts, MenuFontFollowsTheFontMap) {
  std::vector<PictureItemData> menu;
  LoadImageListFile(DataPath("menu.dxg"), menu);
  ASSERT_EQ(menu.size(), 6u);
  ExpectFontMapStrip(menu[5].picture, 8, 12);
}

TEST(Fonts, BannerFontHoldsCodes32To92InOrder) {
  std::vector<PictureItemData> menu;
  LoadImageListFile(DataPath("menu.dxg"), menu);
  ASSERT_EQ(menu.size(), 6u);
  const Bitmap& strip = menu[0].picture;
  const int w = 23, h = menu[0].patternHeight;
  EXPECT_TRUE(CellBlank(strip, 0, w, h, clBlack)) << "space";
  for (char c : std::string_view("ABCDEFGHJKLMNOPRSTUVXY0+23!")) {
    EXPECT_FALSE(CellBlank(strip, c - 32, w, h, clBlack)) << c;
  }
  EXPECT_FALSE(CellsEqual(strip, 'A' - 32, 'B' - 32, w, h));
  EXPECT_FALSE(CellsEqual(strip, 'Y' - 32, 'P' - 32, w, h));
}

TEST(Fonts, DigitsShowTenDigitsTheSignAndTheMinus) {
  std::vector<PictureItemData> gui;
  LoadImageListFile(DataPath("gui.dxg"), gui);
  ASSERT_EQ(gui.size(), 19u);
  const Bitmap& strip = gui[8].picture;
  for (int a = 0; a < 12; ++a) {
    EXPECT_FALSE(CellBlank(strip, a, 8, 13, clBlack)) << a;
    for (int b = a + 1; b < 12; ++b) EXPECT_FALSE(CellsEqual(strip, a, b, 8, 13)) << a << "," << b;
  }
}

}  // namespace
}  // namespace quendrix::testing
