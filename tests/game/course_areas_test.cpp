// Area kinds driven by real balls on small holes written in the test.
#include "game/course_areas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/angles.h"
#include "core/rounding.h"
#include "game/ball_motion.h"
#include "test_support.h"

namespace quendrix {
namespace {

using testing::Table;

// "[areaN]" with the given keys and enabled=1.
std::string Area(int n, const std::string& keys) {
  std::string text = "[area" + std::to_string(n) + "]\nenabled=1\n";
  for (size_t start = 0; start < keys.size();) {
    size_t end = keys.find(' ', start);
    if (end == std::string::npos) end = keys.size();
    text += keys.substr(start, end - start) + "\n";
    start = end + 1;
  }
  return text;
}

// Runs substeps of ball p until `done` holds; false after `limit` substeps.
template <typename Done>
bool RunUntil(Table& t, int32_t p, int limit, Done done) {
  for (int i = 0; i < limit; ++i) {
    BallSubstep(t.s(), p);
    if (done(t.ball(p))) return true;
  }
  return false;
}

arearec Shape(int32_t r, int32_t x1, int32_t y1, int32_t x2 = 0, int32_t y2 = 0, int32_t x3 = 0,
              int32_t y3 = 0, int32_t x4 = 0, int32_t y4 = 0) {
  arearec a;
  a.kind = AreaKind::kWall64;
  a.enabled = true;
  a.r = r;
  a.x1 = x1;
  a.y1 = y1;
  a.x2 = x2;
  a.y2 = y2;
  a.x3 = x3;
  a.y3 = y3;
  a.x4 = x4;
  a.y4 = y4;
  return a;
}

TEST(AreaShapes, CircleIsAnEllipseHalfAsHigh) {
  const arearec c = Shape(20, 100, 100);
  EXPECT_TRUE(AreaContains(c, 120, 100));
  EXPECT_TRUE(AreaContains(c, 100, 110));
  EXPECT_FALSE(AreaContains(c, 100, 111));
  EXPECT_FALSE(AreaContains(c, 121, 100));
  EXPECT_TRUE(AreaContains(c, 90, 95));  // sqrt(10^2 + (2 x 5)^2) = 14.1
}

TEST(AreaShapes, SegmentIsABandEightWideWithRoundEnds) {
  const arearec s = Shape(0, 0, 0, 100, 0);
  EXPECT_TRUE(AreaContains(s, 50, 4));
  EXPECT_TRUE(AreaContains(s, 50, -4));
  EXPECT_TRUE(AreaContains(s, 104, 0));
  EXPECT_TRUE(AreaContains(s, -4, 0));
  EXPECT_FALSE(AreaContains(s, 50, 5));
  EXPECT_FALSE(AreaContains(s, 105, 0));
  EXPECT_TRUE(AreaContains(s, 103, 3));   // distance 4.24 rounds to 4
  EXPECT_FALSE(AreaContains(s, 104, 3));  // 5
  // A slanted segment: the band is measured square to it.
  const arearec d = Shape(0, 0, 0, 100, 100);
  EXPECT_TRUE(AreaContains(d, 52, 48));
  EXPECT_FALSE(AreaContains(d, 55, 45));
}

TEST(AreaShapes, QuadrilateralEitherWindingEdgesInside) {
  const arearec cw = Shape(0, 10, 10, 50, 10, 50, 30, 10, 30);
  const arearec ccw = Shape(0, 10, 10, 10, 30, 50, 30, 50, 10);
  for (const arearec& q : {cw, ccw}) {
    EXPECT_TRUE(AreaContains(q, 30, 20));
    EXPECT_TRUE(AreaContains(q, 10, 10));
    EXPECT_TRUE(AreaContains(q, 50, 25));
    EXPECT_FALSE(AreaContains(q, 51, 25));
    EXPECT_FALSE(AreaContains(q, 30, 9));
  }
  const Quad square{{{0, 0}, {10, 0}, {10, 10}, {0, 10}}};
  EXPECT_TRUE(QuadHit(square, {5, 5}));
  EXPECT_FALSE(QuadHit(square, {11, 5}));
}

TEST(AreaShapes, NoShapeOrDisabledNeverHolds) {
  arearec a = Shape(0, 100, 100, 200, 100, 0, 0, 150, 150);  // x3 = 0, x4 != 0
  for (int x = 90; x <= 210; x += 5) EXPECT_FALSE(AreaContains(a, x, 100));
  a = Shape(0, 100, 100, 200, 100, 150, 150, 0, 0);  // x4 = 0, x3 != 0
  EXPECT_FALSE(AreaContains(a, 150, 100));
  arearec off = Shape(30, 100, 100);
  off.enabled = false;
  EXPECT_FALSE(AreaContains(off, 100, 100));
}

// A flat shape (all corners on one line, or a segment of zero length) must
// not reach along the whole line through it.
TEST(AreaShapes, FlatShapesHoldOnlyWhatLiesBetweenTheirCorners) {
  const arearec dot = Shape(0, 300, 400, 300, 400);  // zero-length segment
  EXPECT_TRUE(AreaContains(dot, 300, 400));
  EXPECT_TRUE(AreaContains(dot, 304, 400));
  EXPECT_TRUE(AreaContains(dot, 302, 402));
  EXPECT_FALSE(AreaContains(dot, 305, 400));
  EXPECT_FALSE(AreaContains(dot, 900, 400));
  EXPECT_FALSE(AreaContains(dot, -50, 400));
  const arearec point = Shape(0, 50, 50, 50, 50, 50, 50, 50, 50);
  EXPECT_TRUE(AreaContains(point, 50, 50));
  EXPECT_FALSE(AreaContains(point, 51, 50));
  EXPECT_FALSE(AreaContains(point, 700, 10));
  const arearec line = Shape(0, 10, 10, 20, 20, 30, 30, 40, 40);
  EXPECT_TRUE(AreaContains(line, 25, 25));
  EXPECT_FALSE(AreaContains(line, 60, 60));
  EXPECT_FALSE(AreaContains(line, 25, 26));
}

TEST(AreaShapes, ExtremeCoordinatesAreSafe) {
  const arearec q = Shape(0, INT32_MAX, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX,
                          INT32_MIN, INT32_MIN);
  AreaContains(q, 0, 0);
  const arearec s = Shape(0, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
  EXPECT_TRUE(AreaContains(s, 0, 0));
  EXPECT_FALSE(AreaContains(s, 100, -100));
  const arearec c = Shape(INT32_MAX, INT32_MIN, 0);
  EXPECT_TRUE(AreaContains(c, 0, 0));
  EXPECT_FALSE(AreaContains(Shape(5, INT32_MAX, INT32_MAX), INT32_MIN, INT32_MIN));
}

// ---- walls --------------------------------------------------------------

struct WallCase {
  int kind;
  const char* shape;  // keys of a long wall across the ball's path
  int32_t direction;  // heading into the wall
  int32_t expected;   // heading after the next substep, 0 ... 255
};

TEST(Walls, EachWallAngleRebounds) {
  const WallCase cases[] = {
      {2, "x1=130 y1=0 x2=130 y2=400", 0, 128},   // vertical: 128 - d
      {2, "x1=130 y1=0 x2=130 y2=400", 20, 108},  //
      {4, "x1=0 y1=230 x2=400 y2=230", 64, 192},  // horizontal: -d
      {4, "x1=0 y1=230 x2=400 y2=230", 40, 216},  //
      {6, "x1=0 y1=330 x2=330 y2=0", 0, 192},     // -64 - d
      {7, "x1=130 y1=0 x2=430 y2=300", 0, 64},    // -192 - d
      {1, "x1=0 y1=230 x2=400 y2=230", 64, 128},  // h 64: mirror 32
      {1, "x1=130 y1=0 x2=130 y2=400", 10, 170},  // h 10: mirror 38, -76 - 10
      {3, "x1=0 y1=230 x2=400 y2=230", 72, 248},  // h 72: mirror 96, -192 - 72
      {3, "x1=0 y1=230 x2=400 y2=230", 20, 18},   // h 20: mirror 109, -218 - 20
  };
  for (const WallCase& c : cases) {
    Table t(1);
    t.Load(Area(3, "kind=" + std::to_string(c.kind) + " " + c.shape));
    t.Place(1, 100, 200);
    t.Shoot(1, c.direction, 2.0);
    ASSERT_TRUE(RunUntil(t, 1, 200, [](const playerrec& b) { return b.lastArea == 3; }))
        << "kind " << c.kind << " heading " << c.direction;
    const playerrec& b = t.ball();
    // Stepped back to the motion mark and damped.
    EXPECT_EQ(b.x, b.prevX);
    EXPECT_EQ(b.y, b.prevY);
    EXPECT_NEAR(b.speed, 0.9 * (2.0 - 0.005 * 1), 0.9 * 0.005 * 200);
    EXPECT_EQ(Mod256(b.direction), c.expected) << "kind " << c.kind << " heading " << c.direction;
    BallSubstep(t.s(), 1);
    EXPECT_EQ(t.ball().direction, c.expected) << "kind " << c.kind;
    EXPECT_TRUE(t.events.Played(EffectSound::kLowHit));
  }
}

TEST(Walls, VerticalWallSendsAStraightBallBackWithNinetyPercent) {
  Table t(1);
  t.Load(Area(1, "kind=2 x1=110 y1=0 x2=110 y2=400"));
  t.Place(1, 100, 200);
  t.Shoot(1, 0, 2.0);
  double speedBefore = 0;
  ASSERT_TRUE(RunUntil(t, 1, 50, [&](const playerrec& b) {
    if (!b.wallHit && b.lastArea != 1) speedBefore = b.speed;
    return b.lastArea == 1;
  }));
  EXPECT_DOUBLE_EQ(t.ball().speed, 0.9 * (speedBefore - 0.005));
  EXPECT_EQ(t.ball().direction, -128);
  BallSubstep(t.s(), 1);
  EXPECT_EQ(t.ball().direction, 128);
  // The ball stays on its side and rolls away.
  for (int i = 0; i < 300; ++i) BallSubstep(t.s(), 1);
  EXPECT_LT(t.ball().x, 100.0);
}

TEST(Walls, HighHitsFlashAndSoundDifferently) {
  for (double z : {12.0, 10.0}) {
    Table t(1);
    t.Load(Area(1, "kind=4 x1=0 y1=203 x2=400 y2=203"));
    t.Place(1, 100, 196);
    t.Shoot(1, 64, 3.0);
    t.ball().z = z;
    t.ball().airborne = true;
    t.ball().fallSpeed = 0;  // keeps its height through this substep
    BallSubstep(t.s(), 1);
    ASSERT_EQ(t.ball().lastArea, 1) << z;
    const courseEffect& e = t.s().courseEffects[1];
    if (z > 10) {
      EXPECT_TRUE(t.events.Played(EffectSound::kHighHit));
      EXPECT_EQ(e.image, 16);
      EXPECT_EQ(e.blend, 192);
      EXPECT_EQ(e.x, 100 - 30);
      EXPECT_EQ(e.y, 199 - 30 - 12);  // at the ball as it struck: y 198.995
      EXPECT_EQ(t.s().effectSlot, 2);
    } else {
      EXPECT_TRUE(t.events.Played(EffectSound::kLowHit));
      EXPECT_FALSE(t.events.Played(EffectSound::kHighHit));
      EXPECT_EQ(e.x, 0);
      EXPECT_EQ(t.s().effectSlot, 1);
    }
  }
}

TEST(Walls, AWallActsOncePerEntryAndLoudWallsBurst) {
  Table t(1);
  t.Load(Area(1, "kind=1 p1=1 x1=120 y1=0 x2=120 y2=400") +
         Area(2, "kind=2 x1=60 y1=0 x2=60 y2=400"));
  t.Place(1, 100, 200);
  t.Shoot(1, 0, 2.0);
  ASSERT_TRUE(RunUntil(t, 1, 50, [](const playerrec& b) { return b.lastArea == 1; }));
  EXPECT_TRUE(t.events.Played(EffectSound::kStuck));
  for (const Particle& p : t.s().particles) EXPECT_EQ(p.colour, 0xC9C4AF);
  // Held inside the wall, the next pass leaves it alone.
  t.events.Clear();
  playerrec& b = t.ball();
  b.x = b.prevX = 119;
  AreaPass(t.s(), 1);
  EXPECT_TRUE(b.touching == false);  // the scratch flag holds the last area's test
  EXPECT_FALSE(b.wallHit);
  EXPECT_TRUE(t.events.sounds.empty());
}

// A segment wall is 9 pixels thick (8 plus the centre line); no putt can be
// fast enough to step over it in one substep, from any heading.
TEST(Walls, NoBallAtTopPuttSpeedPassesASegmentWall) {
  const double topSpeed = 5.0;  // the motion caps every speed at 5 px per substep
  for (int32_t heading = 0; heading < 256; heading += 3) {
    for (double offset : {0.0, 0.37, 0.5, 0.81}) {
      Table t(1);
      t.Load(Area(1, "kind=4 x1=-1000 y1=200 x2=1000 y2=200") +
             Area(2, "kind=1 x1=-1000 y1=-1000 x2=1000 y2=1000"));
      // Start 20 px from the wall on the side the heading points away from.
      const double side = BinSin(heading) >= 0 ? -1 : 1;
      t.Place(1, offset, 200 + side * 20 + offset);
      t.Shoot(1, heading, topSpeed);
      for (int i = 0; i < 40; ++i) {
        BallSubstep(t.s(), 1);
        ASSERT_EQ((t.ball().y - 200) * side >= 0, true)
            << "heading " << heading << " offset " << offset;
      }
    }
  }
}

// A quadrilateral wall thinner than one substep of travel can be crossed:
// the hole checker warns about such walls.
TEST(Walls, AThinQuadrilateralWallCanBeCrossed) {
  Table t(1);
  t.Load(Area(1, "kind=4 x1=-500 y1=200 x2=500 y2=200 x3=500 y3=202 x4=-500 y4=202"));
  t.Place(1, 0, 198.9);  // one substep of 4.09 px jumps from row 199 to row 203
  t.Shoot(1, 64, 90.0 / 22.0);
  for (int i = 0; i < 5; ++i) BallSubstep(t.s(), 1);
  EXPECT_GT(t.ball().y, 202.0);
  EXPECT_NE(t.ball().lastArea, 1);
}

// ---- slopes, ramps, funnel ----------------------------------------------

TEST(Slopes, EachSlopePushesItsWay) {
  const int32_t push[8] = {1, 19, 64, 109, 128, 147, 192, 237};
  for (int kind = 15; kind <= 22; ++kind) {
    Table t(1);
    t.Load(Area(1, "kind=" + std::to_string(kind) + " r=5000 x1=500 y1=500"));
    t.Place(1, 500, 500);
    // A nudge: the slope acts from the first area pass on.
    t.Shoot(1, 0, 0.05);
    for (int i = 0; i < 300; ++i) BallSubstep(t.s(), 1);
    const playerrec& b = t.ball();
    EXPECT_TRUE(b.moving) << kind;
    EXPECT_EQ(b.lastPushDirection, push[kind - 15]);
    EXPECT_NEAR(b.pushSpeed, 0.025, 1e-12);
    // Headings are whole steps, so a fast ball turns towards the push only
    // until one substep's turn rounds away: it ends a few steps off.
    const int32_t moved = BinAngle(b.x - 500, b.y - 500);
    EXPECT_LE(std::abs(static_cast<int8_t>(moved - push[kind - 15])), 6) << kind;
    EXPECT_GT(std::hypot(b.x - 500, b.y - 500), 300.0) << kind;
  }
}

TEST(Slopes, TheHigherNumberedOfTwoOverlappingSlopesWins) {
  Table t(1);
  t.Load(Area(4, "kind=17 r=300 x1=500 y1=500") + Area(9, "kind=19 r=300 x1=500 y1=500"));
  t.Place(1, 500, 500);
  t.Shoot(1, 0, 0.0001);
  BallSubstep(t.s(), 1);
  EXPECT_EQ(t.ball().pushDirection, 128);
}

TEST(Ramps, RampCodesAndPushStrengthLimits) {
  struct Case {
    int kind;
    int32_t code, direction;
  } cases[] = {{8, -13, 96}, {9, 13, 1}, {10, 13, 32}, {11, -13, 128}};
  for (const Case& c : cases) {
    for (double speed : {1.0, 2.0, 3.0}) {
      Table t(1);
      t.Load(Area(1, "kind=" + std::to_string(c.kind) + " r=400 x1=300 y1=300"));
      t.Place(1, 300, 300);
      t.ball().lastArea = 5;
      t.Shoot(1, 64, speed + 0.005);  // after friction: exactly `speed`
      t.ball().lastArea = 5;
      BallSubstep(t.s(), 1);
      const playerrec& b = t.ball();
      EXPECT_EQ(b.rampCode, c.code);
      EXPECT_EQ(b.pushDirection, c.direction);
      EXPECT_EQ(b.lastArea, -1);
      const double expected = speed == 1.0 ? 0.017 : speed == 2.0 ? 0.028 : 0.031;
      EXPECT_NEAR(b.pushSpeed, expected, 1e-12) << c.kind << " " << speed;
    }
  }
}

TEST(Ramps, EnteringBendsAndAFastBallLeavingTheEdgeJumps) {
  Table t(1);
  const std::string ramp = Area(1, "kind=8 x1=10 y1=0 x2=110 y2=0 x3=110 y3=400 x4=10 y4=400");
  t.Load(ramp);
  // Rolling onto a -13 ramp bends the heading by round(|cos(10 - 19)| x 15) = 15.
  t.Place(1, 90, 200);
  t.Shoot(1, 10, 3.5);
  BallSubstep(t.s(), 1);
  BallSubstep(t.s(), 1);
  EXPECT_EQ(t.ball().direction, -5);

  // A ball already rolling on the ramp, heading up and right (220), leaves
  // its edge at speed above 2: bent by 3 to 223, inside 209 ... 239, it jumps.
  Table u(1);
  u.Load(ramp);
  u.Place(1, 100, 200);
  u.ball().rampCode = u.ball().lastRampCode = -13;
  u.Shoot(1, 220, 3.5);
  ASSERT_TRUE(RunUntil(u, 1, 20, [](const playerrec& b) { return b.airborne; }));
  EXPECT_GT(u.ball().x, 110.0);
  EXPECT_GT(u.ball().direction, 208);
  EXPECT_LT(u.ball().direction, 240);
  EXPECT_NEAR(u.ball().fallSpeed, 0.92 * u.ball().speed, 1e-12);
}

TEST(Funnel, PushesTowardsItsCentreOnlyOnTheGround) {
  Table t(1);
  t.Load(Area(1, "kind=14 r=200 x1=300 y1=300"));
  t.Place(1, 300, 260);  // straight above the centre
  t.Shoot(1, 0, 1.0);
  BallSubstep(t.s(), 1);
  // From the rounded ball (301, 260) to the centre: BinAngle(-1, 40) = 65.
  EXPECT_EQ(t.ball().pushDirection, 65);
  EXPECT_NEAR(t.ball().pushSpeed, 0.025 * 0.995 + 0.025, 1e-12);
  t.ball().airborne = true;
  t.ball().fallSpeed = 3;
  BallSubstep(t.s(), 1);
  EXPECT_EQ(t.ball().pushDirection, 0);
}

// ---- sand and water -----------------------------------------------------

TEST(Sand, MarksTheBallSlowsItAndLoftsTheNextShot) {
  Table t(1);
  t.Load(Area(1, "kind=23 r=100 x1=200 y1=200"));
  t.Place(1, 110, 200);
  t.Shoot(1, 0, 1.5);
  ASSERT_TRUE(RunUntil(t, 1, 100, [](const playerrec& b) { return b.onSand; }));
  const double speed = t.ball().speed;
  BallSubstep(t.s(), 1);
  EXPECT_NEAR(t.ball().speed, speed - 0.005 - 0.025, 1e-12);
  RunUntil(t, 1, 1000, [](const playerrec& b) { return !b.moving; });
  EXPECT_FALSE(t.ball().moving);
  EXPECT_TRUE(t.ball().onSand);  // kept while at rest
  EXPECT_LT(t.ball().x, 200.0);
  t.Shoot(1, 0, 2.0);
  EXPECT_TRUE(t.ball().airborne);
  EXPECT_DOUBLE_EQ(t.ball().fallSpeed, 2.0);
}

TEST(Sand, AFastBallIsCutToTwoWithASpray) {
  Table t(1);
  t.Load(Area(1, "kind=23 r=100 x1=200 y1=200"));
  t.Place(1, 96, 200);
  t.Shoot(1, 0, 4.0);
  ASSERT_TRUE(RunUntil(t, 1, 100, [](const playerrec& b) { return b.onSand; }));
  BallSubstep(t.s(), 1);
  EXPECT_DOUBLE_EQ(t.ball().speed, 2.0);
  EXPECT_TRUE(t.events.Played(EffectSound::kSand));
  EXPECT_TRUE(t.s().particles[1].dotted);
  // A ball flying over the sand is not held by it.
  Table u(1);
  u.Load(Area(1, "kind=23 r=100 x1=200 y1=200"));
  u.Place(1, 200, 200);
  u.Shoot(1, 0, 1.0);
  u.ball().airborne = true;
  u.ball().fallSpeed = 3;
  BallSubstep(u.s(), 1);
  EXPECT_FALSE(u.ball().onSand);
}

TEST(Water, LosesTheBallSetsTheRespawnPointAndSplashes) {
  Table t(1);
  t.Load(Area(1, "kind=24 r=60 x1=200 y1=200 p1=150 p2=90"));
  t.Place(1, 120, 200);
  t.Shoot(1, 0, 2.0);
  ASSERT_TRUE(RunUntil(t, 1, 100, [](const playerrec& b) { return b.lost; }));
  EXPECT_EQ(t.s().respawnX, 150);
  EXPECT_EQ(t.s().respawnY, 90);
  EXPECT_TRUE(t.events.Played(EffectSound::kWater));
  const double at = t.ball().x;
  for (const Particle& p : t.s().particles) {
    EXPECT_EQ(p.colour, 0xFDA461);
    EXPECT_GE(p.heading, -20);  // soft splash: along the ball's heading 0
    EXPECT_LT(p.heading, 20);
  }
  RunUntil(t, 1, 100, [](const playerrec& b) { return b.speed == 0; });
  EXPECT_LT(t.ball().x - at, 4.0);
  EXPECT_TRUE(t.ball().moving);  // the drop-back takes over from here
}

TEST(Water, AFallingBallSplashesHardAndAHighBallFliesOver) {
  Table t(1);
  t.Load(Area(1, "kind=24 r=60 x1=200 y1=200"));
  t.Place(1, 200, 200);
  t.Shoot(1, 0, 0.5);
  t.ball().airborne = true;
  t.ball().z = 0.9;
  t.ball().fallSpeed = -0.5;  // z 0.4 this substep, fallSpeed -0.7
  t.ball().fallSpeed = -1.3;  // lands: bounce 0.845 - 0.2
  BallSubstep(t.s(), 1);
  ASSERT_TRUE(t.ball().lost);
  EXPECT_EQ(t.ball().z, 0.0);
  EXPECT_EQ(t.ball().fallSpeed, 0.0);
  // Not above 1 in magnitude after the bounce: the soft splash.
  EXPECT_LT(t.s().particles[1].rise, 4.5);

  Table u(1);
  u.Load(Area(1, "kind=24 r=60 x1=200 y1=200"));
  u.Place(1, 200, 200);
  u.Shoot(1, 0, 0.5);
  u.ball().airborne = true;
  u.ball().z = 5;
  u.ball().fallSpeed = -4.2;  // z 0.8, still falling fast: the hard splash
  BallSubstep(u.s(), 1);
  ASSERT_TRUE(u.ball().lost);
  for (const Particle& p : u.s().particles) {
    EXPECT_GE(p.rise, 5 - 4.4 - 1e-9);
    EXPECT_LT(p.rise, 5 - 4.4 + 1.5);
  }

  Table v(1);
  v.Load(Area(1, "kind=24 r=60 x1=200 y1=200"));
  v.Place(1, 200, 200);
  v.Shoot(1, 0, 0.5);
  v.ball().airborne = true;
  v.ball().z = 3;
  v.ball().fallSpeed = 1;
  BallSubstep(v.s(), 1);
  EXPECT_FALSE(v.ball().lost);
}

// ---- cup ----------------------------------------------------------------

TEST(Cup, CapturesASlowBall) {
  Table t(1);
  t.Load(Area(1, "kind=5 r=6 x1=200 y1=200 comment=next"));
  t.Place(1, 190, 200);
  t.Shoot(1, 0, 1.805);
  ASSERT_TRUE(RunUntil(t, 1, 20, [](const playerrec& b) { return b.inCup; }));
  EXPECT_DOUBLE_EQ(t.ball().speed, 0.75);
  EXPECT_EQ(t.ball().rideArea, 1);
  EXPECT_TRUE(t.events.Played(EffectSound::kCupIn));
  EXPECT_EQ(t.s().nextHoleName, "next");
}

TEST(Cup, AFastBallHopsOverIt) {
  Table t(1, 3);
  t.Load(Area(1, "kind=5 r=6 x1=200 y1=200"));
  t.Place(1, 192, 200);
  t.Shoot(1, 0, 2.505);  // 2.5 when it reaches the cup after one substep
  ASSERT_TRUE(RunUntil(t, 1, 20, [](const playerrec& b) { return b.airborne; }));
  const playerrec& b = t.ball();
  EXPECT_FALSE(b.inCup);
  EXPECT_NEAR(b.fallSpeed, 2.5 / 1.75, 1e-12);
  EXPECT_GE(b.direction, -8);
  EXPECT_LE(b.direction, 7);
  EXPECT_EQ(t.s().tickerPos, 0);
  EXPECT_EQ(t.s().tickerText, std::string(27, ' ') + "CVNUK0M SLICTP0" + std::string(2, '\0'));
}

TEST(Cup, ABallInTheAirIsNeverCaptured) {
  Table t(1);
  t.Load(Area(1, "kind=5 r=10 x1=200 y1=200"));
  t.Place(1, 200, 200);
  t.Shoot(1, 0, 1.0);
  t.ball().airborne = true;
  t.ball().z = 2;
  t.ball().fallSpeed = 1;
  BallSubstep(t.s(), 1);
  EXPECT_FALSE(t.ball().inCup);
  EXPECT_FALSE(t.events.Played(EffectSound::kCupIn));
}

TEST(Cup, TheHopSoundChanceNeverTouchesThePlayStream) {
  const auto hop = [](bool soundOn) {
    Table t(1, 11);
    t.s().soundOn = soundOn;
    t.Load(Area(1, "kind=5 r=6 x1=200 y1=200"));
    t.Place(1, 190, 200);
    t.Shoot(1, 0, 3.0);
    RunUntil(t, 1, 20, [](const playerrec& b) { return b.airborne; });
    return std::pair(t.ball().direction, t.s().playRandom.State());
  };
  EXPECT_EQ(hop(true), hop(false));
}

// ---- pipes --------------------------------------------------------------

TEST(Pipes, AnEntranceCapturesASlowBallAndLetsAFastOneHopSilently) {
  Table t(1);
  t.Load(Area(2, "kind=26 r=8 x1=200 y1=200"));
  t.Place(1, 190, 200);
  t.Shoot(1, 0, 1.0);
  ASSERT_TRUE(RunUntil(t, 1, 20, [](const playerrec& b) { return b.inPipe; }));
  EXPECT_EQ(t.ball().rideArea, 2);
  EXPECT_TRUE(t.events.Played(EffectSound::kCupIn));

  Table u(1);
  u.Load(Area(2, "kind=26 r=8 x1=200 y1=200"));
  u.Place(1, 190, 200);
  u.ball().z = 10;  // no height condition
  u.Shoot(1, 0, 3.0);
  const uint64_t visual = u.s().visualRandom.State();
  ASSERT_TRUE(RunUntil(u, 1, 20, [](const playerrec& b) { return b.fallSpeed > 1.5; }));
  EXPECT_FALSE(u.ball().inPipe);
  EXPECT_TRUE(u.events.sounds.empty());
  EXPECT_EQ(u.s().visualRandom.State(), visual);
}

TEST(Pipes, AnExitThrowsTheBallAlongItsArrow) {
  struct Case {
    int32_t length;
    double speed;
  } cases[] = {{150, 2.0}, {60, 1.2}};
  for (const Case& c : cases) {
    Table t(1);
    t.Load(Area(1, "kind=37 r=10 x1=100 y1=100 x2=400 y2=300 x3=400 y3=280 x4=" +
                       std::to_string(400 + c.length) + " y4=280"));
    t.Place(1, 90, 100);
    t.Shoot(1, 0, 1.0);
    BallSubstep(t.s(), 1);
    const playerrec& b = t.ball();
    EXPECT_EQ(b.x, 400.0);
    EXPECT_EQ(b.y, 300.0);
    EXPECT_EQ(b.direction, 0);
    EXPECT_DOUBLE_EQ(b.speed, c.speed);
    EXPECT_EQ(b.z, 20.0);
    EXPECT_TRUE(b.airborne);
  }
}

TEST(Pipes, AnExitWithEffectsScattersFlashesAndRecentres) {
  Table t(1, 21);
  t.Load(Area(1, "kind=25 r=10 x1=100 y1=100 x2=400 y2=300 x3=400 y3=300 x4=400 y4=200"));
  t.Place(1, 92, 100);
  t.Shoot(1, 0, 1.0);
  BallSubstep(t.s(), 1);
  const playerrec& b = t.ball();
  const double d = std::hypot(b.x - 400, 2 * (b.y - 300));
  EXPECT_GE(d, 4 - 1e-9);
  EXPECT_LE(d, 15 + 1e-9);
  EXPECT_EQ(b.direction, 192);
  EXPECT_DOUBLE_EQ(b.speed, 2.0);
  EXPECT_EQ(b.z, 0.0);
  EXPECT_TRUE(t.s().recentre);
  EXPECT_TRUE(t.events.Played(EffectSound::kPutBack));
  const courseEffect& before = t.s().courseEffects[1];
  const courseEffect& after = t.s().courseEffects[2];
  EXPECT_EQ(before.image, 13);
  EXPECT_EQ(before.blend, 255);
  EXPECT_EQ(before.x, 93 - 17);
  EXPECT_EQ(before.y, 100 - 28);
  EXPECT_EQ(after.x, Nearest(b.x) - 17);
  EXPECT_EQ(after.y, Nearest(b.y) - 28);
}

// ---- launchers ----------------------------------------------------------

TEST(Launchers, PopperThrowsTheBallUpInAnyDirection) {
  Table t(1);
  t.Load(Area(1, "kind=12 r=10 x1=300 y1=400"));
  t.Place(1, 295, 400);
  t.Shoot(1, 0, 1.0);
  BallSubstep(t.s(), 1);
  const playerrec& b = t.ball();
  EXPECT_TRUE(b.airborne);
  EXPECT_GE(b.direction, 0);
  EXPECT_LT(b.direction, 360);
  EXPECT_EQ(b.speed, 1.5);
  EXPECT_EQ(b.fallSpeed, 6.0);
  EXPECT_TRUE(t.events.Played(EffectSound::kPopper));
  EXPECT_EQ(t.s().courseEffects[1].x, 300 - 27);
  EXPECT_EQ(t.s().courseEffects[1].y, 400 - 147);
  EXPECT_EQ(t.s().courseEffects[1].image, ItemIndex(HoleImage::kBurst));
}

TEST(Launchers, SpringboardsAimAndAnnounceThemselves) {
  for (int kind : {13, 43}) {
    Table t(1);
    t.Load(Area(1, "kind=" + std::to_string(kind) + " r=10 x1=300 y1=400 p1=50 p2=60 p3=100 p4=9"));
    t.Place(1, 295, 400);
    t.Shoot(1, 0, 1.0);
    BallSubstep(t.s(), 1);
    const playerrec& b = t.ball();
    EXPECT_TRUE(b.airborne);
    EXPECT_GT(b.direction, 84);
    EXPECT_LE(b.direction, 100);
    EXPECT_DOUBLE_EQ(b.speed, 0.995 + 0.25);
    EXPECT_TRUE(t.events.Played(kind == 13 ? EffectSound::kSpringboard : EffectSound::kPopper));
    EXPECT_EQ(t.s().tickerText,
              std::string(27, ' ') + (kind == 13 ? "JDAP Y0 YPJGNHE " : "BEHTNVRTOP   "));
    const courseEffect& e = t.s().courseEffects[1];
    EXPECT_EQ(e.x, 50);
    EXPECT_EQ(e.y, 60);
    EXPECT_EQ(e.image, 9);
    EXPECT_EQ(e.blend, 0);
  }
}

TEST(Launchers, BlasterCatapultAndKicker) {
  Table t(1);
  t.Load(Area(1, "kind=27 r=10 x1=300 y1=400"));
  t.Place(1, 295, 400);
  t.Shoot(1, 0, 1.0);
  BallSubstep(t.s(), 1);
  EXPECT_EQ(t.ball().speed, 3.0);
  EXPECT_GE(Mod256(-t.ball().direction), 64);
  EXPECT_LE(Mod256(-t.ball().direction), 191);
  EXPECT_TRUE(t.events.Played(EffectSound::kBlaster));
  EXPECT_EQ(t.s().particles[1].colour, 0x45CE64);
  EXPECT_EQ(t.s().courseEffects[1].image, 3);

  Table c(1);
  c.Load(Area(1, "kind=36 r=10 x1=300 y1=400"));
  c.Place(1, 295, 400);
  c.Shoot(1, 0, 1.0);
  BallSubstep(c.s(), 1);
  EXPECT_GT(c.ball().direction, 128);
  EXPECT_LE(c.ball().direction, 192);
  EXPECT_EQ(c.events.bgSounds, std::vector<int32_t>{ItemIndex(HoleSound::kArea)});
  EXPECT_EQ(c.s().courseEffects[1].x, 1006);
  EXPECT_EQ(c.s().courseEffects[1].y, 71);

  for (double speed : {3.6, 3.4}) {
    Table k(1);
    k.Load(Area(1, "kind=34 r=10 x1=300 y1=400"));
    k.Place(1, 295, 400);
    k.Shoot(1, 0, speed + 0.005);
    BallSubstep(k.s(), 1);
    EXPECT_EQ(k.ball().airborne, speed > 3.5);
    EXPECT_EQ(k.ball().speed, speed > 3.5 ? 4.5 : speed);
  }
}

// ---- rough, text, highlight, ledge --------------------------------------

TEST(Rough, ShakesTheBallAboutAtRandom) {
  Table t(1, 4);
  t.Load(Area(1, "kind=30 r=400 x1=300 y1=300 p1=20 p2=30 comment=9"));
  t.Place(1, 300, 300);
  t.Shoot(1, 0, 3.0);
  int shaken = 0, imageNine = 0;
  for (int i = 0; i < 200; ++i) {
    const int32_t slot = t.s().effectSlot;
    BallSubstep(t.s(), 1);
    if (t.s().effectSlot != slot) {
      ++shaken;
      imageNine += t.s().courseEffects[slot == 30 ? 1 : slot + 1].image == 9;
    }
  }
  // One chance in eight per substep.
  EXPECT_GT(shaken, 10);
  EXPECT_LT(shaken, 50);
  EXPECT_EQ(imageNine, shaken);
  EXPECT_GE(t.events.sounds.size(), static_cast<size_t>(shaken));
  for (int32_t s : t.events.sounds)
    EXPECT_TRUE(s == ItemIndex(EffectSound::kRough) || s == ItemIndex(EffectSound::kRough2) ||
                s == ItemIndex(EffectSound::kSand));
}

TEST(NextHoleText, OnlyParameterZeroNamesTheNextHole) {
  Table t(1);
  t.Load(Area(1, "kind=28 r=50 x1=100 y1=100 p1=0 comment=course2hole5") +
         Area(2, "kind=28 r=50 x1=300 y1=100 p1=3 comment=other"));
  t.s().nextHoleName = "before";
  t.Place(1, 300, 100);
  t.Shoot(1, 0, 0.5);
  BallSubstep(t.s(), 1);
  EXPECT_EQ(t.s().nextHoleName, "before");
  t.Place(1, 100, 100);
  t.Shoot(1, 0, 0.5);
  BallSubstep(t.s(), 1);
  EXPECT_EQ(t.s().nextHoleName, "course2hole5");
}

TEST(Highlight, KeepsTheStrongestValue) {
  Table t(1);
  t.Load(Area(1, "kind=32 r=50 x1=100 y1=100 p1=90") + Area(2, "kind=32 r=50 x1=100 y1=100 p1=40"));
  t.Place(1, 100, 100);
  t.Shoot(1, 0, 0.5);
  BallSubstep(t.s(), 1);
  EXPECT_EQ(t.ball().highlight, 90);
}

TEST(Ledge, DropsTheBallOnceAsItRollsOver) {
  Table t(1);
  t.Load(Area(1, "kind=33 p1=6 x1=0 y1=210 x2=400 y2=210"));
  t.Place(1, 100, 200);
  t.Shoot(1, 64, 2.0);
  ASSERT_TRUE(RunUntil(t, 1, 20, [](const playerrec& b) { return b.lastArea == 1; }));
  EXPECT_TRUE(t.ball().airborne);
  EXPECT_EQ(t.ball().z, 6.0);
  EXPECT_EQ(t.ball().prevY, t.ball().y);
  EXPECT_GT(t.ball().y, 210.0);
}

// ---- bonus stroke, switches ---------------------------------------------

TEST(BonusStroke, GivesBackAStrokeOnceAndSwitchesItselfOff) {
  Table t(1);
  t.Load(Area(4, "kind=35 r=20 x1=200 y1=200"));
  t.s().courseEffects[36] = courseEffect{10, 11, 12, 13, true, 14, 15};
  t.s().effectSlot = 9;
  t.Place(1, 190, 200);
  t.Shoot(1, 0, 1.0);
  t.Shoot(1, 0, 1.0);
  BallSubstep(t.s(), 1);
  GameSession& s = t.s();
  EXPECT_FALSE(s.areas[4].enabled);
  EXPECT_EQ(t.ball().strokes, 1);
  EXPECT_EQ(t.ball().totalStrokes, 1);
  EXPECT_TRUE(s.bonusStrokeUsed);
  EXPECT_FALSE(s.bonusStrokeTaken);
  EXPECT_EQ(s.bannerText, "EUE  JDAP   ");
  EXPECT_EQ(s.bannerFade, 255);
  EXPECT_EQ(s.tickerText, std::string(19, ' ') + "D0Y0VHNTEVLHLIN JDAP");
  EXPECT_TRUE(t.events.Played(EffectSound::kBonus));
  EXPECT_TRUE(t.ball().airborne);
  EXPECT_EQ(s.courseEffects[36].x, 0);
  EXPECT_EQ(s.courseEffects[36].frame, 13);  // the frame is kept
  EXPECT_FALSE(s.courseEffects[36].looping);
  EXPECT_EQ(s.courseEffects[1].image, 7);
  EXPECT_EQ(s.courseEffects[1].blend, 255);
  EXPECT_EQ(s.courseEffects[2].blend, -192);
  EXPECT_EQ(s.courseEffects[1].x, 191 - 80);
  EXPECT_EQ(s.effectSlot, 3);
  BallSubstep(t.s(), 1);
  EXPECT_EQ(t.ball().strokes, 1);
}

TEST(Switches, ASwitchEnablesItsAreaAndAOneShotTriggerDisablesItself) {
  Table t(1);
  t.Load(Area(1, "kind=38 r=20 x1=200 y1=200 p1=5") + Area(2, "kind=40 r=20 x1=200 y1=200") +
         "[area5]\nkind=2\nx1=0\ny1=0\nx2=0\ny2=50\nenabled=0\n");
  t.Place(1, 190, 200);
  t.Shoot(1, 0, 1.0);
  BallSubstep(t.s(), 1);
  EXPECT_TRUE(t.s().areas[5].enabled);
  EXPECT_FALSE(t.s().areas[2].enabled);
  EXPECT_EQ(t.events.bgSounds, std::vector<int32_t>{ItemIndex(HoleSound::kArea)});
  // In the air the trigger stays armed.
  Table u(1);
  u.Load(Area(2, "kind=40 r=20 x1=200 y1=200"));
  u.Place(1, 195, 200);
  u.Shoot(1, 0, 1.0);
  u.ball().airborne = true;
  u.ball().fallSpeed = 2;
  BallSubstep(u.s(), 1);
  EXPECT_TRUE(u.s().areas[2].enabled);
}

// ---- hole files that break the limits -----------------------------------

TEST(BrokenHoles, OutOfRangeParametersSkipTheEffect) {
  Table t(1);
  t.Load(Area(1, "kind=38 r=50 x1=200 y1=200 p1=100") +
         Area(2, "kind=38 r=50 x1=200 y1=200 p1=-1") + Area(3, "kind=38 r=50 x1=200 y1=200 p1=0") +
         Area(4, "kind=38 r=50 x1=200 y1=200 p1=0x7fffffff") +
         Area(5, "kind=28 r=50 x1=200 y1=200 p1=5 comment=x") +
         Area(6, "kind=28 r=50 x1=200 y1=200 p1=-2147483648 comment=y") +
         Area(7, "kind=30 r=50 x1=200 y1=200 p1=10 p2=10 comment=nine") +
         Area(8, "kind=30 r=50 x1=200 y1=200 p1=10 p2=10 comment=-3") +
         Area(9, "kind=30 r=50 x1=200 y1=200 p1=10 p2=10 comment=99999999999"));
  t.s().nextHoleName = "kept";
  t.Place(1, 200, 200);
  t.Shoot(1, 0, 0.3);
  for (int i = 0; i < 400; ++i) BallSubstep(t.s(), 1);
  EXPECT_EQ(t.s().nextHoleName, "kept");
  for (const courseEffect& e : t.s().courseEffects) EXPECT_NE(e.x, 10);  // no comment effect
}

TEST(BrokenHoles, RandomHolesNeverCrashOrHang) {
  uint32_t v = 2024;
  const auto next = [&v](int32_t n) {
    v = v * 1664525u + 1013904223u;
    return static_cast<int32_t>((v >> 8) % static_cast<uint32_t>(n));
  };
  for (int hole = 0; hole < 40; ++hole) {
    std::string text = "[ball]\nx=300\ny=300\n";
    for (int n = 1; n <= 99; ++n) {
      const bool wild = next(4) == 0;
      const auto val = [&]() {
        return wild ? std::to_string(static_cast<int32_t>(v = v * 1664525u + 1013904223u))
                    : std::to_string(next(600));
      };
      text += "[area" + std::to_string(n) + "]\nkind=" + std::to_string(next(46)) +
              "\nenabled=" + std::to_string(next(3)) + "\nr=" + std::to_string(next(3) * next(60)) +
              "\nx1=" + val() + "\ny1=" + val() + "\nx2=" + val() + "\ny2=" + val() +
              "\nx3=" + (next(2) ? val() : "0") + "\ny3=" + val() +
              "\nx4=" + (next(2) ? val() : "0") + "\ny4=" + val() + "\np1=" + val() +
              "\np2=" + val() + "\np3=" + val() + "\np4=" + val() + "\ncomment=" + val() + "\n";
    }
    Table t(4, static_cast<uint64_t>(hole));
    t.settings.whencollide = 1;
    t.settings.plus1 = true;
    t.Load(text);
    for (int32_t p = 1; p <= 4; ++p) t.Shoot(p, next(256), 1 + next(4));
    for (int frame = 0; frame < 300; ++frame) {
      t.s().substeps = 4;
      MoveBalls(t.s());
    }
    for (int32_t p = 1; p <= 4; ++p) {
      EXPECT_FALSE(std::isnan(t.ball(p).x)) << hole;
      EXPECT_LE(t.ball(p).speed, 5.25 + 1e-9 + 0.25 * 400);
    }
    EXPECT_GE(t.s().effectSlot, 1);
    EXPECT_LE(t.s().effectSlot, 30);
  }
}

}  // namespace
}  // namespace quendrix
