#include "game/ball_motion.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/angles.h"
#include "test_support.h"

namespace quendrix {
namespace {

using testing::Table;

// Substeps until the ball stops, or -1 when it is still moving after `limit`.
int RunUntilStopped(Table& t, int32_t p, int limit) {
  for (int n = 1; n <= limit; ++n) {
    BallSubstep(t.s(), p);
    if (!t.ball(p).moving) return n;
  }
  return -1;
}

TEST(Rolling, FlatPuttSlowsByFrictionAndStopsInTheSubstepItReachesZero) {
  Table t(1);
  t.Place(1, 100, 100);
  t.Shoot(1, 0, 4.0);
  // Each substep moves by the speed, then friction takes 0.005: after k
  // substeps the ball has covered sum(4 - 0.005 i), i < k.
  for (int k = 1; k <= 10; ++k) {
    BallSubstep(t.s(), 1);
    EXPECT_NEAR(t.ball().x - 100, 4.0 * k - 0.005 * k * (k - 1) / 2, 1e-9);
    EXPECT_NEAR(t.ball().speed, 4.0 - 0.005 * k, 1e-9);
  }
  const int stoppedAfter = RunUntilStopped(t, 1, 2000) + 10;
  // 4 / 0.005 = 800 substeps; rounding of the repeated subtraction may leave
  // a crumb that the next substep clamps to 0.
  EXPECT_GE(stoppedAfter, 800);
  EXPECT_LE(stoppedAfter, 801);
  EXPECT_EQ(t.ball().speed, 0.0);
  EXPECT_EQ(t.ball().stillFrames, 0);
  EXPECT_NEAR(t.ball().x - 100, 800 * 4.0 - 0.005 * 800 * 799 / 2, 1e-6);
  EXPECT_NEAR(t.ball().y, 100.0, 1e-9);
  EXPECT_FALSE(t.s().ballsMoving);
  EXPECT_EQ(t.events.turnsEnded, 1);
  EXPECT_TRUE(t.events.sounds.empty());
}

TEST(Rolling, RestingSpotIsTheSameForTheSameSeed) {
  const auto play = [](uint64_t seed) {
    Table t(2, seed);
    t.Load("[ball]\nx=200\ny=300\n");
    t.Shoot(1, 37, 3.3);
    for (int frame = 0; frame < 2000 && t.s().ballsMoving; ++frame) MoveBalls(t.s());
    EXPECT_FALSE(t.ball().moving);
    return std::pair(t.ball().x, t.ball().y);
  };
  const auto first = play(42);
  EXPECT_EQ(first, play(42));
  EXPECT_NE(first, play(43));  // the tee spread differs
}

TEST(Rolling, DiagonalPuttTravelsAlongItsDirection) {
  Table t(1);
  t.Place(1, 0, 0);
  t.Shoot(1, 32, 2.0);  // 45 degrees down-right
  RunUntilStopped(t, 1, 1000);
  EXPECT_NEAR(t.ball().x, t.ball().y, 1e-6);
  const double distance = 400 * 2.0 - 0.005 * 400 * 399 / 2;
  EXPECT_NEAR(std::hypot(t.ball().x, t.ball().y), distance, 1e-6);
}

TEST(Rolling, SpeedIsCutToFiveAndNeverNegative) {
  Table t(1);
  t.Place(1, 0, 0);
  t.Shoot(1, 0, 9.0);
  BallSubstep(t.s(), 1);
  EXPECT_DOUBLE_EQ(t.ball().x, 9.0);  // the motion uses the speed before the cut
  EXPECT_DOUBLE_EQ(t.ball().speed, 4.995);
  t.ball().speed = 0.001;
  BallSubstep(t.s(), 1);
  EXPECT_EQ(t.ball().speed, 0.0);
  EXPECT_FALSE(t.ball().moving);
}

TEST(Rolling, RollOffsetsStayWithinSixteen) {
  Table t(1);
  t.Place(1, 0, 0);
  t.Shoot(1, 77, 4.5);
  for (int i = 0; i < 500; ++i) {
    BallSubstep(t.s(), 1);
    ASSERT_GE(t.ball().rollU, 0.0);
    ASSERT_LE(t.ball().rollU, 16.0);
    ASSERT_GE(t.ball().rollV, 0.0);
    ASSERT_LE(t.ball().rollV, 16.0);
  }
}

TEST(Rolling, SpriteAngleTurnsWithTheHorizontalMotion) {
  Table t(1);
  t.Place(1, 0, 0);
  t.Shoot(1, 0, 2.0);
  BallSubstep(t.s(), 1);
  EXPECT_EQ(t.ball().spriteAngle, 6);  // round(2.0 * 2.75) = 6 (5.5 goes to even)
  t.Shoot(1, 128, 2.0);
  BallSubstep(t.s(), 1);
  BallSubstep(t.s(), 1);
  EXPECT_EQ(t.ball().spriteAngle, 256 + 6 - 6 - 5);
}

TEST(SlopePush, FoldsIntoTheVelocityOnTheGroundOnly) {
  Table t(1);
  t.Place(1, 0, 0);
  t.Shoot(1, 0, 1.0);
  t.ball().pushDirection = 64;  // as an area pass would leave it
  t.ball().pushSpeed = 0.025;
  BallSubstep(t.s(), 1);
  EXPECT_DOUBLE_EQ(t.ball().x, 1.0);
  EXPECT_NEAR(t.ball().y, 0.025, 1e-12);
  EXPECT_EQ(t.ball().direction, BinAngle(1.0, 0.025));
  EXPECT_EQ(t.ball().lastPushDirection, 64);
  EXPECT_EQ(t.ball().pushDirection, 0);  // one substep only

  // Above 1.5 px no slope acts.
  t.Place(1, 0, 0);
  t.ball().z = 2;
  t.ball().airborne = true;
  t.ball().fallSpeed = 0.5;
  t.ball().pushDirection = 64;
  t.ball().pushSpeed = 0.025;
  t.Shoot(1, 0, 1.0);
  BallSubstep(t.s(), 1);
  EXPECT_NEAR(t.ball().y, 0.0, 1e-12);
}

TEST(SlopePush, ABallBeingPushedNeverStopsEvenAtSpeedZero) {
  Table t(1);
  t.Place(1, 0, 0);
  t.Shoot(1, 0, 0.0);
  for (int i = 0; i < 5; ++i) {
    t.ball().pushDirection = 1;  // slopes towards +x use 1, since 0 means no push
    t.ball().pushSpeed = 0.001;
    BallSubstep(t.s(), 1);
    t.ball().speed = 0;  // as if something held it
    ASSERT_TRUE(t.ball().moving);
  }
  BallSubstep(t.s(), 1);  // no push left from the last pass
  BallSubstep(t.s(), 1);
  EXPECT_FALSE(t.ball().moving);
}

TEST(Flight, LandingBouncesAndHardLandingsThrowGrassPuffs) {
  Table t(1);
  t.Place(1, 50, 60);
  t.Shoot(1, 0, 0.5);
  t.ball().airborne = true;
  t.ball().z = 1.0;
  t.ball().fallSpeed = -2.0 - 1.0;  // lands this substep at -2 below the ground
  // z = 1 - 3 < 0: fallSpeed becomes 1.95 (>= 1.5: puffs), then gravity.
  BallSubstep(t.s(), 1);
  EXPECT_EQ(t.ball().z, 0.0);
  EXPECT_NEAR(t.ball().fallSpeed, 0.65 * 3.0 - 0.2, 1e-12);
  EXPECT_TRUE(t.ball().airborne);
  EXPECT_TRUE(t.events.Played(EffectSound::kSand));
  for (int32_t i = 28; i <= 33; ++i) {
    const Particle& p = t.s().particles[i];
    EXPECT_TRUE(p.active) << i;
    EXPECT_EQ(p.colour, 0x35EE6F);
    EXPECT_DOUBLE_EQ(p.speed, 2.95);
    EXPECT_DOUBLE_EQ(p.rise, 0.75);
    EXPECT_GE(p.heading, 0);
    EXPECT_LT(p.heading, 360);
    EXPECT_DOUBLE_EQ(p.y, t.ball().y + 6 - 0.0);
  }
  EXPECT_FALSE(t.s().particles[27].active);

  // A soft landing (-2) bounces with 1.3 and throws nothing.
  Table u(1);
  u.Place(1, 0, 0);
  u.Shoot(1, 0, 0.5);
  u.ball().airborne = true;
  u.ball().z = 0.5;
  u.ball().fallSpeed = -2.0;
  BallSubstep(u.s(), 1);
  EXPECT_NEAR(u.ball().fallSpeed, 1.3 - 0.2, 1e-12);
  for (const Particle& p : u.s().particles) EXPECT_FALSE(p.active);
}

TEST(Flight, TheBallSettlesAfterItsBouncesAndThenStops) {
  Table t(1);
  t.Place(1, 0, 0);
  t.Shoot(1, 0, 1.0);
  t.ball().airborne = true;
  t.ball().fallSpeed = 3.0;
  int landedAfter = -1;
  for (int n = 1; n < 400; ++n) {
    BallSubstep(t.s(), 1);
    ASSERT_GE(t.ball().z, 0.0);
    if (!t.ball().airborne) {
      landedAfter = n;
      break;
    }
  }
  ASSERT_GT(landedAfter, 0);
  EXPECT_EQ(t.ball().z, 0.0);
  EXPECT_LT(std::fabs(t.ball().fallSpeed), 0.5);
  EXPECT_GT(RunUntilStopped(t, 1, 1000), 0);
}

TEST(Drag, SandCutsAFastBallWithASprayAndSlowsASlowOne) {
  Table t(1);
  t.Place(1, 10, 10);
  t.Shoot(1, 64, 3.0);
  t.ball().onSand = true;  // as the last area pass left it
  BallSubstep(t.s(), 1);
  EXPECT_DOUBLE_EQ(t.ball().speed, 2.0);
  EXPECT_TRUE(t.events.Played(EffectSound::kSand));
  EXPECT_FALSE(t.ball().onSand);
  for (const Particle& p : t.s().particles) {
    EXPECT_TRUE(p.active);
    EXPECT_TRUE(p.dotted && p.groundDot);
    EXPECT_EQ(p.colour, 0xD6F4FF);
    EXPECT_GE(p.heading, 64 - 50);
    EXPECT_LT(p.heading, 64 + 50);
    // Random 0 ... 2.49, plus the cut speed 2.0, plus 3.
    EXPECT_GE(p.speed, 5.0);
    EXPECT_LT(p.speed, 7.5);
  }
  t.events.Clear();
  t.ball().onSand = true;
  BallSubstep(t.s(), 1);
  EXPECT_NEAR(t.ball().speed, 2.0 - 0.005 - 0.025, 1e-12);
  EXPECT_TRUE(t.events.sounds.empty());
}

TEST(Drag, WaterHoldsTheBallBackAndItStopsWithinAFewPixels) {
  Table t(1);
  t.Place(1, 0, 0);
  t.Shoot(1, 0, 4.0);
  t.ball().lost = true;
  BallSubstep(t.s(), 1);
  EXPECT_DOUBLE_EQ(t.ball().speed, 0.5);
  for (int i = 0; i < 20; ++i) BallSubstep(t.s(), 1);
  EXPECT_EQ(t.ball().speed, 0.0);
  EXPECT_LT(t.ball().x, 4.0 + 0.5 * 9);
  // A lost ball never stops by the stop rule: the drop-back takes it.
  EXPECT_TRUE(t.ball().moving);
}

TEST(RampEdges, LeavingARampBendsAndFastBallsJump) {
  Table t(1);
  t.Place(1, 0, 0);
  t.Shoot(1, 16, 3.0);
  t.ball().lastRampCode = -13;  // was on a -13 ramp, the last pass found none
  t.ball().rampCode = 0;
  BallSubstep(t.s(), 1);
  // bend = round(|cos(16 - 19 steps)| * 15) = 15: 16 + 15 = 31, inside 1 ... 31.
  EXPECT_EQ(t.ball().direction, 31);
  EXPECT_TRUE(t.ball().airborne);
  EXPECT_NEAR(t.ball().fallSpeed, 0.92 * 2.995, 1e-12);

  // Slow: the bend only.
  Table u(1);
  u.Place(1, 0, 0);
  u.Shoot(1, 16, 1.0);
  u.ball().lastRampCode = 0;
  u.ball().rampCode = 13;
  BallSubstep(u.s(), 1);
  EXPECT_EQ(u.ball().direction, 31);
  EXPECT_FALSE(u.ball().airborne);
  EXPECT_EQ(u.ball().lastRampCode, 13);
  EXPECT_EQ(u.ball().rampCode, 0);
}

TEST(RampEdges, DirectionRangesCompareTheStoredValue) {
  // Heading 250 leaving a -13 ramp bends by round(|cos(231 steps)| * 15) = 12
  // to 262. Reduced that would be 6, inside 1 ... 31, but the stored 262 is
  // compared as it stands: no jump.
  Table t(1);
  t.Place(1, 0, 0);
  t.Shoot(1, 250, 3.0);
  t.ball().lastRampCode = -13;
  BallSubstep(t.s(), 1);
  EXPECT_EQ(t.ball().direction, 262);
  EXPECT_FALSE(t.ball().airborne);
  // Heading 170 leaving a +13 ramp bends by 13 to 157, inside 145 ... 175.
  Table u(1);
  u.Place(1, 0, 0);
  u.Shoot(1, 170, 3.0);
  u.ball().lastRampCode = 13;
  BallSubstep(u.s(), 1);
  EXPECT_EQ(u.ball().direction, 157);
  EXPECT_TRUE(u.ball().airborne);
  // Heading 200 bends by only 4, to 196: outside, no jump.
  Table v(1);
  v.Place(1, 0, 0);
  v.Shoot(1, 200, 3.0);
  v.ball().lastRampCode = 13;
  BallSubstep(v.s(), 1);
  EXPECT_EQ(v.ball().direction, 196);
  EXPECT_FALSE(v.ball().airborne);
}

TEST(StuckReturn, AWedgedBallHopsBackToItsSafePointWithABurst) {
  Table t(1, 7);
  t.Place(1, 40, 40);
  t.ball().safeX = 35;  // 5 px behind: the safe point does not follow yet
  t.ball().safeY = 40;
  t.Shoot(1, 0, 0.001);
  t.ball().stillFrames = 60;  // the 61st still substep follows
  const uint64_t visualBefore = t.s().visualRandom.State();
  BallSubstep(t.s(), 1);
  const playerrec& b = t.ball();
  EXPECT_EQ(b.stillFrames, 0);
  EXPECT_TRUE(b.airborne);
  EXPECT_TRUE(b.moving);
  EXPECT_EQ(b.lastArea, -1);
  // Put back to (35, 40), then one substep at speed 1 in the new direction.
  EXPECT_NEAR(std::hypot(b.x - 35, b.y - 40), 1.0, 1e-9);
  EXPECT_NEAR(b.speed, 0.995, 1e-12);
  EXPECT_NEAR(b.z, 1.0, 1e-12);
  EXPECT_NEAR(b.fallSpeed, 0.8, 1e-12);
  // A turn of 64 ... 191 steps from heading 0.
  EXPECT_GE(Mod256(-b.direction), 64);
  EXPECT_LE(Mod256(-b.direction), 191);
  EXPECT_TRUE(t.events.Played(EffectSound::kStuck));
  for (const Particle& p : t.s().particles) {
    EXPECT_TRUE(p.active);
    EXPECT_EQ(p.colour, 0xC9C4AF);
    EXPECT_EQ(p.bouncesLeft, 3);
  }
  EXPECT_NE(t.s().visualRandom.State(), visualBefore);
}

TEST(StuckReturn, NotInTheAirSandWaterCupOrPipe) {
  for (int which = 0; which < 5; ++which) {
    Table t(1);
    t.Place(1, 40, 40);
    t.ball().safeX = 30;
    t.Shoot(1, 0, 0.001);
    t.ball().stillFrames = 60;
    playerrec& b = t.ball();
    (which == 0   ? b.airborne
     : which == 1 ? b.onSand
     : which == 2 ? b.lost
     : which == 3 ? b.inCup
                  : b.inPipe) = true;
    BallSubstep(t.s(), 1);
    EXPECT_GT(b.x, 35.0) << which;
    EXPECT_FALSE(t.events.Played(EffectSound::kStuck)) << which;
  }
}

TEST(StuckReturn, SixtyStillSubstepsAreNotYetStuck) {
  Table t(1);
  t.Place(1, 40, 40);
  t.ball().safeX = 30;
  t.Shoot(1, 0, 0.001);
  t.ball().stillFrames = 59;
  BallSubstep(t.s(), 1);
  EXPECT_EQ(t.ball().stillFrames, 0);  // it stopped: speed reached 0 this substep
  EXPECT_FALSE(t.events.Played(EffectSound::kStuck));
}

TEST(MoveBallsFrame, RunsSubstepsPlusOneStepsPerBallInPlayerOrder) {
  for (int32_t substeps : {1, 2, 4}) {
    Table t(2);
    t.s().substeps = substeps;
    t.Place(1, 0, 0);
    t.Place(2, 0, 100);
    t.Shoot(1, 0, 2.0);
    t.Shoot(2, 0, 2.0);
    MoveBalls(t.s());
    const int n = substeps + 1;
    EXPECT_NEAR(t.ball(1).x, 2.0 * n - 0.005 * n * (n - 1) / 2, 1e-9) << substeps;
    EXPECT_NEAR(t.ball(2).x, t.ball(1).x, 1e-12);
  }
}

TEST(MoveBallsFrame, OnlyPlayersInTheGameMoveAndTheTurnEndsOnce) {
  Table t(1);
  t.ball(2).moving = true;  // a record beyond playerCount is never simulated
  t.ball(2).speed = 3;
  t.Place(1, 0, 0);
  t.Shoot(1, 0, 0.012);
  for (int i = 0; i < 5; ++i) MoveBalls(t.s());
  EXPECT_EQ(t.ball(2).x, 0.0);
  EXPECT_FALSE(t.ball(1).moving);
  EXPECT_EQ(t.events.turnsEnded, 1);
  EXPECT_FALSE(t.s().ballsMoving);
}

TEST(Shot, CountsTheStrokeAndChipsABallOutOfSand) {
  Table t(1);
  t.Place(1, 0, 0);
  t.ball().onSand = true;
  t.ball().lastArea = 12;
  t.Shoot(1, 10, 3.0);
  EXPECT_TRUE(t.ball().moving);
  EXPECT_TRUE(t.s().ballsMoving);
  EXPECT_EQ(t.ball().lastArea, -1);
  EXPECT_EQ(t.ball().strokes, 1);
  EXPECT_EQ(t.ball().totalStrokes, 1);
  EXPECT_TRUE(t.ball().airborne);
  EXPECT_DOUBLE_EQ(t.ball().fallSpeed, 2.5);
  StartShot(t.s(), 1, false);
  EXPECT_EQ(t.ball().strokes, 1);
}

TEST(Determinism, SoundSettingNeverChangesTheGame) {
  const auto run = [](bool soundOn) {
    Table t(1, 5);
    t.s().soundOn = soundOn;
    t.Place(1, 40, 40);
    t.ball().safeX = 30;
    t.Shoot(1, 0, 0.001);
    t.ball().stillFrames = 60;
    for (int i = 0; i < 300; ++i) BallSubstep(t.s(), 1);
    EXPECT_EQ(t.events.sounds.empty(), !soundOn);
    return std::tuple(t.ball().x, t.ball().y, t.ball().direction, t.s().playRandom.State());
  };
  EXPECT_EQ(run(true), run(false));
}

}  // namespace
}  // namespace quendrix
