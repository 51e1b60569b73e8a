// The animations of particular holes: cycling obstacles that really stop
// balls while they show, the timed obstacle with its rumble, the rock fall,
// the drifting sprites.
#include "game/hole_animations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/ball_motion.h"
#include "game/effects.h"
#include "media/surface.h"
#include "test_support.h"

namespace quendrix {
namespace {

using testing::AddPicture;
using testing::AreaText;
using testing::Table;

// A hole's image list with items 0 ... 12 (0 the course picture).
struct Pictures {
  Pictures() {
    AddPicture(list, 64, 48, 1, {MakeColor(0, 96, 0)});
    for (int32_t i = 1; i <= 12; ++i) AddPicture(list, 4, 4, 2, {clWhite, clRed});
  }
  TDXImageList list;
};

struct AnimatedHole {
  explicit AnimatedHole(const std::string& name, int32_t players = 1) : t(players), screen(64, 48) {
    t.s().holeName = name;
  }
  void Frame() { UpdateHoleAnimations(t.s(), screen, pictures.list); }
  Table t;
  Pictures pictures;
  TDirectDrawSurface screen;
};

// ---- course2hole9 ---------------------------------------------------------

// Three lanes, y = 100, 200 and 300; in each a short vertical wall at x = 130
// that belongs to one obstacle (areas 40, 41, 42).
std::string ThreeGates() {
  return AreaText(40, "kind=2 x1=130 y1=70 x2=130 y2=130") +
         AreaText(41, "kind=2 x1=130 y1=170 x2=130 y2=230") +
         AreaText(42, "kind=2 x1=130 y1=270 x2=130 y2=330");
}

struct CycleCase {
  int32_t cycle;
  bool first, second, third;  // obstacles of slots 35, 36, 37 shown
};

TEST(CyclingObstacles, ShowTheRightObstaclesAndStopBallsOnlyWhereTheyShow) {
  const CycleCase cases[] = {
      {0, true, false, false},   {64, true, false, false},  {127, true, false, true},
      {128, false, false, true}, {129, false, true, true},  {191, false, true, true},
      {192, false, true, false}, {255, false, true, false},
  };
  for (const CycleCase& c : cases) {
    AnimatedHole h("course2hole9", 3);
    h.t.Load(ThreeGates());
    GameSession& s = h.t.s();
    s.substeps = 1;
    s.holeCycle = c.cycle == 0 ? 254 : c.cycle - 2;  // one frame moves it on by 2
    h.Frame();
    ASSERT_EQ(s.holeCycle, c.cycle);

    struct Expect {
      int32_t slot, image, x, y, area;
      bool shown;
    } expects[] = {{35, 9, 511, 181, 40, c.first},
                   {36, 10, 666, 618, 41, c.second},
                   {37, 11, 171, 881, 42, c.third}};
    for (const Expect& e : expects) {
      const courseEffect& slot = s.courseEffects[e.slot];
      SCOPED_TRACE("cycle " + std::to_string(c.cycle) + " slot " + std::to_string(e.slot));
      EXPECT_EQ(s.areas[e.area].enabled, e.shown);
      if (e.shown) {
        EXPECT_EQ(slot.x, e.x);
        EXPECT_EQ(slot.y, e.y);
        EXPECT_EQ(slot.image, e.image);
        EXPECT_TRUE(slot.looping);
        EXPECT_EQ(slot.blend, 0);
        EXPECT_EQ(slot.pulse, 0);
      } else {
        EXPECT_EQ(slot.x, 0);
        EXPECT_EQ(slot.y, 0);
      }
    }

    // A ball in each lane, rolled at the gate.
    for (int32_t p = 1; p <= 3; ++p) {
      h.t.Place(p, 100, 100.0 * p);
      h.t.Shoot(p, 0, 2.0);
    }
    for (int step = 0; step < 60; ++step)
      for (int32_t p = 1; p <= 3; ++p) BallSubstep(s, p);
    for (const Expect& e : expects) {
      const playerrec& ball = h.t.ball(e.area - 39);
      if (e.shown) {
        EXPECT_LT(ball.x, 126) << "stopped by the obstacle at cycle " << c.cycle;
      } else {
        EXPECT_GT(ball.x, 140) << "let through at cycle " << c.cycle;
      }
    }
  }
}

TEST(CyclingObstacles, TheFirstFrameMovesTheSetUpDecorationsDown) {
  AnimatedHole h("course2hole9");
  GameSession& s = h.t.s();
  // Where the hole's set-up puts them: 100 px higher, looping.
  s.courseEffects[35] = courseEffect{511, 81, 9, 0, true, 0, 0};
  s.courseEffects[36] = courseEffect{666, 518, 10, 0, true, 0, 0};
  s.courseEffects[37] = courseEffect{171, 781, 11, 0, true, 0, 0};
  s.holeCycle = 100;
  h.Frame();
  EXPECT_EQ(s.courseEffects[35].y, 181);
  EXPECT_EQ(s.courseEffects[36].y, 0);  // not yet its turn
  EXPECT_EQ(s.courseEffects[37].y, 881);
}

TEST(CyclingObstacles, StepWithTheSubstepsAndOnlyOnTheirHole) {
  AnimatedHole h("course2hole9");
  GameSession& s = h.t.s();
  s.substeps = 4;
  s.holeCycle = 10;
  h.Frame();
  EXPECT_EQ(s.holeCycle, 18);
  s.holeCycle = 250;
  h.Frame();
  EXPECT_EQ(s.holeCycle, 0);

  // Names are compared exactly.
  for (const char* other : {"Course2hole9", "course2hole9 ", "course2hole4", ""}) {
    AnimatedHole o(other);
    o.t.s().holeCycle = 40;
    o.t.s().areas[40].enabled = true;
    o.Frame();
    EXPECT_EQ(o.t.s().holeCycle, 40) << other;
    EXPECT_EQ(o.t.s().courseEffects[35].x, 0) << other;
    EXPECT_TRUE(o.t.s().areas[40].enabled) << other;
  }
}

// ---- course2hole5 ---------------------------------------------------------

TEST(TimedObstacle, CycleLastsAsManyFramesAsTheSubstepsAllow) {
  for (int32_t substeps : {1, 2, 4}) {
    AnimatedHole h("course2hole5");
    GameSession& s = h.t.s();
    s.substeps = substeps;
    s.holeCycle = 0;
    std::vector<int> rumbles;
    int shown = 0;
    for (int frame = 1; frame <= 400; ++frame) {
      h.t.events.Clear();
      h.Frame();
      if (h.t.events.Played(EffectSound::kRumble)) rumbles.push_back(frame);
      if (frame > 128 && frame <= 256) shown += s.areas[53].enabled ? 1 : 0;
      EXPECT_EQ(s.areas[53].enabled, s.holeCycle < 128);
      EXPECT_EQ(s.courseEffects[40].x != 0, s.holeCycle < 128);
    }
    const int length = 128 / substeps;
    ASSERT_GE(rumbles.size(), 2u) << substeps;
    EXPECT_EQ(rumbles[0], length) << substeps;
    EXPECT_EQ(rumbles[1] - rumbles[0], length) << substeps;
    EXPECT_EQ(shown, 64) << "half of every cycle, substeps " << substeps;
    EXPECT_EQ(s.courseEffects[40].image, 11);
  }
}

TEST(TimedObstacle, RumbleIsQuieterFartherFromTheObstacle) {
  AnimatedHole h("course2hole5", 2);
  GameSession& s = h.t.s();
  s.currentPlayer = 2;
  h.t.Place(1, 710, 367);  // not the current player: does not count
  h.t.Place(2, 810, 367);  // 100 px away
  s.holeCycle = 254;
  h.Frame();
  ASSERT_EQ(h.t.events.volumes.size(), 1u);
  EXPECT_EQ(h.t.events.volumes[0].index, ItemIndex(EffectSound::kRumble));
  EXPECT_EQ(h.t.events.volumes[0].hundredthsDb, -400);
  EXPECT_TRUE(h.t.events.Played(EffectSound::kRumble));

  // 60 right and 80 down is 100 px too; 400 px away is -1600. With the sound
  // off the volume is still set, but nothing plays.
  h.t.events.Clear();
  h.t.Place(2, 770, 447);
  s.holeCycle = 254;
  h.Frame();
  EXPECT_EQ(h.t.events.volumes.at(0).hundredthsDb, -400);
  h.t.events.Clear();
  s.soundOn = false;
  h.t.Place(2, 310, 367);
  s.holeCycle = 255;
  h.Frame();
  EXPECT_EQ(h.t.events.volumes.at(0).hundredthsDb, -1600);
  EXPECT_TRUE(h.t.events.sounds.empty());

  // No rumble between wraps.
  h.t.events.Clear();
  s.holeCycle = 100;
  h.Frame();
  EXPECT_TRUE(h.t.events.volumes.empty());
}

TEST(TimedObstacle, AFarAwayBallCannotWrapTheVolumeRoundToLoud) {
  Table t;
  t.Place(1, 2.0e9, -2.0e9);
  EXPECT_LT(RumbleVolume(t.s(), 710, 367, 4), -1000000);
}

// ---- course2hole1 ---------------------------------------------------------

TEST(RockFall, ReplacesEightParticlesAndLeavesTheOthers) {
  Table t;
  GameSession& s = t.s();
  t.Place(1, 496, 917);  // 100 px below the rumble's source
  for (Particle& p : s.particles) {
    p.active = true;
    p.x = 1;
    p.y = 2;
    p.z = 3;
    p.colour = 0x123456;
    p.bouncesLeft = 1;
    p.dotted = true;
    p.groundDot = true;
    p.rise = 9;
  }
  StartRockFall(s);
  int32_t first = 0, rocks = 0;
  for (int32_t i = 1; i <= kParticleCount; ++i) {
    const Particle& p = s.particles[i];
    if (p.colour == 0x123456) {
      EXPECT_EQ(p.x, 1);
      continue;
    }
    if (first == 0) first = i;
    EXPECT_EQ(i, first + rocks) << "the eight are consecutive";
    ++rocks;
    EXPECT_TRUE(p.active);
    EXPECT_EQ(p.x, 496);
    EXPECT_EQ(p.y, 935);
    EXPECT_GE(p.z, 100);
    EXPECT_LE(p.z, 107);
    EXPECT_GE(p.heading, 150);
    EXPECT_LE(p.heading, 181);
    EXPECT_GE(p.speed, 0);
    EXPECT_LE(p.speed, 11 / 3.0);
    EXPECT_EQ(p.rise, 0);
    EXPECT_EQ(p.bouncesLeft, 3);
    EXPECT_EQ(p.colour, 0xC9C4AF);
    EXPECT_FALSE(p.dotted);
    EXPECT_FALSE(p.groundDot);
  }
  EXPECT_EQ(rocks, 8);
  EXPECT_GE(first, 1);
  EXPECT_LE(first, 23);
  ASSERT_EQ(t.events.volumes.size(), 1u);
  EXPECT_EQ(t.events.volumes[0].hundredthsDb, -200);
  EXPECT_TRUE(t.events.Played(EffectSound::kRumble));
}

TEST(RockFall, ComesAboutTwiceInEvery255FramesPerSubstep) {
  for (int32_t substeps : {1, 4}) {
    AnimatedHole h("course2hole1");
    GameSession& s = h.t.s();
    s.substeps = substeps;
    const uint64_t play = s.playRandom.State();
    int falls = 0;
    for (int frame = 0; frame < 25500; ++frame) {
      h.t.events.Clear();
      h.Frame();
      falls += h.t.events.Played(EffectSound::kRumble) ? 1 : 0;
    }
    // Expected 200 x substeps.
    EXPECT_GT(falls, 150 * substeps) << substeps;
    EXPECT_LT(falls, 250 * substeps) << substeps;
    EXPECT_EQ(s.playRandom.State(), play) << "the play stream is never drawn from";
  }
}

TEST(RockFall, RocksFallBounceAndComeToAnEnd) {
  Table t;
  TDirectDrawSurface screen(64, 48);
  StartRockFall(t.s());
  std::vector<int32_t> contacts(kParticleCount + 1, 0);
  int frames = 0;
  auto anyActive = [&] {
    for (const Particle& p : t.s().particles)
      if (p.active) return true;
    return false;
  };
  for (; frames < 500 && anyActive(); ++frames) {
    std::vector<int32_t> before;
    for (const Particle& p : t.s().particles) before.push_back(p.bouncesLeft);
    UpdateParticles(t.s(), screen);
    for (int32_t i = 1; i <= kParticleCount; ++i)
      if (t.s().particles[i].bouncesLeft < before[static_cast<size_t>(i - 1)]) ++contacts[i];
  }
  EXPECT_FALSE(anyActive());
  int rocks = 0;
  for (int32_t i = 1; i <= kParticleCount; ++i) {
    if (contacts[i] == 0) continue;
    ++rocks;
    EXPECT_EQ(contacts[i], 3) << "a rock from 100 px bounces three times";
  }
  EXPECT_EQ(rocks, 8);
}

// ---- course1hole5 ---------------------------------------------------------

TEST(DriftingHole, OnlyCourse1Hole5MovesTheDrifters) {
  AnimatedHole h("course1hole5");
  GameSession& s = h.t.s();
  ResetDrifters(s, h.screen, h.pictures.list);
  s.scrollX = 20;
  s.lastFrameScrollX = 26;
  const Drifter before = s.drifters[1];
  h.Frame();
  EXPECT_NE(s.drifters[1].x, before.x);
  EXPECT_EQ(s.lastFrameScrollX, 20);

  AnimatedHole other("course1hole4");
  ResetDrifters(other.t.s(), other.screen, other.pictures.list);
  other.t.s().scrollX = 20;
  const Drifter still = other.t.s().drifters[1];
  other.Frame();
  EXPECT_EQ(other.t.s().drifters[1].x, still.x);
  EXPECT_EQ(other.t.s().lastFrameScrollX, 0);
}

}  // namespace
}  // namespace quendrix
