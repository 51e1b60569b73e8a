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
#include "game/data_catalogue.h"
#include "media/bitmap.h"
#include "media/list_file.h"

namespace quendrix::testing {
namespace {

class GuiList : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { LoadImageListFile(DataPath("gui.dxg"), items_); }
  static const PictureItemData& Item(GuiImage image) { return items_[ItemIndex(image)]; }
  static std::vector<PictureItemData> items_;
};
std::vector<PictureItemData> GuiList::items_;

TEST_F(GuiList, HoldsTheNineteenItemsWithTheirPatternSizes) {
  ASSERT_EQ(items_.size(), static_cast<size_t>(kGuiImageCount));
  struct Expect {
    GuiImage image;
    int w, h, minPatterns;
  };
  // The pressed buttons are drawn as patterns 0..4, the gauge as patterns
  // 0..30 (power 0..90 in steps of 3), the target as frame div 3 of 10
  // frames, the fonts by cell, putter and shadow by 32 directions.
  using enum GuiImage;
  const Expect kExpect[] = {
      {kButtonsDown, 22, 22, 5}, {kGauge, 96, 52, 31}, {kTarget, 32, 26, 4},
      {kFont, 6, 10, 67},        {kDigits, 8, 13, 12}, {kPutterShadow, 96, 142, 32},
      {kPutter, 96, 142, 32},    {kBall1, 16, 16, 1},  {kBall2, 16, 16, 1},
      {kBall3, 16, 16, 1},       {kBall4, 16, 16, 1},  {kShading, 16, 16, 1},
      {kHighlight, 16, 16, 1},   {kShadow, 16, 16, 1}};
  for (const Expect& e : kExpect) {
    SCOPED_TRACE(ItemIndex(e.image));
    const PictureItemData& item = Item(e.image);
    EXPECT_EQ(EffectiveW(item), e.w);
    EXPECT_EQ(EffectiveH(item), e.h);
    EXPECT_GE(PatternCount(item), e.minPatterns);
  }
  EXPECT_EQ(PatternCount(Item(kFont)), 67);
  EXPECT_EQ(PatternCount(Item(kDigits)), 12);
  EXPECT_EQ(PatternCount(Item(kPutterShadow)), 32);
  EXPECT_EQ(PatternCount(Item(kPutter)), 32);
  EXPECT_EQ(PatternCount(Item(kTarget)), 10);
}

TEST_F(GuiList, KeysBlackExceptTheBallTexturesWhichAreCopiedRaw) {
  ASSERT_EQ(items_.size(), static_cast<size_t>(kGuiImageCount));
  for (int i = 0; i < kGuiImageCount; ++i) {
    SCOPED_TRACE(i);
    bool texture = i >= BallTextureImage(1) && i <= BallTextureImage(4);
    EXPECT_EQ(items_[i].transparent, !texture);
    if (!texture) {
      EXPECT_EQ(items_[i].transparentColor, clBlack);
    }
  }
}

TEST_F(GuiList, BallPicturesCoverTheDiscAndLeaveTheCornersClear) {
  ASSERT_EQ(items_.size(), static_cast<size_t>(kGuiImageCount));
  // Shading and ring are blended over the ball: a pixel outside the disc
  // would paint the course.
  for (GuiImage i : {GuiImage::kShading, GuiImage::kHighlight}) {
    SCOPED_TRACE(ItemIndex(i));
    const Bitmap& p = Item(i).picture;
    EXPECT_EQ(p.Pixel(0, 0), clBlack);
    EXPECT_EQ(p.Pixel(15, 15), clBlack);
    EXPECT_EQ(p.Pixel(0, 7), clBlack);
  }
  EXPECT_NE(Item(GuiImage::kHighlight).picture.Pixel(1, 7), clBlack)
      << "ring on the disc's left edge";
  EXPECT_NE(Item(GuiImage::kShadow).picture.Pixel(8, 9), clBlack) << "shadow under the ball";
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
  ASSERT_EQ(items_.size(), static_cast<size_t>(kGuiImageCount));
  const Bitmap& panel = Item(GuiImage::kPanel).picture;
  const int w = EffectiveW(Item(GuiImage::kFont)), h = EffectiveH(Item(GuiImage::kFont));
  // Label, hints and ticker: 28 cells from (116 + w, 31).
  EXPECT_TRUE(Covered(panel, 116 + w, 31, 116 + 29 * w - 1, 31 + h - 1));
  // Strokes (one or two digits) and par.
  EXPECT_TRUE(Covered(panel, 113 + w, 48, 118 + 2 * w - 1, 48 + h - 1));
  EXPECT_TRUE(Covered(panel, 161 + w, 48, 161 + 2 * w - 1, 48 + h - 1));
  // Four score texts of up to three digit cells.
  const int dw = EffectiveW(Item(GuiImage::kDigits)) + 1, dh = EffectiveH(Item(GuiImage::kDigits));
  for (auto [x, y] : {std::pair{19, 27}, {64, 27}, {19, 48}, {64, 48}})
    EXPECT_TRUE(Covered(panel, x + dw, y, x + 4 * dw - 2, y + dh - 1)) << x << "," << y;
  // Pressed buttons, the push sign and the close box.
  EXPECT_TRUE(Covered(panel, 17, 76, 105 + 21, 76 + 21));
  EXPECT_TRUE(Covered(panel, 193, 49, 193 + 39, 49 + 15));
  EXPECT_TRUE(Covered(panel, 267, 7, 274, 13));
}

TEST_F(GuiList, CompactPanelLiesUnderItsTexts) {
  ASSERT_EQ(items_.size(), static_cast<size_t>(kGuiImageCount));
  const Bitmap& panel = Item(GuiImage::kCompactPanel).picture;
  const int w = EffectiveW(Item(GuiImage::kFont)), h = EffectiveH(Item(GuiImage::kFont));
  EXPECT_TRUE(Covered(panel, 80 + w, 9, 80 + 21 * w - 1, 9 + h - 1));  // 21 ticker cells
  EXPECT_TRUE(Covered(panel, 201 + w, 9, 206 + 2 * w - 1, 9 + h - 1));
  EXPECT_TRUE(Covered(panel, 221 + w, 9, 221 + 2 * w - 1, 9 + h - 1));
}

TEST_F(GuiList, NameBoxFramesAnElevenLetterLabel) {
  ASSERT_EQ(items_.size(), static_cast<size_t>(kGuiImageCount));
  // Box at (bx - 52, by - 40); the label of n letters starts at
  // bx - 3n + w, 5 pixels lower. "1. " + 11 letters + " (99)" is 19 cells.
  const Bitmap& box = Item(GuiImage::kNameBox).picture;
  const int w = EffectiveW(Item(GuiImage::kFont)), n = 19;
  for (int x = -3 * n + w; x < -3 * n + w + n * w; ++x)
    for (int y = 5; y < 5 + 9; ++y) ASSERT_NE(box.Pixel(x + 52, y), clBlack) << x << "," << y;
}

TEST_F(GuiList, PointerTipIsItsHotSpot) {
  ASSERT_EQ(items_.size(), static_cast<size_t>(kGuiImageCount));
  EXPECT_NE(Item(GuiImage::kPointer).picture.Pixel(1, 1), clBlack);
  EXPECT_LE(Item(GuiImage::kPointer).picture.Width(), 32);
}

TEST_F(GuiList, PutterPatternsEachShowAPutterAndItsShadow) {
  ASSERT_EQ(items_.size(), static_cast<size_t>(kGuiImageCount));
  for (GuiImage item : {GuiImage::kPutterShadow, GuiImage::kPutter}) {
    const Bitmap& sheet = Item(item).picture;
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
      EXPECT_GT(ink, 80) << "item " << ItemIndex(item) << " pattern " << k;
      distinct.insert(std::move(pixels));
    }
    EXPECT_EQ(distinct.size(), 32u) << "every direction differs, item " << ItemIndex(item);
  }
}

