// The platform's events as the play screen's handlers receive them: clicks
// on release, double clicks, closing.
#include <gtest/gtest.h>

#include "play_fixture.h"

namespace quendrix::playdata {
namespace {

struct Input : ::testing::Test {
  void SetUp() override {
    play = StartPlay(FreshSettings());
    play->Frame();
  }
  TMain& main() { return play->main(); }
  void Press(int32_t x, int32_t y) { main().MouseDown(MouseButton::kLeft, ssLeft, x, y); }
  void Release(int32_t x, int32_t y) { main().MouseUp(MouseButton::kLeft, 0, x, y); }

  std::unique_ptr<HeadlessPlay> play;
};

TEST_F(Input, AReleaseClicksBeforeTheButtonGoesUp) {
  play->MoveTo(10, 10);
  Press(10, 10);
  EXPECT_EQ(play->session().gameState, GameState::kTitleCard) << "a press alone does not click";
  Release(10, 10);
  EXPECT_EQ(play->session().gameState, GameState::kPlay);
  EXPECT_EQ(play->session().anchorX, 320) << "the click re-anchored";
  EXPECT_EQ(play->session().pointerX, 10) << "the pointer's move arrives after the click";
  play->DeliverPendingMove();
  EXPECT_EQ(play->session().pointerX, 320);
}

// Push putt starts an aim on the release of a click near the ball, and the
// ball sits in the screen centre. A click elsewhere that closes the title
// card re-centres the pointer; were that move taken at once, the same
// release would find the pointer on the ball and start an aim.
TEST(InputPush, AClickThatClosesTheTitleCardStartsNoAim) {
  LaunchSettings settings = FreshSettings();
  settings.pull[0] = false;
  auto play = StartPlay(settings);
  // The camera settles on the ball while the title card shows.
  for (int i = 0; i < 200 && play->session().recentre; ++i) play->Frame();
  ASSERT_EQ(play->session().gameState, GameState::kTitleCard);
  ASSERT_FALSE(play->session().recentre);
  play->MoveTo(60, 400);
  play->LeftClick();
  EXPECT_EQ(play->session().gameState, GameState::kPlay);
  EXPECT_EQ(play->session().shotPhase, 0) << "the closing click started an aim";
  play->Frames(2);
  EXPECT_EQ(play->session().pointerX, 320) << "the re-centring arrived";
  EXPECT_EQ(play->session().shotPhase, 0);
  play->LeftClick();  // now on the ball: this one aims
  EXPECT_EQ(play->session().shotPhase, 1);
}

TEST_F(Input, TheSecondPressOfADoubleClickIsNoClick) {
  Press(10, 10);
  Release(10, 10);
  play->session().gameState = GameState::kTitleCard;
  play->clock.Advance(200);
  Press(12, 11);
  Release(12, 11);
  EXPECT_EQ(play->session().gameState, GameState::kTitleCard)
      << "double click: no click on its release";
  play->clock.Advance(100);
  Press(12, 11);
  Release(12, 11);
  EXPECT_EQ(play->session().gameState, GameState::kPlay) << "a third press counts afresh";
}

TEST_F(Input, SlowOrDistantPressesAreSingleClicks) {
  Press(10, 10);
  Release(10, 10);
  play->session().gameState = GameState::kTitleCard;
  play->clock.Advance(501);
  Press(10, 10);
  Release(10, 10);
  EXPECT_EQ(play->session().gameState, GameState::kPlay) << "too slow for a double click";
  play->session().gameState = GameState::kTitleCard;
  play->clock.Advance(100);
  Press(15, 10);
  Release(15, 10);
  EXPECT_EQ(play->session().gameState, GameState::kPlay) << "too far for a double click";
}

TEST_F(Input, KeysReachTheHandlersAndClosingEndsThePlayScreen) {
  main().KeyDown(vk::kReturn, 0);
  EXPECT_EQ(play->session().gameState, GameState::kPlay) << "any key leaves the title card";
  main().KeyDown(vk::kReturn, 0);
  EXPECT_TRUE(play->session().enterHeld);
  main().KeyUp(vk::kReturn, 0);
  EXPECT_FALSE(play->session().enterHeld);
  main().CloseRequested();
  EXPECT_TRUE(main().Closed());
  // Events after closing change nothing.
  main().KeyDown(vk::kEscape, 0);
  main().MouseMove(0, 5, 5);
  Press(5, 5);
  Release(5, 5);
  EXPECT_FALSE(play->session().quitAsked);
  EXPECT_NE(play->session().pointerX, 5);
}

TEST_F(Input, ArrowsScrollOnlyWhileNoBallMoves) {
  play->Key(vk::kSpace);
  main().KeyDown(vk::kRight, 0);
  EXPECT_TRUE(play->session().scrollRightHeld);
  play->session().ballsMoving = true;
  main().KeyUp(vk::kRight, 0);
  EXPECT_TRUE(play->session().scrollRightHeld) << "released during a roll: still held";
  main().KeyDown(vk::kLeft, 0);
  EXPECT_FALSE(play->session().scrollLeftHeld);
  play->session().ballsMoving = false;
  main().KeyUp(vk::kRight, 0);
  EXPECT_FALSE(play->session().scrollRightHeld);
}

}  // namespace
}  // namespace quendrix::playdata
