// The generated lists load with the game's own loader and hold what the game
// takes from them by index: item counts, pattern sizes, colour keys, and
// pictures laid out for the coordinates the HUD draws at.
#include <gtest/gtest.h>

#include <cairo.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "data_test_util.h"
#include "media/bitmap.h"
#include "media/list_file.h"

namespace quendrix::testing {
namespace {

class GuiList : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { LoadImageListFile(DataPath("gui.dxg"), items_); }
  static std::vector<PictureItemData> items_;
};
std::vector<PictureItemData> GuiList::items_;

TEST_F(GuiList, HoldsTheNineteenItemsWithTheirPatternSizes) {
  ASSERT_EQ(items_.size(), 19u);
  struct Expect {
    int index, w, h, minPatterns;
  };
  // The pressed buttons are drawn as patterns 0..4, the gauge as patterns
  // 0..30 (power 0..90 in steps of 3), the target as frame div 3 of 10
  // frames, the fonts by cell, putter and shadow by 32 directions.
  const Expect kExpect[] = {{3, 22, 22, 5},  {5, 96, 52, 31},  {6, 32, 26, 4},    {7, 6, 10, 67},
                            {8, 8, 13, 12},  {9, 96, 142, 32}, {10, 96, 142, 32}, {11, 16, 16, 1},
                            {12, 16, 16, 1}, {13, 16, 16, 1},  {14, 16, 16, 1},   {15, 16, 16, 1},
                            {16, 16, 16, 1}, {17, 16, 16, 1}};
  for (const Expect& e : kExpect) {
    SCOPED_TRACE(e.index);
    const PictureItemData& item = items_[e.index];
    EXPECT_EQ(EffectiveW(item), e.w);
    EXPECT_EQ(EffectiveH(item), e.h);
    EXPECT_GE(PatternCount(item), e.minPatterns);
  }
  EXPECT_EQ(PatternCount(items_[7]), 67);
  EXPECT_EQ(PatternCount(items_[8]), 12);
  EXPECT_EQ(PatternCount(items_[9]), 32);
  EXPECT_EQ(PatternCount(items_[10]), 32);
  EXPECT_EQ(PatternCount(items_[6]), 10);
}

TEST_F(GuiList, KeysBlackExceptTheBallTexturesWhichAreCopiedRaw) {
  ASSERT_EQ(items_.size(), 19u);
  for (int i = 0; i < 19; ++i) {
    SCOPED_TRACE(i);
    bool texture = i >= 11 && i <= 14;
    EXPECT_EQ(items_[i].transparent, !texture);
    if (!texture) {
      EXPECT_EQ(items_[i].transparentColor, clBlack);
    }
  }
}

TEST_F(GuiList, BallPicturesCoverTheDiscAndLeaveTheCornersClear) {
  ASSERT_EQ(items_.size(), 19u);
  // Shading and ring are blended over the ball: a pixel outside the disc
  // would paint the course.
  for (int i : {15, 16}) {
    SCOPED_TRACE(i);
    const Bitmap& p = items_[i].picture;
    EXPECT_EQ(p.Pixel(0, 0), clBlack);
    EXPECT_EQ(p.Pixel(15, 15), clBlack);
    EXPECT_EQ(p.Pixel(0, 7), clBlack);
  }
  EXPECT_NE(items_[16].picture.Pixel(1, 7), clBlack) << "ring on the disc's left edge";
  EXPECT_NE(items_[17].picture.Pixel(8, 9), clBlack) << "shadow under the ball";
}

// The panel is drawn at (4, 4): every text and picture the HUD puts on it
// must land on panel pixels, never on the course beside it.
bool Covered(const Bitmap& panel, int left, int top, int right, int bottom) {
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x)
      if (panel.Pixel(x - 4, y - 4) == clBlack ||
          panel.Pixel(x - 4, y - 4) == Bitmap::kInvalidPixel)
        return false;
  return true;
}

TEST_F(GuiList, FullPanelLiesUnderEverythingDrawnOnIt) {
  ASSERT_EQ(items_.size(), 19u);
  const Bitmap& panel = items_[1].picture;
  const int w = EffectiveW(items_[7]), h = EffectiveH(items_[7]);
  // Label, hints and ticker: 28 cells from (116 + w, 31).
  EXPECT_TRUE(Covered(panel, 116 + w, 31, 116 + 29 * w - 1, 31 + h - 1));
  // Strokes (one or two digits) and par.
  EXPECT_TRUE(Covered(panel, 113 + w, 48, 118 + 2 * w - 1, 48 + h - 1));
  EXPECT_TRUE(Covered(panel, 161 + w, 48, 161 + 2 * w - 1, 48 + h - 1));
  // Four score texts of up to three digit cells.
  const int dw = EffectiveW(items_[8]) + 1, dh = EffectiveH(items_[8]);
  for (auto [x, y] : {std::pair{19, 27}, {64, 27}, {19, 48}, {64, 48}})
    EXPECT_TRUE(Covered(panel, x + dw, y, x + 4 * dw - 2, y + dh - 1)) << x << "," << y;
  // Pressed buttons, the push sign and the close box.
  EXPECT_TRUE(Covered(panel, 17, 76, 105 + 21, 76 + 21));
  EXPECT_TRUE(Covered(panel, 193, 49, 193 + 39, 49 + 15));
  EXPECT_TRUE(Covered(panel, 267, 7, 274, 13));
}