TEST(MenuList, HoldsFontsPicturesAndScoreCard) {
  std::vector<PictureItemData> items;
  LoadImageListFile(DataPath("menu.dxg"), items);
  ASSERT_EQ(items.size(), static_cast<size_t>(kMenuImageCount));
  const auto item = [&items](MenuImage i) -> const PictureItemData& { return items[ItemIndex(i)]; };
  using enum MenuImage;
  EXPECT_EQ(EffectiveW(item(kBannerFont)), 23);  // the banner centres with 23 px a letter
  EXPECT_EQ(PatternCount(item(kBannerFont)), 92 - 32 + 1);
  EXPECT_EQ(PatternCount(item(kScoreFont)), 67);
  EXPECT_EQ(EffectiveW(item(kScoreFont)), 8);  // a score of 10 or more starts 8 px further left
  // Loading, help and score pictures are centred on a 640 x 480 screen.
  for (MenuImage i : {kLoading, kPullHelp, kPushHelp, kScoreCard}) {
    SCOPED_TRACE(ItemIndex(i));
    EXPECT_LE(item(i).picture.Width(), 640);
    EXPECT_LE(item(i).picture.Height(), 480);
    EXPECT_EQ(PatternCount(item(i)), 1);
  }
  // The score card reaches the last column the game writes into.
  EXPECT_GE(item(kScoreCard).picture.Width(), 572 + 3 * 8);
  EXPECT_GE(item(kScoreCard).picture.Height(), 319 + 12);
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
  ASSERT_EQ(items.size(), static_cast<size_t>(kEffectSoundCount));
  const auto item = [&items](EffectSound i) -> const WaveItemData& { return items[ItemIndex(i)]; };
  for (int i = 0; i < kEffectSoundCount; ++i) {
    SCOPED_TRACE(i);
    ExpectPlayable(items[i]);
    // Only the loading loop loops; the hole set-up switches it on itself.
    if (i != ItemIndex(EffectSound::kLoadingLoop)) {
      EXPECT_FALSE(items[i].looped);
    }
  }
  EXPECT_TRUE(item(EffectSound::kLoadingLoop).looped);
  // The rumble's volume is set before each play: one copy, restarted.
  EXPECT_EQ(item(EffectSound::kRumble).maxPlayingCount, 1);
  // Short effects must not stop each other: ball hits overlap.
  EXPECT_NE(item(EffectSound::kLowHit).maxPlayingCount, 1);
}

