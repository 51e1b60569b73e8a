// The drops outside the physics, on course1hole1: a ball lost in water sinks
// and comes back, a ball in a pipe falls to its exit, a ball in the cup sinks
// under the cover and is holed.
#include <gtest/gtest.h>

#include "core/angles.h"
#include "core/rounding.h"
#include "game/ball_motion.h"
#include "play_fixture.h"

namespace quendrix::playdata {
namespace {

struct Drops : ::testing::Test {
  void SetUp() override {
    LaunchSettings settings = FreshSettings();
    settings.minus1 = true;
    play = StartPlay(settings);
    play->Frame();
    play->Key(vk::kSpace);
  }
  GameSession& s() { return play->session(); }
  playerrec& ball() { return play->ball(1); }
  // Sets the ball rolling slowly from (x, y).
  void Roll(double x, double y, int32_t direction, double speed) {
    ball().x = ball().prevX = ball().safeX = x;
    ball().y = ball().prevY = ball().safeY = y;
    ball().direction = direction;
    ball().speed = speed;
    StartShot(s(), 1, true);
  }
  uint16_t Pixel(int32_t courseX, int32_t courseY) {
    return static_cast<uint16_t>(
        play->BackSurface().RawPixel(courseX - s().scrollX, courseY - s().scrollY));
  }
  bool Played(EffectSound sound) {
    TWaveCollectionItem& item = play->main().sounds.Items[ItemIndex(sound)];
    for (const auto& e : play->sound.Events())
      if (e.kind == SilentSoundDevice::Event::kPlay && play->sound.Origin(e.id) == item.Buffer())
        return true;
    return false;
  }

