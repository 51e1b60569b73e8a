#include "game/collisions.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/angles.h"
#include "core/rounding.h"
#include "game/ball_motion.h"
#include "test_support.h"

namespace quendrix {
namespace {

using testing::Table;

TEST(WallMirror, TablesOfTheSlantedWalls) {
  // Band edges of the two tables: h = FoldHalfTurn(direction).
  EXPECT_EQ(WallMirrorAngle(19, 0), 32);
  EXPECT_EQ(WallMirrorAngle(19, 8), 32);
  EXPECT_EQ(WallMirrorAngle(19, 9), 38);
  EXPECT_EQ(WallMirrorAngle(19, 24), 45);
  EXPECT_EQ(WallMirrorAngle(19, 25), 42);
  EXPECT_EQ(WallMirrorAngle(19, 64), 32);
  EXPECT_EQ(WallMirrorAngle(19, 112), 19);
  EXPECT_EQ(WallMirrorAngle(19, 113), 26);
  EXPECT_EQ(WallMirrorAngle(19, 128), 32);
  EXPECT_EQ(WallMirrorAngle(109, 200), 96);  // h = 72
  EXPECT_EQ(WallMirrorAngle(109, 105), 83);
  EXPECT_EQ(WallMirrorAngle(109, 17), 109);
  EXPECT_EQ(WallMirrorAngle(109, -156), 86);  // -156 and 255 = 100
  EXPECT_EQ(WallMirrorAngle(109, 129), 96);   // folds to 1
  EXPECT_EQ(WallMirrorAngle(64, 17), 64);
  EXPECT_EQ(WallMirrorAngle(0, 99), 0);
}

TEST(WallRebound, MirrorsWithoutReducing) {
  Table t(1);
  t.ball().direction = 200;
  WallRebound(t.s(), 109, 1);
  EXPECT_EQ(t.ball().direction, -392);
  EXPECT_TRUE(t.ball().wallHit);
  t.ball().direction = 64;
  WallRebound(t.s(), 19, 1);
  EXPECT_EQ(t.ball().direction, -128);
  t.ball().direction = 0;
  WallRebound(t.s(), 64, 1);
  EXPECT_EQ(t.ball().direction, -128);
  t.ball().direction = 10;
  WallRebound(t.s(), 32, 1);
  EXPECT_EQ(t.ball().direction, -74);
  t.ball().direction = 10;
  WallRebound(t.s(), 96, 1);
  EXPECT_EQ(t.ball().direction, -202);
}

// Ball 1 heading straight at ball 2, 14 view pixels apart.
Table HeadOn(double speed, int32_t heading = 0) {
  Table t(2);
  t.settings.whencollide = 1;
  t.Place(1, 100, 100);
  t.Place(2, 114, 100);
  t.ball(1).direction = heading;
  t.ball(1).speed = speed;
  t.ball(1).moving = true;
  return t;
}

TEST(BallHits, HeadOnPassesTheSpeedAndPushesTheOtherBallOut) {
  Table t = HeadOn(2.0);
  t.ball(1).lastArea = 7;
  t.ball(2).lastArea = 8;
  BallHits(t.s(), 1);
  const playerrec& b = t.ball(1);
  const playerrec& j = t.ball(2);
  EXPECT_DOUBLE_EQ(j.speed, 1.9);
  EXPECT_EQ(j.direction, 0);
  EXPECT_DOUBLE_EQ(b.speed, 0.0);  // 0.95 x 2 - 1.9
  EXPECT_EQ(b.direction, 64);
  EXPECT_TRUE(j.moving);
  EXPECT_EQ(b.lastArea, -1);
  EXPECT_EQ(j.lastArea, -1);
  EXPECT_EQ(ViewDistance(100, 100, Nearest(j.x), Nearest(j.y)), 18);
  EXPECT_EQ(j.prevX, j.x);
  EXPECT_TRUE(t.events.Played(EffectSound::kLowHit));
  EXPECT_FALSE(t.s().bonusStrokeUsed);
}

TEST(BallHits, AGlancingHitPassesAlmostNothing) {
  Table t(2);
  t.Place(1, 100, 100);
  t.Place(2, 110, 100);
  t.ball(1).direction = 64;  // down, with the other ball to its right: delta = 64
  t.ball(1).speed = 2.0;
  BallHits(t.s(), 1);
  EXPECT_NEAR(t.ball(2).speed, 0.0, 1e-12);
  EXPECT_EQ(t.ball(1).direction, 64);
  EXPECT_NEAR(t.ball(1).speed, 1.9, 1e-12);
  // Heading up instead (delta = 192) turns it the other way: phi - 64.
  t.Place(2, 110, 100);
  t.ball(1).direction = 192;
  BallHits(t.s(), 1);
  EXPECT_EQ(t.ball(1).direction, -64);
}

TEST(BallHits, TouchNeedsBothGroundAndHeightCloseness) {
  Table t = HeadOn(2.0);
  t.Place(2, 115, 100);  // view distance 15: not touching
  BallHits(t.s(), 1);
  EXPECT_FALSE(t.ball(2).moving);
  t.Place(2, 100, 107);  // 7 down counts 14
  t.ball(2).z = 15;      // but 15 higher
  BallHits(t.s(), 1);
  EXPECT_FALSE(t.ball(2).moving);
  t.ball(2).z = 14.5;
  BallHits(t.s(), 1);
  EXPECT_TRUE(t.ball(2).moving);
  EXPECT_EQ(t.ball(2).direction, 64);
}

TEST(BallHits, BallsInTheCupOrOffTheCourseAreNotHit) {
  for (int which = 0; which < 2; ++which) {
    Table t = HeadOn(2.0);
    (which == 0 ? t.ball(2).inCup : t.ball(2).inPlay) = which == 0;
    BallHits(t.s(), 1);
    EXPECT_FALSE(t.ball(2).moving) << which;
    EXPECT_EQ(t.ball(1).speed, 2.0);
  }
}

TEST(BallHits, OnlyWhenBallsCollideAtAll) {
  for (int32_t collide : {0, 1}) {
    Table t(2);
    t.settings.whencollide = collide;
    t.Place(1, 100, 100);
    t.Place(2, 130, 100);
    t.Shoot(1, 0, 2.0);
    for (int i = 0; i < 40; ++i) MoveBalls(t.s());
    EXPECT_EQ(t.ball(2).moving || t.ball(2).x != 130, collide == 1) << collide;
    if (collide == 1) {
      EXPECT_GT(t.ball(2).x, 140.0);
      EXPECT_LT(t.ball(1).x, 130.0);
    } else {
      EXPECT_GT(t.ball(1).x, 160.0);  // straight through
    }
  }
}

TEST(BallHits, AStruckHigherNumberedBallMovesInTheSameFrame) {
  Table t(2);
  t.settings.whencollide = 1;
  t.Place(1, 100, 100);
  t.Place(2, 116, 100);
  t.Shoot(1, 0, 2.5);
  t.s().substeps = 4;
  MoveBalls(t.s());
  ASSERT_TRUE(t.ball(2).moving);
  // Pushed out to 18 from where ball 1 stepped back to, then rolled on.
  EXPECT_GT(t.ball(2).x, t.ball(2).prevX);
}

TEST(ExtraStroke, TheFirstHitOfATurnGivesTheCurrentPlayerAStroke) {
  Table t = HeadOn(2.0);
  t.settings.plus1 = true;
  t.s().currentPlayer = 2;  // need not own the striking ball
  t.ball(2).strokes = 3;
  t.ball(2).totalStrokes = 10;
  BallHits(t.s(), 1);
  EXPECT_TRUE(t.s().bonusStrokeUsed);
  EXPECT_EQ(t.ball(2).strokes, 2);
  EXPECT_EQ(t.ball(2).totalStrokes, 9);
  EXPECT_EQ(t.ball(1).strokes, 0);
  EXPECT_EQ(t.s().bannerText, "EUE  JDAP   ");
  EXPECT_EQ(t.s().tickerText, std::string(19, ' ') + "D0Y0VHNTEVLHLIN JDAP");
  EXPECT_TRUE(t.events.Played(EffectSound::kBonus));
  // A second hit in the same turn gives nothing more.
  t.Place(2, 114, 100);
  t.ball(1).speed = 2;
  t.ball(1).direction = 0;
  t.events.Clear();
  BallHits(t.s(), 1);
  EXPECT_EQ(t.ball(2).strokes, 2);
  EXPECT_FALSE(t.events.Played(EffectSound::kBonus));
}

TEST(ExtraStroke, OffWithoutTheRule) {
  Table t = HeadOn(2.0);
  BallHits(t.s(), 1);
  EXPECT_FALSE(t.s().bonusStrokeUsed);
  EXPECT_FALSE(t.events.Played(EffectSound::kBonus));
}

TEST(BallHits, ThreeBallsInARowAllMoveAndNobodyOverlaps) {
  Table t(3);
  t.settings.whencollide = 1;
  t.Place(1, 100, 100);
  t.Place(2, 130, 100);
  t.Place(3, 148, 100);
  t.Shoot(1, 0, 3.0);
  for (int i = 0; i < 200; ++i) MoveBalls(t.s());
  EXPECT_GT(t.ball(3).x, 148.0);
  EXPECT_GT(t.ball(2).x, 130.0);
  for (int32_t a = 1; a <= 3; ++a)
    for (int32_t b = a + 1; b <= 3; ++b)
      EXPECT_GE(ViewDistance(Nearest(t.ball(a).x), Nearest(t.ball(a).y), Nearest(t.ball(b).x),
                             Nearest(t.ball(b).y)),
                15);
}

}  // namespace
}  // namespace quendrix