TEST(SoundList, LaunchPadSoundsLoopTheMusicOnly) {
  std::vector<WaveItemData> items;
  LoadSoundListFile(DataPath("menu.dxw"), items);
  ASSERT_EQ(items.size(), static_cast<size_t>(kMenuSoundCount));
  for (const auto& item : items) ExpectPlayable(item);
  const auto item = [&items](MenuSound i) -> const WaveItemData& { return items[ItemIndex(i)]; };
  EXPECT_TRUE(item(MenuSound::kMusic).looped);
  EXPECT_FALSE(item(MenuSound::kClick).looped);
  EXPECT_FALSE(item(MenuSound::kTransition).looped);
  // The music lasts long enough not to grate when it loops.
  EXPECT_GE(item(MenuSound::kMusic).wave.FrameCount(), 22050u * 8);
}

const char* const kSkinFiles[] = {"pointer.bmp",  "panel.bmp",  "panelmin.bmp", "buttonsdown.bmp",
                                  "pushputt.bmp", "gauge.bmp",  "target.bmp",   "font.bmp",
                                  "numbers.bmp",  "namebox.bmp"};
constexpr GuiImage kSkinItems[] = {
    GuiImage::kPointer,  GuiImage::kPanel,  GuiImage::kCompactPanel, GuiImage::kButtonsDown,
    GuiImage::kPushSign, GuiImage::kGauge,  GuiImage::kTarget,       GuiImage::kFont,
    GuiImage::kDigits,   GuiImage::kNameBox};

TEST(Skins, EachSkinReplacesEveryPictureWithOneOfTheSameSize) {
  namespace fs = std::filesystem;
  std::vector<PictureItemData> gui;
  LoadImageListFile(DataPath("gui.dxg"), gui);
  ASSERT_EQ(gui.size(), static_cast<size_t>(kGuiImageCount));
  int skins = 0, fontChanges = 0;
  for (const auto& entry : fs::directory_iterator(DataPath("skins"))) {
    ASSERT_TRUE(entry.is_directory());
    ++skins;
    for (int f = 0; f < 10; ++f) {
      SCOPED_TRACE(entry.path().string() + "/" + kSkinFiles[f]);
      Bitmap b = LoadBmpFile((entry.path() / kSkinFiles[f]).string());
      // A skin bitmap replaces the picture only; the pattern sizes of
      // gui.dxg stay, so the size must match.
      const Bitmap& replaced = gui[ItemIndex(kSkinItems[f])].picture;
      EXPECT_EQ(b.Width(), replaced.Width());
      EXPECT_EQ(b.Height(), replaced.Height());
      if (kSkinItems[f] == GuiImage::kFont && !(b == replaced)) ++fontChanges;
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