  std::unique_ptr<HeadlessPlay> play;
};

TEST_F(Drops, ABallInWaterSinksAndComesBackNearTheRespawnPoint) {
  Roll(300, 700, 0, 0.2);  // water circle r 40 at (300, 700), respawn (200, 600)
  play->Frame();
  ASSERT_TRUE(ball().lost);
  EXPECT_EQ(s().respawnX, 200);
  // Sinks a pixel a frame from the frame it fell in, losing a sprite row each time.
  EXPECT_EQ(ball().sinkCounter, 14);
  const double y0 = ball().y;
  for (int32_t k = 13; k >= 1; --k) {
    play->Frame();
    EXPECT_EQ(ball().sinkCounter, k);
  }
  EXPECT_NEAR(ball().y, y0 + 13, 0.3) << "the water drag moves it a little too";
  EXPECT_EQ(ball().speed, 0) << "stopped at sink counter 7";
  // The splash in slot 32 at the ball.
  const courseEffect& splash = s().courseEffects[32];
  EXPECT_EQ(splash.image, 4);
  EXPECT_EQ(splash.x, Nearest(ball().x) - 8);
  EXPECT_EQ(splash.y, Nearest(ball().y) - 25);
  EXPECT_EQ(splash.blend, 192);
  int frames = 0;
  while (ball().lost && frames < 100) {
    play->Frame();
    ++frames;
  }
  ASSERT_FALSE(ball().lost);
  // Splash of 4 patterns: 16 frames at one substep (one already gone).
  EXPECT_GE(frames, 15);
  EXPECT_LE(frames, 17);
  EXPECT_EQ(ball().sinkCounter, 15);
  EXPECT_TRUE(ball().airborne);
  EXPECT_TRUE(ball().moving);
  EXPECT_GT(ball().z, 70) << "dropped from 80";
  EXPECT_LE(std::abs(ball().x - 200), 25.0 + 1);
  EXPECT_LE(std::abs(ball().y - 600), 12.5 + 1);
  EXPECT_TRUE(Played(EffectSound::kPutBack));
  EXPECT_TRUE(s().recentre);
  // The penalty stroke, as the rules ask.
  EXPECT_EQ(ball().strokes, 2);
  EXPECT_EQ(s().bannerFade > 0 || !s().bannerText.empty(), true);
  // A drop marker in the ring.
  bool marker = false;
  for (int32_t slot = 1; slot <= 30; ++slot) marker |= s().courseEffects[slot].image == 13;
  EXPECT_TRUE(marker);
  for (int i = 0; i < 500 && s().ballsMoving; ++i) play->Frame();
  EXPECT_FALSE(s().ballsMoving);
  EXPECT_EQ(ball().z, 0);
}

TEST_F(Drops, ASinkingBallIsDrawnWithFewerRows) {
  Roll(300, 700, 0, 0.2);
  play->Frame();
  ASSERT_TRUE(ball().lost);
  for (int i = 0; i < 6; ++i) play->Frame();
  // Sink counter 8: rows 0 ... 8 of the sprite; the water hides the rest.
  ASSERT_EQ(ball().sinkCounter, 8);
  const int32_t x = Nearest(ball().x), y = Nearest(ball().y);
  EXPECT_NE(Pixel(x, y), Raw(kCourseColour));
  EXPECT_EQ(Pixel(x, y + 1), Raw(kCourseColour));
}

TEST_F(Drops, ABallFallsThroughThePipeToItsExit) {
  Roll(900, 300, 0, 0.3);  // entrance r 10 at (900, 300)
  play->Frame();
  ASSERT_TRUE(ball().inPipe);
  EXPECT_EQ(ball().rideArea, 3);
  int frames = 0;
  while (ball().inPipe && frames < 400) {
    play->Frame();
    ++frames;
    if (ball().inPipe) {
      EXPECT_LE(ViewDistance(Nearest(ball().x), Nearest(ball().y), 900, 300), 12)
          << "held in the entrance";
    }
  }
  ASSERT_FALSE(ball().inPipe);
  EXPECT_TRUE(Played(EffectSound::kPipeExit));
  // Out of the mouth at (1000, 600) along the arrow down, from 10 px up.
  EXPECT_TRUE(ball().airborne);
  EXPECT_TRUE(ball().inPlay);
  EXPECT_TRUE(s().recentre);
  EXPECT_NEAR(Mod256(ball().direction), 64, 8);
  EXPECT_NEAR(ball().x, 1000, 0.01);
  EXPECT_NEAR(ball().y, 600, 0.01);
  EXPECT_DOUBLE_EQ(ball().z, 10);
  // 50 px / 50 + 0.25 - 0 ... 0.4.
  EXPECT_GE(ball().speed, 0.85 - 1e-9);
  EXPECT_LE(ball().speed, 1.25 + 1e-9);
  for (int i = 0; i < 800 && s().ballsMoving; ++i) play->Frame();
  EXPECT_FALSE(s().ballsMoving);
  EXPECT_GT(ball().y, 600);
}

TEST_F(Drops, ABallInTheCupSinksUnderTheCoverAndIsHoled) {
  Roll(1000, 798, 64, 0.3);  // cup r 8 at (1000, 800), cover at (988, 794)
  play->Frame();
  ASSERT_TRUE(ball().inCup);
  // While it sinks the rim covers its lower half.
  bool covered = false;
  int frames = 0;
  while (ball().inPlay && frames < 100) {
    if (ball().z > -30 && frames > 0) covered |= Pixel(1000, 799) == Raw(kCupCoverColour);
    play->Frame();
    ++frames;
  }
  EXPECT_TRUE(covered);
  EXPECT_FALSE(ball().inPlay);
  EXPECT_EQ(ball().x, 5000) << "parked off the course";
  EXPECT_EQ(s().players[1].holeScores[1], 1);
  EXPECT_EQ(s().firstHoledPlayer, 1);
  EXPECT_EQ(s().bestHoleScore, 1);
  EXPECT_EQ(s().gameState, GameState::kHoleFinished);
  // z after n frames: -0.35 n (n + 1) / 2 below -45 after 16.
  EXPECT_GE(frames, 15);
  EXPECT_LE(frames, 18);
}

TEST_F(Drops, TwoPlayersTakeTurnsAndTheHoleEndsWhenBothAreIn) {
  LaunchSettings settings = FreshSettings();
  settings.players = 1;
  play = StartPlay(settings);
  play->Frame();
  play->Key(vk::kSpace);
  ASSERT_FALSE(s().players[2].inPlay);
  Roll(1000, 798, 64, 0.3);
  for (int i = 0; i < 100 && s().currentPlayer == 1; ++i) play->Frame();
  EXPECT_EQ(s().currentPlayer, 2) << "the turn passes once ball 1 is holed";
  EXPECT_TRUE(s().players[2].inPlay) << "ball 2 comes onto the course";
  EXPECT_NE(s().gameState, GameState::kHoleFinished);
  playerrec& two = s().players[2];
  two.x = two.prevX = two.safeX = 1000;
  two.y = two.prevY = two.safeY = 798;
  two.direction = 64;
  two.speed = 0.3;
  StartShot(s(), 2, true);
  for (int i = 0; i < 100 && s().gameState != GameState::kHoleFinished; ++i) play->Frame();
  EXPECT_EQ(s().gameState, GameState::kHoleFinished);
  EXPECT_EQ(s().players[1].holesWon, 1) << "tied on one stroke: both win";
  EXPECT_EQ(s().players[2].holesWon, 1);
}

}  // namespace
}  // namespace quendrix::playdata
