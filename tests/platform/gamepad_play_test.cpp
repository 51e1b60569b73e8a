// A whole putt with a gamepad only, headless: SDL's virtual game controller
// drives the program's message loop, which drives the play screen on the
// generated first hole of course 1 (skipped while the data is not there).
// The stick walks the pointer to the ball as a player steers it; A and the
// stick make the putting gestures.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "core/rounding.h"
#include "game/headless_play.h"
#include "platform/events.h"
#include "sdl_env.h"
#include "virtual_pad.h"

namespace quendrix {
namespace {

const std::filesystem::path kData = "bin";

class GamepadPlay : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kData / "course1hole1.dxg")) GTEST_SKIP() << "no generated data";
    test::UseDummyDrivers();
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    pad_ = std::make_unique<test::VirtualPad>();
    ASSERT_TRUE(pad_->Ok()) << SDL_GetError();
  }
  void TearDown() override {
    play_.reset();
    loop_.reset();
    pad_.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER);
  }

  void Start(bool pull) {
    LaunchSettings settings;
    settings.pull[0] = pull;
    play_ = std::make_unique<HeadlessPlay>(settings, kData);
    play_->Start();
    loop_ = std::make_unique<MessageLoop>(nullptr, nullptr, &play_->clock);
    loop_->SetHandler(&play_->main());
    loop_->GetPointer().SetArea(640, 480);
    loop_->GetPointer().SetPos(320, 240);  // where the play screen put it
    loop_->SetGamepadPlay(true);
    Frames(3);
    Press(SDL_CONTROLLER_BUTTON_A);  // the title card gives way
    Release(SDL_CONTROLLER_BUTTON_A);
    for (int i = 0; i < 120 && s().recentre; ++i) Frames(1);
    ASSERT_EQ(s().gameState, GameState::kPlay);
  }
  // Frames of 16 ms, the pad's events handled before each, as the loop
  // does. The play screen places the pointer through the headless driver
  // (re-centring), which the program does through the loop: the loop's
  // pointer follows it.
  void Frames(int n) {
    for (int i = 0; i < n; ++i) {
      loop_->ProcessMessages();
      play_->Frame(16);
      loop_->GetPointer().SetPos(s().pointerX, s().pointerY);
    }
  }
  void Stick(int32_t x, int32_t y) {
    pad_->Axis(SDL_CONTROLLER_AXIS_LEFTX, x);
    pad_->Axis(SDL_CONTROLLER_AXIS_LEFTY, y);
  }
  void Press(int button) {
    pad_->Button(button, true);
    Frames(1);
  }
  void Release(int button) {
    pad_->Button(button, false);
    Frames(1);
  }
  // Steers the pointer onto a screen point with the stick, pushing it
  // further the further the point is, until it is there.
  void SteerTo(int32_t x, int32_t y) {
    for (int i = 0; i < 600; ++i) {
      const double dx = x - s().pointerX, dy = y - s().pointerY;
      const double d = std::hypot(dx, dy);
      if (d < 1.5) break;
      const double push = std::min(1.0, 0.3 + d / 150);
      Stick(static_cast<int32_t>(dx / d * push * 32767),
            static_cast<int32_t>(dy / d * push * 32767));
      Frames(1);
    }
    Stick(0, 0);
    Frames(1);
  }
  void SteerToBall() { SteerTo(Nearest(ball().x) - s().scrollX, Nearest(ball().y) - s().scrollY); }
  // Holds the stick one way for `frames` frames.
  void Push(int32_t x, int32_t y, int frames) {
    Stick(x, y);
    Frames(frames);
    Stick(0, 0);
    Frames(1);
  }
  // The putter's swing, up to the stroke.
  void Swing() {
    for (int i = 0; i < 120 && s().shotPhase != 0; ++i) Frames(1);
  }
  void RollToRest() {
    for (int i = 0; i < 3000 && s().ballsMoving; ++i) Frames(1);
  }

  GameSession& s() { return play_->session(); }
  playerrec& ball() { return play_->ball(1); }

  std::unique_ptr<test::VirtualPad> pad_;
  std::unique_ptr<HeadlessPlay> play_;
  std::unique_ptr<MessageLoop> loop_;
};

TEST_F(GamepadPlay, PullPuttWithTheStickAndA) {
  Start(true);
  const double x0 = ball().x, y0 = ball().y;
  SteerToBall();
  Press(SDL_CONTROLLER_BUTTON_A);
  EXPECT_NE(s().shotPhase, 0) << "A on the ball takes it, as the left button does";
  Push(-12000, 20000, 30);  // draw back, down and a little left
  Release(SDL_CONTROLLER_BUTTON_A);
  Swing();
  EXPECT_EQ(ball().strokes, 1);
  EXPECT_TRUE(ball().moving);
  RollToRest();
  EXPECT_GT(std::hypot(ball().x - x0, ball().y - y0), 30) << "the ball went";
  EXPECT_LT(ball().y, y0) << "away from the pull: up the screen";
}

