// The solver: it finds putts on small made-up holes, its sequences replay,
// and every hole of the game is holed from the tee centre within its par.
#include "computer/solver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "game/ball_drop.h"
#include "game/game_state.h"
#include "game/hole_file.h"
#include "game/launch_settings.h"
#include "hole_support.h"

namespace quendrix::testing {
namespace {

// A box 400 x 200 with the tee on the left and the cup on the right.
constexpr const char* kOpenBox = R"(
[ball]
x=100
y=200
[course]
par=2
[area1]
kind=4
x1=50
y1=100
x2=450
y2=100
enabled=1
[area2]
kind=4
x1=50
y1=300
x2=450
y2=300
enabled=1
[area3]
kind=2
x1=50
y1=100
x2=50
y2=300
enabled=1
[area4]
kind=2
x1=450
y1=100
x2=450
y2=300
enabled=1
[area5]
kind=5
x1=400
y1=200
r=10
enabled=1
comment=next
)";

TEST(Solver, PutsAStraightPuttIntoTheCupAndTheSequenceReplays) {
  const SolveResult found = SolveHoleText(kOpenBox, "box");
  ASSERT_TRUE(found.holed);
  EXPECT_EQ(found.strokes, 1);
  ASSERT_EQ(found.shots.size(), 1u);
  EXPECT_EQ(found.par, 2);
  EXPECT_DOUBLE_EQ(found.shots[0].fromX, 100);
  EXPECT_DOUBLE_EQ(found.shots[0].fromY, 200);
  const SolveResult again = ReplayShots(kOpenBox, "box", found.shots);
  EXPECT_TRUE(again.holed);
  EXPECT_EQ(again.strokes, 1);
}

TEST(Solver, GoesRoundAWallItCannotPuttThrough) {
  // A wall from the top rail down to y 270 between tee and cup: the ball
  // has to pass below it or bank round.
  std::string text = kOpenBox;
  text += "[area6]\nkind=2\nx1=250\ny1=100\nx2=250\ny2=270\nenabled=1\n";
  const SolveResult found = SolveHoleText(text, "box");
  ASSERT_TRUE(found.holed);
  EXPECT_LE(found.strokes, 2);
  EXPECT_TRUE(ReplayShots(text, "box", found.shots).holed);
}

TEST(Solver, GivesUpOnACupBehindClosedRails) {
  std::string text = kOpenBox;
  // Rails all round the cup.
  text += "[area6]\nkind=2\nx1=370\ny1=170\nx2=370\ny2=230\nenabled=1\n";
  text += "[area7]\nkind=2\nx1=430\ny1=170\nx2=430\ny2=230\nenabled=1\n";
  text += "[area8]\nkind=4\nx1=370\ny1=170\nx2=430\ny2=170\nenabled=1\n";
  text += "[area9]\nkind=4\nx1=370\ny1=230\nx2=430\ny2=230\nenabled=1\n";
  SolveOptions options;
  options.maxStrokes = 2;
  options.shotBudget = 3000;
  const SolveResult found = SolveHoleText(text, "box", options);
  EXPECT_FALSE(found.holed);
  EXPECT_LE(found.shotsSimulated, options.shotBudget + 200);
}

TEST(Solver, ReportsAHoleWithoutACup) {
  const SolveResult found = SolveHoleText("[ball]\nx=10\ny=10\n", "empty");
  EXPECT_FALSE(found.holed);
  EXPECT_FALSE(found.error.empty());
}

TEST(Solver, ReplayStopsAtTheFirstShotThatDrops) {
  const SolveResult found = SolveHoleText(kOpenBox, "box");
  ASSERT_TRUE(found.holed);
  std::vector<SolveShot> shots = found.shots;
  shots.push_back(shots.back());
  const SolveResult replay = ReplayShots(kOpenBox, "box", shots);
  EXPECT_TRUE(replay.holed);
  EXPECT_EQ(replay.shots.size(), 1u);
}

TEST(SolverFrame, SwitchesTheGatesOfTheCyclingHoles) {
  LaunchSettings settings;
  auto s = std::make_unique<GameSession>(settings);
  s->holeName = "course2hole9";
  for (int32_t i : {40, 41, 42}) s->areas[i].kind = AreaKind::kWall0;
  s->holeCycle = 62;  // the frame takes it to 64
  SolverFrameExtras(*s, 8);
  EXPECT_TRUE(s->areas[40].enabled);
  EXPECT_FALSE(s->areas[41].enabled);
  EXPECT_FALSE(s->areas[42].enabled);  // on only while 64 < cycle < 192
  s->holeCycle = 126;                  // to 128: neither of the first two
  SolverFrameExtras(*s, 8);
  EXPECT_FALSE(s->areas[40].enabled);
  EXPECT_FALSE(s->areas[41].enabled);
  EXPECT_TRUE(s->areas[42].enabled);
  s->holeCycle = 254;  // past 255 starts again at 0
  SolverFrameExtras(*s, 8);
  EXPECT_EQ(s->holeCycle, 0);
  EXPECT_TRUE(s->areas[40].enabled);

  s->holeName = "course2hole5";
  s->areas[53].kind = AreaKind::kWall0;
  s->holeCycle = 100;
  SolverFrameExtras(*s, 8);
  EXPECT_TRUE(s->areas[53].enabled);
  s->holeCycle = 130;
  SolverFrameExtras(*s, 8);
  EXPECT_FALSE(s->areas[53].enabled);
}

TEST(SolverFrame, FreesTheSplashSlotAfterItsPatterns) {
  LaunchSettings settings;
  auto s = std::make_unique<GameSession>(settings);
  s->substeps = 1;
  courseEffect& splash = s->courseEffects[kSplashSlot];
  splash.x = 100;
  splash.y = 100;
  splash.image = ItemIndex(HoleImage::kSplash);
  for (int f = 0; f < 4 * 8 - 1; ++f) SolverFrameExtras(*s, 8);
  EXPECT_EQ(splash.x, 100);
  SolverFrameExtras(*s, 8);
  EXPECT_EQ(splash.x, 0);
  EXPECT_EQ(splash.y, 0);
}

class GameHole : public ::testing::TestWithParam<std::string> {};

TEST_P(GameHole, IsHoledFromTheTeeCentreWithinPar) {
  const std::string text = ReadHoleText(GetParam());
  const SolveResult found = SolveHoleText(text, GetParam());
  ASSERT_TRUE(found.error.empty()) << found.error;
  ASSERT_TRUE(found.holed) << "no sequence found in " << found.shotsSimulated << " putts";
  EXPECT_LE(found.strokes, found.par);
  const SolveResult replay = ReplayShots(text, GetParam(), found.shots);
  EXPECT_TRUE(replay.holed);
  EXPECT_EQ(replay.strokes, found.strokes);
  std::string shots;
  for (const SolveShot& s : found.shots)
    shots += " " + std::to_string(s.waitFrames) + ":" + std::to_string(s.direction) + ":" +
             std::to_string(s.speed);
  RecordProperty("strokes", found.strokes);
  RecordProperty("shots", shots);
}

INSTANTIATE_TEST_SUITE_P(AllHoles, GameHole, ::testing::ValuesIn(AllHoleNames()),
                         [](const auto& param) { return param.param; });

}  // namespace
}  // namespace quendrix::testing