TEST_F(GuiList, CompactPanelLiesUnderItsTexts) {
  ASSERT_EQ(items_.size(), 19u);
  const Bitmap& panel = items_[2].picture;
  const int w = EffectiveW(items_[7]), h = EffectiveH(items_[7]);
  EXPECT_TRUE(Covered(panel, 80 + w, 9, 80 + 21 * w - 1, 9 + h - 1));  // 21 ticker cells
  EXPECT_TRUE(Covered(panel, 201 + w, 9, 206 + 2 * w - 1, 9 + h - 1));
  EXPECT_TRUE(Covered(panel, 221 + w, 9, 221 + 2 * w - 1, 9 + h - 1));
}

TEST_F(GuiList, NameBoxFramesAnElevenLetterLabel) {
  ASSERT_EQ(items_.size(), 19u);
  // Box at (bx - 52, by - 40); the label of n letters starts at
  // bx - 3n + w, 5 pixels lower. "1. " + 11 letters + " (99)" is 19 cells.
  const Bitmap& box = items_[18].picture;
  const int w = EffectiveW(items_[7]), n = 19;
  for (int x = -3 * n + w; x < -3 * n + w + n * w; ++x)
    for (int y = 5; y < 5 + 9; ++y) ASSERT_NE(box.Pixel(x + 52, y), clBlack) << x << "," << y;
}

TEST_F(GuiList, PointerTipIsItsHotSpot) {
  ASSERT_EQ(items_.size(), 19u);
  EXPECT_NE(items_[0].picture.Pixel(1, 1), clBlack);
  EXPECT_LE(items_[0].picture.Width(), 32);
}

TEST_F(GuiList, PutterPatternsEachShowAPutterAndItsShadow) {
  ASSERT_EQ(items_.size(), 19u);
  for (int item : {9, 10}) {
    const Bitmap& sheet = items_[item].picture;
    std::set<std::vector<TColor>> distinct;
    for (int k = 0; k < 32; ++k) {
      int ox = (k % 8) * 96, oy = (k / 8) * 142;
      std::vector<TColor> pixels;
      int ink = 0;
      for (int y = 0; y < 142; ++y)
        for (int x = 0; x < 96; ++x) {
          TColor c = sheet.Pixel(ox + x, oy + y);
          pixels.push_back(c);
          ink += c != clBlack;
        }
      EXPECT_GT(ink, 80) << "item " << item << " pattern " << k;
      distinct.insert(std::move(pixels));
    }
    EXPECT_EQ(distinct.size(), 32u) << "every direction differs, item " << item;
  }
}

TEST(MenuList, HoldsFontsPicturesAndScoreCard) {
  std::vector<PictureItemData> items;
  LoadImageListFile(DataPath("menu.dxg"), items);
  ASSERT_EQ(items.size(), 6u);
  EXPECT_EQ(EffectiveW(items[0]), 23);  // the banner centres with 23 px a letter
  EXPECT_EQ(PatternCount(items[0]), 92 - 32 + 1);
  EXPECT_EQ(PatternCount(items[5]), 67);
  EXPECT_EQ(EffectiveW(items[5]), 8);  // a score of 10 or more starts 8 px further left
  // Loading, help and score pictures are centred on a 640 x 480 screen.
  for (int i = 1; i <= 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_LE(items[i].picture.Width(), 640);
    EXPECT_LE(items[i].picture.Height(), 480);
    EXPECT_EQ(PatternCount(items[i]), 1);
  }
  // The score card reaches the last column the game writes into.
  EXPECT_GE(items[4].picture.Width(), 572 + 3 * 8);
  EXPECT_GE(items[4].picture.Height(), 319 + 12);
}

void ExpectPlayable(const WaveItemData& item) {
  EXPECT_FALSE(item.wave.Empty()) << item.name;
  EXPECT_EQ(item.wave.formatTag, Wave::kPcm);
  EXPECT_EQ(item.wave.samplesPerSec, 22050u);
  EXPECT_EQ(item.wave.bitsPerSample, 16);
  EXPECT_EQ(item.wave.channels, 1);
}