TEST_F(GamepadPlay, PushPuttWithTheStickAndA) {
  Start(false);
  const double x0 = ball().x, y0 = ball().y;
  SteerToBall();
  Press(SDL_CONTROLLER_BUTTON_A);  // take the ball
  Release(SDL_CONTROLLER_BUTTON_A);
  ASSERT_EQ(s().shotPhase, 1);
  Push(-16000, 0, 10);  // aim a little left
  Press(SDL_CONTROLLER_BUTTON_A);
  Release(SDL_CONTROLLER_BUTTON_A);
  ASSERT_EQ(s().shotPhase, 2);
  Push(0, 26000, 12);  // the backswing
  Frames(2);
  ASSERT_EQ(s().shotPhase, 3);
  Press(SDL_CONTROLLER_BUTTON_A);
  Release(SDL_CONTROLLER_BUTTON_A);
  ASSERT_EQ(s().shotPhase, 4);
  Push(0, -32767, 20);  // the stroke, as fast as the stick goes
  Swing();
  EXPECT_EQ(ball().strokes, 1);
  EXPECT_TRUE(ball().moving);
  RollToRest();
  EXPECT_GT(std::hypot(ball().x - x0, ball().y - y0), 30) << "the ball went";
}

TEST_F(GamepadPlay, ButtonsStandForTheirKeys) {
  Start(true);
  Press(SDL_CONTROLLER_BUTTON_Y);
  Release(SDL_CONTROLLER_BUTTON_Y);
  EXPECT_EQ(s().gameState, GameState::kScoreCard) << "Y is End";
  Frames(40);                      // long enough after the last press not to make a double click
  Press(SDL_CONTROLLER_BUTTON_A);  // a click closes the card
  Release(SDL_CONTROLLER_BUTTON_A);
  ASSERT_EQ(s().gameState, GameState::kPlay);
  Press(SDL_CONTROLLER_BUTTON_X);
  EXPECT_TRUE(s().enterHeld) << "X held is Enter held";
  Release(SDL_CONTROLLER_BUTTON_X);
  EXPECT_FALSE(s().enterHeld);
  Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
  EXPECT_TRUE(s().scrollLeftHeld) << "the d-pad is the arrows";
  Release(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
  pad_->Axis(SDL_CONTROLLER_AXIS_RIGHTY, 30000);
  Frames(1);
  EXPECT_TRUE(s().scrollDownHeld) << "and so is the right stick";
  pad_->Axis(SDL_CONTROLLER_AXIS_RIGHTY, 0);
  Frames(1);
  EXPECT_FALSE(s().scrollDownHeld);
  Press(SDL_CONTROLLER_BUTTON_START);
  EXPECT_TRUE(s().quitAsked) << "Start is Esc";
  Release(SDL_CONTROLLER_BUTTON_START);
  Press(SDL_CONTROLLER_BUTTON_B);
  EXPECT_FALSE(s().quitAsked) << "B answers no";
  Release(SDL_CONTROLLER_BUTTON_B);
  Press(SDL_CONTROLLER_BUTTON_START);
  Release(SDL_CONTROLLER_BUTTON_START);
  Press(SDL_CONTROLLER_BUTTON_A);
  EXPECT_TRUE(play_->main().Closed()) << "A then leaves, as Enter does";
}

TEST_F(GamepadPlay, APadPluggedInDuringTheGameWorksAndOneUnpluggedLetsGo) {
  Start(true);
  auto other = std::make_unique<test::VirtualPad>("Second test pad");
  ASSERT_TRUE(other->Ok()) << SDL_GetError();
  Frames(2);  // SDL reports the new pad
  other->Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
  Frames(1);
  EXPECT_TRUE(s().scrollUpHeld) << "the second pad works beside the first";
  const int32_t x = s().pointerX;
  other->Axis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
  Frames(10);
  EXPECT_GT(s().pointerX, x) << "its stick moves the pointer";
  other.reset();
  Frames(2);
  EXPECT_FALSE(s().scrollUpHeld) << "an unplugged pad lets go of what it held";
  const int32_t after = s().pointerX;
  Frames(10);
  EXPECT_EQ(s().pointerX, after) << "and its stick no longer moves the pointer";
}

}  // namespace
}  // namespace quendrix
