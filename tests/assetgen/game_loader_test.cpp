// The data through the game's own components: image lists loaded with
// TDXImageList::LoadListFile onto a 16-bit surface, cut by the game's pattern
// cutter and drawn with its colour-keyed copy; sound lists loaded with
// TDXWaveList::LoadListFile.
#include <gtest/gtest.h>

#include "data_test_util.h"
#include "game/data_catalogue.h"
#include "media/display.h"
#include "media/dx_draw.h"
#include "media/image_list.h"
#include "media/sound_list.h"

namespace quendrix::testing {
namespace {

struct PlayScreen {
  MemoryDisplay display;
  TDXDraw draw{&display};
  TDXImageList gui{&draw};
  TDXImageList menu{&draw};
  PlayScreen() {
    draw.SetOptions(doFullScreen | doSystemMemory);
    draw.Display.SetBitCount(16);
    draw.Display.SetWidth(640);
    draw.Display.SetHeight(480);
    draw.Initialize();
    gui.LoadListFile(DataPath("gui.dxg"));
    menu.LoadListFile(DataPath("menu.dxg"));
  }
};

TEST(GameLoader, CutsEveryPictureIntoThePatternsTheGameDraws) {
  PlayScreen s;
  ASSERT_EQ(s.gui.Items.Count(), 19);
  ASSERT_EQ(s.menu.Items.Count(), 6);
  const int kGui[19] = {1, 1, 1, 5, 1, 32, 10, 67, 12, 32, 32, 1, 1, 1, 1, 1, 1, 1, 1};
  for (int i = 0; i < 19; ++i) EXPECT_EQ(s.gui.Items[i].PatternCount(), kGui[i]) << "gui " << i;
  const int kMenu[6] = {61, 1, 1, 1, 1, 67};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(s.menu.Items[i].PatternCount(), kMenu[i]) << "menu " << i;
}

// Draws every pattern of a keyed item over a marker colour and checks that
// exactly the key pixels let the marker through: no art pixel turns
// transparent on the 16-bit surface, no key pixel paints.
void ExpectKeyedCopyExact(TDXDraw& draw, const TPictureCollectionItem& item, const char* what) {
  TDirectDrawSurface& back = draw.Surface();
  const uint32_t marker = 0x0841;  // a dark grey no recipe uses as art
  const int w = item.PatternWidth(), h = item.PatternHeight();
  for (int k = 0; k < item.PatternCount(); ++k) {
    back.FillRaw(marker);
    item.DrawPattern(back, 0, 0, k);
    TRect r = item.PatternRect(k);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        TColor c = item.Picture().Pixel(r.left + x, r.top + y);
        uint32_t got = back.RawPixel(x, y);
        if (c == clBlack) {
          ASSERT_EQ(got, marker) << what << " pattern " << k << " at " << x << "," << y;
        } else {
          ASSERT_EQ(got, back.NativeColor(c))
              << what << " pattern " << k << " at " << x << "," << y;
          ASSERT_NE(got, marker) << what;
        }
      }
  }
}

TEST(GameLoader, ColourKeysSurviveTheSixteenBitSurface) {
  PlayScreen s;
  ASSERT_EQ(s.gui.Items.Count(), kGuiImageCount);
  ASSERT_EQ(s.menu.Items.Count(), kMenuImageCount);
  using enum GuiImage;
  for (GuiImage i : {kPointer, kPanel, kCompactPanel, kButtonsDown, kPushSign, kGauge, kFont,
                     kDigits, kPutter, kNameBox}) {
    const TPictureCollectionItem& item = s.gui.Items[ItemIndex(i)];
    ExpectKeyedCopyExact(s.draw, item, item.name.c_str());
  }
  for (MenuImage i : {MenuImage::kLoading, MenuImage::kPullHelp, MenuImage::kPushHelp,
                      MenuImage::kScoreCard, MenuImage::kScoreFont})
    ExpectKeyedCopyExact(s.draw, s.menu.Items[ItemIndex(i)], "menu item");
}

TEST(GameLoader, SoundListsLoadIntoTheGamesWaveLists) {
  TDXWaveList sounds, menu;
  sounds.LoadListFile(DataPath("sound.dxw"));
  menu.LoadListFile(DataPath("menu.dxw"));
  ASSERT_EQ(sounds.Items.Count(), kEffectSoundCount);
  ASSERT_EQ(menu.Items.Count(), kMenuSoundCount);
  EXPECT_TRUE(sounds.Items[ItemIndex(EffectSound::kLoadingLoop)].Looped());
  EXPECT_TRUE(menu.Items[ItemIndex(MenuSound::kMusic)].Looped());
  for (int i = 0; i < sounds.Items.Count(); ++i) {
    EXPECT_FALSE(sounds.Items[i].wave.Empty()) << i;
    EXPECT_GE(sounds.Items[i].wave.DurationMs(), 20u) << i;
  }
}

}  // namespace
}  // namespace quendrix::testing
