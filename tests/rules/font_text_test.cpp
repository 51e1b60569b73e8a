#include "game/font_text.h"

#include <gtest/gtest.h>

#include "rules_support.h"

namespace quendrix {
namespace {

using testing::CellId;
using testing::Screen;

constexpr int32_t kW = 6;  // font cell width
constexpr int32_t kH = 8;

// gui list with the font (item 7, all 67 cells) and the digits (item 8).
struct Fonts {
  Fonts() {
    testing::AddMarkedItem(gui, GuiImage::kFont, kW, kH, 67);
    testing::AddMarkedItem(gui, GuiImage::kDigits, 5, 7, 12);
    testing::AddMarkedItem(menu, MenuImage::kBannerFont, 9, 10, 61);
    testing::AddMarkedItem(menu, MenuImage::kScoreFont, 7, 9, 67);
  }
  TDXImageList gui, menu;
  Screen screen;
};

TEST(FontMaps, CellsFollowTheStoredOrder) {
  EXPECT_EQ(kFontMap.size(), 67u);
  EXPECT_EQ(FontCell('A'), 0);
  EXPECT_EQ(FontCell('Z'), 25);
  EXPECT_EQ(FontCell('"'), 26);
  EXPECT_EQ(FontCell('a'), 27);
  EXPECT_EQ(FontCell('t'), 28);
  EXPECT_EQ(FontCell(' '), 29);
  EXPECT_EQ(FontCell('0'), 31);
  EXPECT_EQ(FontCell('9'), 40);
  EXPECT_EQ(FontCell('<'), 41);
  EXPECT_EQ(FontCell('='), 43);  // the second '=' at 59 is never selected
  EXPECT_EQ(FontCell('-'), 46);
  EXPECT_EQ(FontCell('\\'), 51);
  EXPECT_EQ(FontCell('.'), 58);
  EXPECT_EQ(FontCell('$'), 60);
  EXPECT_EQ(FontCell('#'), 61);
  EXPECT_EQ(FontCell(0xC5), 62);
  EXPECT_EQ(FontCell(0xD6), 63);
  EXPECT_EQ(FontCell(0xC4), 64);
  EXPECT_EQ(FontCell('?'), 65);
  EXPECT_EQ(FontCell('*'), 66);
}

TEST(FontMaps, UnknownBytesAreBlankOrNothing) {
  for (const unsigned char c : {'b', 'z', '\0', ',', ':', '\xFF', '\xC0'}) {
    EXPECT_EQ(FontCell(c), 30) << int{c};
    EXPECT_EQ(DigitCell(c), -1) << int{c};
  }
  EXPECT_EQ(DigitCell('o'), 10);
  EXPECT_EQ(DigitCell('-'), 11);
  EXPECT_EQ(DigitCell('7'), 7);
  EXPECT_EQ(DigitCell('O'), -1);  // only the lower-case sign
}

TEST(FontMaps, BannerCellsAreCodesFrom32To92) {
  EXPECT_EQ(BlockCell(' '), 0);
  EXPECT_EQ(BlockCell('A'), 33);
  EXPECT_EQ(BlockCell('\\'), 60);  // 92, the last
  EXPECT_EQ(BlockCell(']'), 0);    // 93
  EXPECT_EQ(BlockCell('a'), 0);
  EXPECT_EQ(BlockCell(31), 0);
  EXPECT_EQ(BlockCell(0xC8), 0);
}

TEST(DrawText, FirstCharacterStandsOneAdvanceRight) {
  Fonts f;
  DrawText(f.screen.surface, f.gui, "A=", 100, 50);
  EXPECT_EQ(f.screen.At(100, 50), CellId{});
  EXPECT_EQ(f.screen.At(100 + kW, 50), (CellId{GuiImage::kFont, 0}));
  EXPECT_EQ(f.screen.At(100 + 2 * kW, 50 + kH - 1), (CellId{GuiImage::kFont, 43}));
  EXPECT_EQ(f.screen.At(100 + 3 * kW, 50), CellId{});
  EXPECT_EQ(f.screen.Lit(), 2 * kW * kH);
}

TEST(DrawText, EmptyTextDrawsNothing) {
  Fonts f;
  DrawText(f.screen.surface, f.gui, "", 10, 10);
  DrawMenuText(f.screen.surface, f.menu, "", 10, 10);
  DrawDigits(f.screen.surface, f.gui, "", 10, 10);
  DrawBlockText(f.screen.surface, f.menu, "", 10, 10, 255);
  EXPECT_EQ(f.screen.Lit(), 0);
}

TEST(DrawText, NulBytesShowBlankCellsAndKeepTheWidth) {
  Fonts f;
  const std::string text("A\0\0B", 4);
  DrawText(f.screen.surface, f.gui, text, 0, 0);
  EXPECT_EQ(f.screen.At(2 * kW, 0), (CellId{GuiImage::kFont, 30}));
  EXPECT_EQ(f.screen.At(3 * kW, 0), (CellId{GuiImage::kFont, 30}));
  EXPECT_EQ(f.screen.At(4 * kW, 0), (CellId{GuiImage::kFont, 1}));
}

TEST(DrawText, LowerCaseOtherThanAAndTIsBlank) {
  Fonts f;
  DrawText(f.screen.surface, f.gui, "atb", 0, 0);
  EXPECT_EQ(f.screen.At(kW, 0), (CellId{GuiImage::kFont, 27}));
  EXPECT_EQ(f.screen.At(2 * kW, 0), (CellId{GuiImage::kFont, 28}));
  EXPECT_EQ(f.screen.At(3 * kW, 0), (CellId{GuiImage::kFont, 30}));
}

TEST(DrawText, CellsThePictureDoesNotHoldDrawNothing) {
  TDXImageList gui;
  testing::AddMarkedItem(gui, GuiImage::kFont, kW, kH, 31);  // letters and blanks only
  Screen screen;
  DrawText(screen.surface, gui, "B0C", 0, 0);
  EXPECT_EQ(screen.At(kW, 0), (CellId{GuiImage::kFont, 1}));
  EXPECT_EQ(screen.At(2 * kW, 0), CellId{});  // '0' is cell 31
  EXPECT_EQ(screen.At(3 * kW, 0), (CellId{GuiImage::kFont, 2}));
}

TEST(DrawText, AListWithoutTheImageDrawsNothing) {
  TDXImageList empty;
  Screen screen;
  DrawText(screen.surface, empty, "ABC", 0, 0);
  DrawDigits(screen.surface, empty, "12", 0, 0);
  DrawMenuText(screen.surface, empty, "ABC", 0, 0);
  DrawBlockText(screen.surface, empty, "ABC", 0, 0, 255);
  EXPECT_EQ(screen.Lit(), 0);
}

TEST(DrawText, ClipsAtTheScreenEdges) {
  Fonts f;
  DrawText(f.screen.surface, f.gui, "ABCDEFGH", 640 - 3 * kW, 480 - 3);
  DrawText(f.screen.surface, f.gui, "ABCDEFGH", -5 * kW, -4);
  EXPECT_EQ(f.screen.At(639, 479), (CellId{GuiImage::kFont, 1}));
  EXPECT_EQ(f.screen.At(0, 0), (CellId{GuiImage::kFont, 4}));
}

TEST(DrawDigits, AdvanceIsOneWiderAndUnknownCharactersLeaveGaps) {
  Fonts f;
  DrawDigits(f.screen.surface, f.gui, "o12", 0, 0);
  EXPECT_EQ(f.screen.At(6, 0), (CellId{GuiImage::kDigits, 10}));
  EXPECT_EQ(f.screen.At(12, 0), (CellId{GuiImage::kDigits, 1}));
  EXPECT_EQ(f.screen.At(18, 0), (CellId{GuiImage::kDigits, 2}));
  EXPECT_EQ(f.screen.At(11, 0), CellId{});  // the one-pixel gap between cells

  Screen gaps;
  DrawDigits(gaps.surface, f.gui, "-x3", 0, 20);
  EXPECT_EQ(gaps.At(6, 20), (CellId{GuiImage::kDigits, 11}));
  EXPECT_EQ(gaps.At(12, 20), CellId{});
  EXPECT_EQ(gaps.At(18, 20), (CellId{GuiImage::kDigits, 3}));
}

TEST(DrawMenuText, UsesTheMenuFontWithItsOwnAdvance) {
  Fonts f;
  DrawMenuText(f.screen.surface, f.menu, "9Z", 0, 0);
  EXPECT_EQ(f.screen.At(7, 0), (CellId{MenuImage::kScoreFont, 40}));
  EXPECT_EQ(f.screen.At(14, 0), (CellId{MenuImage::kScoreFont, 25}));
}

TEST(DrawBlockText, AddsGlyphsByCodeWithTheGivenStrength) {
  Fonts f;
  DrawBlockText(f.screen.surface, f.menu, "Aa\\", 0, 0, 255);
  EXPECT_EQ(f.screen.At(9, 0), (CellId{MenuImage::kBannerFont, 33}));
  EXPECT_EQ(f.screen.At(18, 0), (CellId{MenuImage::kBannerFont, 0}));  // above 92
  EXPECT_EQ(f.screen.At(27, 0), (CellId{MenuImage::kBannerFont, 60}));

  // Half strength on black gives about half of each channel.
  Screen half;
  DrawBlockText(half.surface, f.menu, "A", 0, 0, 128);
  const TColor full = TDirectDrawSurface::FromRgb565(f.screen.surface.RawPixel(9, 0));
  const TColor weak = TDirectDrawSurface::FromRgb565(half.surface.RawPixel(9, 0));
  EXPECT_LT(weak & 0xFF, full & 0xFF);
  EXPECT_NEAR(static_cast<double>(weak & 0xFF), (full & 0xFF) / 2.0, 8.0);

  Screen none;
  DrawBlockText(none.surface, f.menu, "AAA", 0, 0, 0);
  EXPECT_EQ(none.Lit(), 0);
}

TEST(AppendNumber, WritesSignedDecimals) {
  std::string s;
  AppendNumber(s, 0);
  s += ' ';
  AppendNumber(s, -2);
  s += ' ';
  AppendNumber(s, 12345);
  s += ' ';
  AppendNumber(s, INT32_MIN);
  EXPECT_EQ(s, "0 -2 12345 -2147483648");
}

}  // namespace
}  // namespace quendrix
