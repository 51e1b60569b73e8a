// The effect stores and the hole animations inside the play screen's own
// frames: the rumble reaches the sound list, the cycle runs on from hole to
// hole, particles and drifting sprites are drawn on the back surface.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/angles.h"
#include "core/rounding.h"
#include "game/effects.h"
#include "game/hole_animations.h"
#include "play_fixture.h"

namespace quendrix::playdata {
namespace {

// A hole with its tee at (x, y) and a cup far away.
std::string Hole(int32_t x, int32_t y) {
  return "[ball]\nx=" + std::to_string(x) + "\ny=" + std::to_string(y) +
         "\n[course]\npar=3\n[area1]\nkind=5\nenabled=1\nx1=1100\ny1=850\nr=8\n"
         "x2=1088\ny2=844\ncomment=course1hole1\n";
}

struct AnimatedGame {
  AnimatedGame() {
    WriteInterfaceData(dir.path());
    WriteHole(dir.path(), "course2hole1", Hole(600, 450));
    WriteHole(dir.path(), "course2hole5", Hole(810, 367));
    WriteHole(dir.path(), "course2hole9", Hole(600, 450));
    WriteHole(dir.path(), "course1hole5", Hole(600, 450));
    LaunchSettings settings = FreshSettings();
    settings.course = 1;  // starts on course2hole1
    play = std::make_unique<HeadlessPlay>(settings, dir.path(), 3);
    play->Start();
  }
  void Enter(const std::string& hole) {
    play->session().holeName = hole;
    play->main().HoleInit();
    play->Key(vk::kSpace);  // past the title card
  }
  GameSession& s() { return play->session(); }

  DataDir dir;
  std::unique_ptr<HeadlessPlay> play;
};

TEST(AnimationsInPlay, TheRumbleOfTheTimedObstacleReachesTheSoundList) {
  AnimatedGame g;
  g.Enter("course2hole5");
  g.s().holeCycle = 250;
  g.play->Frames(2);
  EXPECT_EQ(g.s().holeCycle, 254);
  EXPECT_EQ(g.play->main().sounds.Items[ItemIndex(EffectSound::kRumble)].SoundVolume(), 0);
  playerrec& ball = g.play->ball(g.s().currentPlayer);
  ball.x = 810;  // 100 px from the rumble
  ball.y = 367;
  g.play->Frame();
  EXPECT_EQ(g.s().holeCycle, 0);
  EXPECT_EQ(g.play->main().sounds.Items[ItemIndex(EffectSound::kRumble)].SoundVolume(), -400);
  EXPECT_TRUE(g.s().areas[53].enabled == (g.s().holeCycle < 128));
}

TEST(AnimationsInPlay, TheCycleRunsOnFromHoleToHole) {
  AnimatedGame g;
  g.Enter("course2hole5");
  g.s().holeCycle = 0;
  g.play->Frames(70);  // past the middle: the obstacle is gone
  EXPECT_EQ(g.s().holeCycle, 140);
  EXPECT_EQ(g.s().courseEffects[40].x, 0);
  EXPECT_FALSE(g.s().areas[53].enabled);

  g.Enter("course2hole9");
  EXPECT_EQ(g.s().holeCycle, 140);
  // Set up 100 px higher; the first frame puts them where the cycle wants them.
  g.play->Frame();
  EXPECT_EQ(g.s().holeCycle, 142);
  EXPECT_EQ(g.s().courseEffects[35].y, 0);
  EXPECT_EQ(g.s().courseEffects[36].y, 618);
  EXPECT_EQ(g.s().courseEffects[37].y, 881);
  EXPECT_FALSE(g.s().areas[40].enabled);
  EXPECT_TRUE(g.s().areas[41].enabled);
  EXPECT_TRUE(g.s().areas[42].enabled);
}

TEST(AnimationsInPlay, ParticlesFlyAndAreDrawnInTheFrame) {
  AnimatedGame g;
  g.Enter("course2hole1");
  g.play->Frames(30);  // the camera settles on the ball
  GameSession& s = g.s();
  ResetParticles(s);
  // One white streak going right, just beside the ball, in the air.
  Particle& p = s.particles[33];
  p.active = true;
  p.x = g.play->ball(1).x + 20;
  p.y = g.play->ball(1).y;
  p.z = 30;
  p.heading = 0;
  p.speed = 6;
  p.rise = 0;  // stays at 30 px this frame: a level streak
  p.bouncesLeft = 3;
  p.colour = static_cast<int32_t>(clWhite);
  const double startX = p.x;
  g.play->Frame();
  EXPECT_DOUBLE_EQ(p.lastX, startX);
  EXPECT_GT(p.x, startX + 5.9);
  const TDirectDrawSurface& screen = g.play->BackSurface();
  const int32_t sy = Nearest(p.y - p.z) - s.scrollY;
  int white = 0;
  for (int32_t x = Nearest(startX) - s.scrollX; x < Nearest(p.x) - s.scrollX; ++x)
    white += screen.RawPixel(x, sy) == Raw(clWhite) ? 1 : 0;
  EXPECT_EQ(white, 6);
}

TEST(AnimationsInPlay, DriftingSpritesShineOverCourse1Hole5Only) {
  AnimatedGame g;
  g.Enter("course2hole1");
  const Drifter before = g.s().drifters[7];
  g.play->Frames(5);
  EXPECT_EQ(g.s().drifters[7].x, before.x) << "no drifting on other holes";

  g.Enter("course1hole5");
  g.play->Frames(5);
  const TDirectDrawSurface& screen = g.play->BackSurface();
  int brighter = 0;
  for (const Drifter& d : g.s().drifters) {
    // Sprite colour added onto the course: red 40 + 96.
    const TColor c =
        TDirectDrawSurface::FromRgb565(static_cast<uint16_t>(screen.RawPixel(d.x + 3, d.y + 3)));
    brighter += RedOf(c) > 100 ? 1 : 0;
  }
  EXPECT_GE(brighter, 30) << "most sprites are in view and added onto the course";
}

}  // namespace
}  // namespace quendrix::playdata
