// Putting on the training hole, headless: push and pull gestures from the
// pointer's point of view, the aids they draw and the shots they release.
#include "game/aiming.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/angles.h"
#include "core/rounding.h"
#include "play_fixture.h"

namespace quendrix::playdata {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Putting : ::testing::Test {
  void Begin(bool pull, bool easy = false) {
    LaunchSettings settings = FreshSettings(true);
    settings.pull[0] = pull;
    settings.easy[0] = easy;
    play = StartPlay(settings);
    play->Frame();
    play->MoveTo(2, 2);
    play->LeftClick();  // leaves the title card
    for (int i = 0; i < 60 && s().recentre; ++i) play->Frame();
    ASSERT_FALSE(s().recentre);
    start = {ball().x, ball().y};
  }
  GameSession& s() { return play->session(); }
  playerrec& ball() { return play->ball(1); }
  // Where the ball is on the screen.
  int32_t BallX() { return Nearest(ball().x) - s().scrollX; }
  int32_t BallY() { return Nearest(ball().y) - s().scrollY; }
  void PointAtBall() { play->MoveTo(BallX(), BallY()); }
  bool Played(EffectSound sound) {
    TWaveCollectionItem& item = play->main().sounds.Items[ItemIndex(sound)];
    for (const auto& e : play->sound.Events())
      if (e.kind == SilentSoundDevice::Event::kPlay && play->sound.Origin(e.id) == item.Buffer())
        return true;
    return false;
  }
  void RollToRest() {
    for (int i = 0; i < 2000 && s().ballsMoving; ++i) play->Frame();
    ASSERT_FALSE(s().ballsMoving);
  }
  // Direction of the ball's travel since the start, binary angle.
  int32_t Travel() { return BinAngle(ball().x - start.x, ball().y - start.y); }
  double Distance() { return std::hypot(ball().x - start.x, ball().y - start.y); }

  // A whole push putt: aim `aim` px left of the centre, pull back `back` px,
  // then swing up with a last step of `step` px.
  void PushPutt(int32_t aim, int32_t back, int32_t step) {
    PointAtBall();
    play->LeftClick();
    ASSERT_EQ(s().shotPhase, 1);
    play->MoveTo(320 - aim, 240);
    play->Frame();
    play->LeftClick();
    ASSERT_EQ(s().shotPhase, 2);
    play->MoveTo(320, 240 + back);
    play->Frame();
    ASSERT_EQ(s().shotPhase, 3);
    play->Frame();
    play->LeftClick();
    ASSERT_EQ(s().shotPhase, 4);
    play->MoveTo(320, 240 + step / 2);
    play->Frame();
    play->MoveTo(320, 240 + step / 2 - step);
    play->Frame();
  }

