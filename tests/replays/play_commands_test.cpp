// The commands through the play screen itself: keys and clicks reach the
// frame timer, the ambient loop, the panel that is drawn and leaving.
#include <gtest/gtest.h>

#include "game/commands.h"
#include "game/headless_play.h"
#include "replay_support.h"

namespace quendrix {
namespace {

struct Play {
  Play() : play(Settings(), testing::PracticeData(), 3) {
    play.Start();
    play.Frame();
    play.Key(vk::kSpace);  // the title card
    play.Frames(3);
  }
  static LaunchSettings Settings() {
    LaunchSettings s;
    s.players = 1;
    s.bgsounds = true;
    return s;
  }
  // Looping sounds still playing once every short sound has ended: the
  // ambient loop or nothing.
  int AmbientPlaying() {
    play.sound.FinishAll();
    return play.sound.PlayingCount();
  }
  uint16_t Pixel(int32_t x, int32_t y) {
    return static_cast<uint16_t>(play.BackSurface().RawPixel(x, y));
  }
  HeadlessPlay play;
};

TEST(PlayCommands, F5CyclesTheFrameTimer) {
  Play p;
  TMain& main = p.play.main();
  EXPECT_EQ(main.gengine.Interval(), 0u);
  p.play.Key(kKeyF5);
  EXPECT_EQ(main.gengine.Interval(), 66u);
  p.play.Key(kKeyF5);
  EXPECT_EQ(main.gengine.Interval(), 33u);
  p.play.Key(kKeyF5);
  EXPECT_EQ(main.gengine.Interval(), 0u);
  // The frame after a slow interval measures about 15 ticks a second and
  // takes four substeps.
  p.play.Key(kKeyF5);
  p.play.Frames(2, 66);
  EXPECT_EQ(p.play.session().substeps, 4);
}

TEST(PlayCommands, TheAmbientLoopFollowsBothSoundSwitches) {
  Play p;
  EXPECT_EQ(p.AmbientPlaying(), 1);
  p.play.Key(kKeyF4);  // sound off
  EXPECT_EQ(p.AmbientPlaying(), 0);
  p.play.Key(kKeyF3);  // ambient off, still silent
  p.play.Key(kKeyF3);  // ambient on: silent while the sound is off
  EXPECT_EQ(p.AmbientPlaying(), 0);
  p.play.Key(kKeyF4);
  EXPECT_EQ(p.AmbientPlaying(), 1);
  p.play.Key(kKeyF3);
  EXPECT_EQ(p.AmbientPlaying(), 0);
}

TEST(PlayCommands, SpaceAndADoubleClickOnTheTopStripSwitchThePanel) {
  Play p;
  p.play.Frame();
  const uint16_t full = p.Pixel(150, 70);
  p.play.Key(vk::kSpace);
  p.play.Frame();
  EXPECT_TRUE(p.play.session().compactHud);
  EXPECT_NE(p.Pixel(150, 70), full) << "the compact panel leaves the course showing there";
  // The platform's double click: two presses close together.
  p.play.MoveTo(150, 10);
  TMain& main = p.play.main();
  main.MouseDown(MouseButton::kLeft, 0, 150, 10);
  main.MouseUp(MouseButton::kLeft, 0, 150, 10);
  main.MouseDown(MouseButton::kLeft, 0, 150, 10);
  main.MouseUp(MouseButton::kLeft, 0, 150, 10);
  EXPECT_FALSE(p.play.session().compactHud);
  p.play.Frame();
  EXPECT_EQ(p.Pixel(150, 70), full);
}

TEST(PlayCommands, EscThenEnterLeavesAndAnyKeyEndsAFinishedGame) {
  Play p;
  p.play.Key(vk::kEscape);
  p.play.Frame();
  EXPECT_FALSE(p.play.main().Closed());
  EXPECT_EQ(p.play.session().bannerText, "HAGMNTE BB0D DVR BLIX0DA   ");
  p.play.main().FormKeyDown(vk::kReturn);
  EXPECT_TRUE(p.play.main().Closed());

  Play over;
  over.play.session().gameOver = true;
  over.play.Key(vk::kHome);
  EXPECT_TRUE(over.play.main().Closed());
}

TEST(PlayCommands, TheScoreCardAndHelpShowAndAnyKeyReturns) {
  Play p;
  p.play.Key(vk::kEnd);
  p.play.Frame();
  EXPECT_EQ(p.play.session().gameState, GameState::kScoreCard);
  EXPECT_EQ(p.Pixel(1, 475), 0) << "the card stands on black";
  p.play.Key(vk::kF1);  // closes the card only
  EXPECT_EQ(p.play.session().gameState, GameState::kPlay);
  p.play.Key(vk::kF1);
  EXPECT_EQ(p.play.session().gameState, GameState::kPuttHelp);
  p.play.Key(kKeyF8);  // stays in the help, which follows the putt style
  EXPECT_EQ(p.play.session().gameState, GameState::kPuttHelp);
  p.play.LeftClick();
  EXPECT_EQ(p.play.session().gameState, GameState::kPlay);
}

}  // namespace
}  // namespace quendrix