TEST(SoundList, EveryEffectIndexThePlayScreenPlaysHasASound) {
  std::vector<WaveItemData> items;
  LoadSoundListFile(DataPath("sound.dxw"), items);
  ASSERT_GE(items.size(), 25u);
  for (int i : {0, 1, 2, 3, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 24}) {
    SCOPED_TRACE(i);
    ExpectPlayable(items[i]);
    // Only the loading loop loops; the hole set-up switches it on itself.
    if (i != 6) {
      EXPECT_FALSE(items[i].looped);
    }
  }
  EXPECT_TRUE(items[6].looped);
  // The rumble's volume is set before each play: one copy, restarted.
  EXPECT_EQ(items[20].maxPlayingCount, 1);
  // Short effects must not stop each other: ball hits overlap.
  EXPECT_NE(items[1].maxPlayingCount, 1);
}

TEST(SoundList, LaunchPadSoundsLoopTheMusicOnly) {
  std::vector<WaveItemData> items;
  LoadSoundListFile(DataPath("menu.dxw"), items);
  ASSERT_EQ(items.size(), 4u);
  for (const auto& item : items) ExpectPlayable(item);
  EXPECT_TRUE(items[0].looped);
  EXPECT_FALSE(items[1].looped);
  EXPECT_FALSE(items[3].looped);
  // The music lasts long enough not to grate when it loops.
  EXPECT_GE(items[0].wave.FrameCount(), 22050u * 8);
}

const char* const kSkinFiles[] = {"pointer.bmp",  "panel.bmp",  "panelmin.bmp", "buttonsdown.bmp",
                                  "pushputt.bmp", "gauge.bmp",  "target.bmp",   "font.bmp",
                                  "numbers.bmp",  "namebox.bmp"};
const int kSkinItems[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 18};

TEST(Skins, EachSkinReplacesEveryPictureWithOneOfTheSameSize) {
  namespace fs = std::filesystem;
  std::vector<PictureItemData> gui;
  LoadImageListFile(DataPath("gui.dxg"), gui);
  ASSERT_EQ(gui.size(), 19u);
  int skins = 0, fontChanges = 0;
  for (const auto& entry : fs::directory_iterator(DataPath("skins"))) {
    ASSERT_TRUE(entry.is_directory());
    ++skins;
    for (int f = 0; f < 10; ++f) {
      SCOPED_TRACE(entry.path().string() + "/" + kSkinFiles[f]);
      Bitmap b = LoadBmpFile((entry.path() / kSkinFiles[f]).string());
      // A skin bitmap replaces the picture only; the pattern sizes of
      // gui.dxg stay, so the size must match.
      EXPECT_EQ(b.Width(), gui[kSkinItems[f]].picture.Width());
      EXPECT_EQ(b.Height(), gui[kSkinItems[f]].picture.Height());
      if (f == 7 && !(b == gui[7].picture)) ++fontChanges;
    }
  }
  EXPECT_GE(skins, 2);
  EXPECT_GE(fontChanges, 1);
}

TEST(Textures, FolderHoldsEightOrMoreBallTextures) {
  namespace fs = std::filesystem;
  std::set<std::vector<TColor>> distinct;
  for (const auto& entry : fs::directory_iterator(DataPath("textures"))) {
    ASSERT_EQ(entry.path().extension(), ".bmp");
    Bitmap b = LoadBmpFile(entry.path().string());
    EXPECT_EQ(b.Width(), 16);
    EXPECT_EQ(b.Height(), 16);
    std::vector<TColor> pixels;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) pixels.push_back(b.Pixel(x, y));
    distinct.insert(pixels);
  }
  EXPECT_GE(distinct.size(), 8u);
}

TEST(Icons, EverySizeIsDrawnOnAClearSquareAndTheScalableOneIsSvg) {
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    SCOPED_TRACE(size);
    const std::string path = DataPath("icons/" + std::to_string(size) + "/quendrix.png");
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS) << path;
    EXPECT_EQ(cairo_image_surface_get_width(s), size);
    EXPECT_EQ(cairo_image_surface_get_height(s), size);
    EXPECT_EQ(cairo_image_surface_get_format(s), CAIRO_FORMAT_ARGB32);
    // The desktop shows through the corner; the middle is drawn.
    const auto* px = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s));
    const int stride = cairo_image_surface_get_stride(s) / 4;
    EXPECT_EQ(px[(size - 1) * stride] >> 24, 0u);
    EXPECT_EQ(px[size / 2 * stride + size / 2] >> 24, 255u);
    cairo_surface_destroy(s);
  }
  std::ifstream svg(DataPath("icons/scalable/quendrix.svg"));
  std::string text((std::istreambuf_iterator<char>(svg)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text.rfind("<?xml", 0), 0u);
  EXPECT_NE(text.find("viewBox=\"0 0 256 256\""), std::string::npos);
  EXPECT_NE(text.find("</svg>"), std::string::npos);
}

}  // namespace
}  // namespace quendrix::testing