  std::unique_ptr<HeadlessPlay> play;
  struct {
    double x, y;
  } start{};
};

TEST_F(Putting, PushPuttGoesWhereItWasAimed) {
  Begin(false);
  PushPutt(20, 40, 20);
  EXPECT_EQ(s().shotPhase, 0);
  EXPECT_EQ(ball().strokes, 1);
  EXPECT_EQ(ball().totalStrokes, 1);
  EXPECT_TRUE(ball().moving);
  EXPECT_TRUE(Played(EffectSound::kPutt)) << "the putt sound";
  EXPECT_TRUE(Played(EffectSound::kClick)) << "the clicks of the phases";
  // The swing's last step (20 px -> 2.0) is capped by the backswing: 20 / 22.
  EXPECT_DOUBLE_EQ(ball().speed, 20.0 / 22);
  EXPECT_EQ(s().pointerX, 320) << "the pointer goes back to the centre";
  RollToRest();
  // Aimed 20 px left of the anchor: direction 128 + 20.
  EXPECT_NEAR(Travel(), 148, 1);
  EXPECT_GT(Distance(), 60);
}

TEST_F(Putting, PushBackswingArmsOnlyPastThirtyPixels) {
  Begin(false);
  PointAtBall();
  play->LeftClick();
  play->LeftClick();
  ASSERT_EQ(s().shotPhase, 2);
  play->MoveTo(320, 270);  // exactly 30 px: power 15
  play->Frame();
  EXPECT_EQ(s().shotPhase, 2);
  play->LeftClick();
  EXPECT_EQ(s().shotPhase, 2) << "a release during the backswing does nothing";
  play->MoveTo(320, 271);
  play->Frame();
  EXPECT_EQ(s().shotPhase, 3);
  EXPECT_EQ(s().backswingPeak, 0) << "set from the next frame on";
  play->Frame();
  EXPECT_DOUBLE_EQ(s().backswingPeak, 15.5);
}

TEST_F(Putting, PushReleaseWithoutPointerStepCountsNoStroke) {
  Begin(false);
  PointAtBall();
  play->LeftClick();
  play->LeftClick();
  play->MoveTo(320, 300);
  play->Frame();
  play->Frame();
  play->LeftClick();
  play->MoveTo(320, 230);
  play->MoveTo(320, 230);  // last step 0 px
  play->Frame();
  EXPECT_EQ(s().shotPhase, 0);
  EXPECT_EQ(ball().strokes, 0);
  RollToRest();
  EXPECT_LT(Distance(), 0.5);
}

TEST_F(Putting, PullPuttGoesAwayFromTheDrag) {
  Begin(true);
  PointAtBall();
  play->LeftDown();
  ASSERT_EQ(s().shotPhase, 1);
  EXPECT_TRUE(Played(EffectSound::kClick));
  EXPECT_EQ(s().anchorX, 320);
  play->MoveTo(380, 320);  // 100 px down and right
  play->Frame();
  EXPECT_EQ(Mod256(ball().direction), Mod256(BinAngle(-60.0, -80.0)));
  EXPECT_GE(ball().direction, 128);
  EXPECT_LE(ball().direction, 383);
  EXPECT_DOUBLE_EQ(ball().speed, 50);
  play->LeftUp();
  EXPECT_EQ(s().shotPhase, 2);
  EXPECT_EQ(s().pullSwing, 50);
  EXPECT_DOUBLE_EQ(ball().speed, 2.5);
  int frames = 0;
  while (s().shotPhase == 2 && frames < 50) {
    play->Frame();
    ++frames;
  }
  // The swing speeds up by 2 px a frame: 50, 48, 44, 38, 30, 20, 8, -6.
  EXPECT_EQ(frames, 8);
  EXPECT_EQ(ball().strokes, 1);
  EXPECT_TRUE(Played(EffectSound::kPutt));
  RollToRest();
  EXPECT_NEAR(Travel(), BinAngle(-60.0, -80.0), 1);
  EXPECT_GT(Distance(), 400);
}

TEST_F(Putting, ShortPullsCancelAndLongPullsAreCapped) {
  Begin(true);
  PointAtBall();
  play->LeftDown();
  play->MoveTo(323, 240);
  play->LeftUp();
  EXPECT_EQ(s().shotPhase, 0) << "3 px: abandoned";
  EXPECT_EQ(s().pullSwing, 0);
  EXPECT_EQ(ball().strokes, 0);

  PointAtBall();
  play->LeftDown();
  play->MoveTo(324, 240);
  play->LeftUp();
  EXPECT_EQ(s().shotPhase, 2) << "4 px: a putt";
  EXPECT_DOUBLE_EQ(ball().speed, 0.1);
  play->Frames(3);
  EXPECT_EQ(ball().strokes, 1);
  RollToRest();

  PointAtBall();
  play->LeftDown();
  play->MoveTo(620, 240);  // 300 px
  play->Frame();
  EXPECT_DOUBLE_EQ(ball().speed, 90) << "the putter stops at 90";
  play->LeftUp();
  EXPECT_DOUBLE_EQ(ball().speed, 7.5);
  for (int i = 0; i < 20 && s().shotPhase != 0; ++i) play->Frame();
  EXPECT_EQ(ball().strokes, 2);
  EXPECT_LE(ball().speed, 4.0);
  EXPECT_GT(ball().speed, 3.9);
}

TEST_F(Putting, AnAbandonedPullSwingDoesNotBlockPushPutting) {
  Begin(true);
  PointAtBall();
  play->LeftDown();
  play->MoveTo(320, 340);
  play->Frame();
  play->LeftUp();
  ASSERT_EQ(s().pullSwing, 50);
  play->RightClick();  // cancels mid-swing
  EXPECT_EQ(s().shotPhase, 0);
  EXPECT_EQ(s().pullSwing, 0);
  EXPECT_EQ(ball().strokes, 0);

  ball().pullPutt = false;  // the next putt is a push
  PushPutt(0, 40, 20);
  EXPECT_EQ(ball().strokes, 1);
  EXPECT_TRUE(ball().moving);
}

TEST_F(Putting, AimStartsOnlyNearTheRestingBall) {
  Begin(true);
  play->MoveTo(BallX() + 24, BallY());
  play->LeftDown();
  EXPECT_EQ(s().shotPhase, 0) << "24 px away";
  play->LeftUp();
  play->MoveTo(BallX() + 23, BallY());
  play->LeftDown();
  EXPECT_EQ(s().shotPhase, 1) << "23 px away";
  play->RightClick();
  s().ballsMoving = true;
  PointAtBall();
  play->LeftDown();
  EXPECT_EQ(s().shotPhase, 0) << "never while a ball moves";
}

// Top-left of the gauge (its first inside pixel minus the key frame).
std::pair<int32_t, int32_t> GaugeAt(const TDirectDrawSurface& screen) {
  const uint16_t gauge = Raw(kGaugeColour);
  for (int32_t y = 0; y < screen.Height(); ++y)
    for (int32_t x = 0; x < screen.Width(); ++x)
      if (screen.RawPixel(x, y) == gauge) return {x - 1, y - 1};
  return {-1000, -1000};
}

TEST_F(Putting, TheAimingAidMovesTheGaugeOutWithThePower) {
  for (const bool easy : {false, true}) {
    Begin(true, easy);
    PointAtBall();
    play->LeftDown();
    play->MoveTo(320, 340);  // 100 px straight down: the ball would go up
    play->Frame();
    const double angle = Mod256(ball().direction) * 2 * kPi / 256;
    const double t = easy ? 112 : 75;  // nearest(50 * 2.25), at least 75
    const auto [gx, gy] = GaugeAt(play->BackSurface());
    EXPECT_EQ(gx, Nearest(ball().x + std::cos(angle) * t) - 47 - s().scrollX) << easy;
    EXPECT_EQ(gy, Nearest(ball().y + std::sin(angle) * t) - 56 - s().scrollY) << easy;
  }
}

TEST_F(Putting, AShotFromSandIsChippedOut) {
  Begin(true);
  ball().onSand = true;
  PointAtBall();
  play->LeftDown();
  play->MoveTo(320, 300);
  play->LeftUp();
  for (int i = 0; i < 20 && s().shotPhase != 0; ++i) play->Frame();
  EXPECT_TRUE(ball().airborne);
  EXPECT_DOUBLE_EQ(ball().fallSpeed, 1.5 * 0.5 + 1);
}

TEST_F(Putting, TheTargetAnimatesWhileAiming) {
  Begin(false);
  PointAtBall();
  play->LeftClick();
  const int32_t first = s().targetFrame;
  play->Frame();
  EXPECT_EQ(s().targetFrame, (first + 1) % 10);
  for (int i = 0; i < 9; ++i) play->Frame();
  EXPECT_EQ(s().targetFrame, (first + 10) % 10) << "0 ... 9, wrapping";
}

}  // namespace
}  // namespace quendrix::playdata
