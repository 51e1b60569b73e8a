// The drops a captured ball makes frame by frame outside the physics: sinking
// in water and the put-back, the fall through a pipe and out of its exit,
// the sink into the cup, and the order the ball phase takes the balls in.
#include "game/ball_drop.h"
#include "game/ball_sprites.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/angles.h"
#include "test_support.h"

namespace quendrix::testing {
namespace {

TEST(LostBall, SinksAPixelAFrameAndSplashesWithOneRowLeft) {
  Table t;
  playerrec& b = t.ball();
  t.Place(1, 100, 100);
  b.lost = true;
  b.speed = 0.4;
  for (int f = 0; f < 8; ++f) EXPECT_FALSE(SinkInWater(t.s(), 1));
  EXPECT_EQ(b.sinkCounter, 7);
  EXPECT_EQ(b.speed, 0);  // stopped when seven rows are left
  EXPECT_DOUBLE_EQ(b.y, 108);
  EXPECT_EQ(t.s().courseEffects[kSplashSlot].x, 0) << "no splash yet";
  for (int f = 0; f < 6; ++f) SinkInWater(t.s(), 1);
  EXPECT_EQ(b.sinkCounter, 1);
  const courseEffect& splash = t.s().courseEffects[kSplashSlot];
  EXPECT_EQ(splash.x, 100 - 8);
  EXPECT_EQ(splash.y, 114 - 25);
  EXPECT_EQ(splash.image, ItemIndex(HoleImage::kSplash));
  EXPECT_EQ(splash.blend, 192);
  EXPECT_FALSE(splash.looping);
}

TEST(LostBall, IsDroppedBackOnlyOnceTheSplashHasFreedItsSlot) {
  Table t;
  playerrec& b = t.ball();
  t.Place(1, 100, 100);
  t.s().respawnX = 300;
  t.s().respawnY = 200;
  b.lost = true;
  for (int f = 0; f < 15; ++f) SinkInWater(t.s(), 1);
  EXPECT_EQ(b.sinkCounter, 0);
  EXPECT_FALSE(SinkInWater(t.s(), 1)) << "the splash still plays";
  EXPECT_TRUE(b.lost);
  t.s().courseEffects[kSplashSlot] = courseEffect{};
  t.s().effectSlot = 5;
  t.events.Clear();
  EXPECT_TRUE(SinkInWater(t.s(), 1));
  EXPECT_FALSE(b.lost);
  EXPECT_TRUE(b.airborne);
  EXPECT_TRUE(b.moving);
  EXPECT_DOUBLE_EQ(b.z, 80);
  EXPECT_EQ(b.sinkCounter, 15);
  EXPECT_EQ(b.lastArea, -1);
  EXPECT_TRUE(t.s().recentre);
  // 4 ... 25 px round the put-back point, vertical offsets halved.
  const double dx = b.x - 300, dy = (b.y - 200) * 2;
  const double d = std::hypot(dx, dy);
  EXPECT_GE(d, 3.99);
  EXPECT_LE(d, 25.01);
  const courseEffect& marker = t.s().courseEffects[5];
  EXPECT_EQ(marker.image, ItemIndex(HoleImage::kFlash));
  EXPECT_EQ(marker.y, static_cast<int32_t>(std::lrint(b.y)) - 28 - 80);
  EXPECT_EQ(t.s().effectSlot, 6);
  EXPECT_TRUE(t.events.Played(EffectSound::kPutBack));
}

struct PipeTable : Table {
  PipeTable(int32_t exitY = 400) {
    arearec& p = s().areas[3];
    p.kind = AreaKind::kPipeEntrance;
    p.enabled = true;
    p.x1 = 100;
    p.y1 = 100;
    p.r = 12;
    p.x2 = 300;
    p.y2 = exitY;
    p.x3 = 300;
    p.y3 = exitY - 20;
    p.x4 = 360;
    p.y4 = exitY - 20;
    p.p4 = 7;
    Place(1, 100, 100);
    ball().inPipe = true;
    ball().rideArea = 3;
    ball().moving = true;
  }
};

TEST(Pipe, FallsUntilItsDrawnPlacePassesTheExitThenPopsOutAlongTheArrow) {
  PipeTable t;
  playerrec& b = t.ball();
  int frames = 0;
  while (!FallThroughPipe(t.s(), 1)) {
    ASSERT_LT(++frames, 1000);
    EXPECT_LE(b.fallSpeed, 4.0 * t.s().substeps) << "the fall is capped";
    EXPECT_TRUE(b.inPipe);
  }
  EXPECT_GT(frames, 50) << "a drop of 300 px takes a while";
  EXPECT_FALSE(b.inPipe);
  EXPECT_DOUBLE_EQ(b.x, 300);
  EXPECT_DOUBLE_EQ(b.y, 400);
  EXPECT_DOUBLE_EQ(b.z, 20);
  EXPECT_TRUE(b.airborne);
  EXPECT_DOUBLE_EQ(b.fallSpeed, 0.3);
  EXPECT_EQ(b.lastArea, 7);
  // The arrow points along +x: 0, give or take 8.
  const int32_t d = Mod256(b.direction);
  EXPECT_TRUE(d <= 8 || d >= 248) << d;
  // 60 px of arrow: 1.2 + 0.25 less up to 0.4.
  EXPECT_GE(b.speed, 1.05 - 1e-9);
  EXPECT_LE(b.speed, 1.45 + 1e-9);
  EXPECT_TRUE(t.events.Played(EffectSound::kPipeExit));
}

TEST(Pipe, AnExitAboveTheEntranceLetsTheBallOutInTheFirstFrame) {
  PipeTable t(50);
  EXPECT_TRUE(FallThroughPipe(t.s(), 1));
  EXPECT_DOUBLE_EQ(t.ball().y, 50);
}

TEST(Pipe, HoldsADriftingBallWithinTheEntrance) {
  PipeTable t;
  playerrec& b = t.ball();
  b.x = 140;  // 40 px right of the middle, radius 12
  b.prevX = 139;
  b.prevY = 100;
  FallThroughPipe(t.s(), 1);
  EXPECT_DOUBLE_EQ(b.x, 138.5);  // half a pixel back from its mark
  EXPECT_DOUBLE_EQ(b.y, 100.5);
  EXPECT_EQ(Mod256(b.direction), 128);
}

TEST(Cup, SinksEverFasterAndIsPulledToTheMiddle) {
  Table t;
  playerrec& b = t.ball();
  arearec& cup = t.s().areas[2];
  cup.kind = AreaKind::kCup;
  cup.x1 = 200;
  cup.y1 = 200;
  cup.r = 10;
  t.Place(1, 200, 200);
  b.inCup = true;
  b.rideArea = 2;
  b.speed = 0;
  SinkInCup(t.s(), 1);
  EXPECT_DOUBLE_EQ(b.speed, 0.125);
  EXPECT_DOUBLE_EQ(b.fallSpeed, 0.35);
  EXPECT_DOUBLE_EQ(b.z, -0.35);
  for (int f = 0; f < 15; ++f) SinkInCup(t.s(), 1);
  EXPECT_LT(b.z, kHoledDepth) << "holed within sixteen frames";
  b.x = 230;
  b.prevX = 229;
  b.prevY = 200;
  SinkInCup(t.s(), 1);
  EXPECT_DOUBLE_EQ(b.x, 228);
}

TEST(Cup, ABallPutInByTheStrokeLimitOnlyFalls) {
  Table t;
  playerrec& b = t.ball();
  t.Place(1, 50, 60);
  b.inCup = true;
  b.rideArea = 0;
  SinkInCup(t.s(), 1);
  EXPECT_DOUBLE_EQ(b.x, 50);
  EXPECT_LT(b.z, 0);
}

TEST(BallPhase, TakesBallsByRoundedGroundYKeepingPlayerOrderOnTies) {
  Table t(4);
  t.Place(1, 0, 300.4);
  t.Place(2, 0, 100);
  t.Place(3, 0, 299.6);
  t.Place(4, 0, 100.2);
  std::array<int32_t, kMaxPlayers> order{};
  ASSERT_EQ(BallDrawOrder(t.s(), order), 4);
  EXPECT_EQ(order, (std::array<int32_t, kMaxPlayers>{2, 4, 1, 3}));
}

TEST(BallPhase, ReportsWhoWasDroppedBackAndLeavesHiddenBallsSinking) {
  Table t(2);
  t.Place(1, 100, 100);
  t.Place(2, 200, 100);
  for (int32_t p = 1; p <= 2; ++p) {
    t.ball(p).lost = true;
    t.ball(p).sinkCounter = 0;
  }
  t.ball(2).z = -31;  // too deep to be drawn: its stage does not run
  EXPECT_EQ(DropBalls(t.s()), 1u);
  EXPECT_FALSE(t.ball(1).lost);
  EXPECT_TRUE(t.ball(2).lost);
}

}  // namespace
}  // namespace quendrix::testing
