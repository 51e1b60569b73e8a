// The play screen on the generated data of this build (bin/ beside the
// tests' working folder): every hole starts and draws, and putts on the
// training hole go where they were aimed. Skipped while the data is not
// there.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "core/angles.h"
#include "core/rounding.h"
#include "game/ball_motion.h"
#include "game/camera.h"
#include "game/headless_play.h"
#include "play_data.h"

namespace quendrix::playdata {
namespace {

const std::filesystem::path kData = "bin";

bool HaveData(const std::string& hole) {
  for (const char* f : {"gui.dxg", "menu.dxg", "sound.dxw"})
    if (!std::filesystem::exists(kData / f)) return false;
  return std::filesystem::exists(kData / (hole + ".dxg")) &&
         std::filesystem::exists(kData / (hole + ".hole"));
}

#define REQUIRE_DATA(hole) \
  if (!HaveData(hole)) GTEST_SKIP() << "no generated data for " << hole << " in " << kData

std::unique_ptr<HeadlessPlay> PlayOn(const std::string& hole, bool pull, int32_t width = 640) {
  LaunchSettings settings;
  settings.training = hole == "training1";
  settings.pull[0] = pull;
  settings.screen640 = width == 640;
  settings.screen1024 = width == 1024;
  auto play = std::make_unique<HeadlessPlay>(settings, kData, 5);
  play->Start();
  if (play->session().holeName != hole) {
    play->session().holeName = hole;
    play->main().HoleInit();
  }
  play->Frame();
  return play;
}

// Frames until the glide has settled, checking the view never leaves the course.
void Settle(HeadlessPlay& play, const CameraView& view) {
  GameSession& s = play.session();
  for (int i = 0; i < 120 && (s.recentre || s.ballsMoving); ++i) {
    play.Frame();
    if (view.courseWidth >= view.screenWidth) {
      ASSERT_GE(s.scrollX, 0);
      ASSERT_LE(s.scrollX, view.courseWidth - view.screenWidth);
    }
    if (view.courseHeight >= view.screenHeight) {
      ASSERT_GE(s.scrollY, 0);
      ASSERT_LE(s.scrollY, view.courseHeight - view.screenHeight);
    }
  }
}

CameraView ViewOf(HeadlessPlay& play) {
  return MakeCameraView(play.BackSurface(), play.main().course);
}

TEST(RealData, EveryHoleStartsWithItsTitleCardAndDraws) {
  int holes = 0;
  for (const char* course : {"course1hole", "course2hole"}) {
    for (int n = 1; n <= 9; ++n) {
      const std::string hole = course + std::to_string(n);
      if (!HaveData(hole)) continue;
      ++holes;
      auto play = PlayOn(hole, true);
      GameSession& s = play->session();
      EXPECT_EQ(s.gameState, GameState::kTitleCard) << hole;
      ASSERT_GT(play->main().course.Items.Count(), 12) << hole << ": no title card";
      // The title card is on the screen, centred on black.
      const TDirectDrawSurface& screen = play->display.Screen();
      EXPECT_NE(screen.RawPixel(320, 240), 0u) << hole;
      play->Key(vk::kSpace);
      Settle(*play, ViewOf(*play));
      EXPECT_FALSE(s.recentre) << hole;
      const playerrec& b = s.players[1];
      // The ball is on the screen, where the camera brought it.
      EXPECT_GE(Nearest(b.x) - s.scrollX, 0) << hole;
      EXPECT_LT(Nearest(b.x) - s.scrollX, 640) << hole;
      EXPECT_GE(Nearest(b.y) - s.scrollY, 0) << hole;
      EXPECT_LT(Nearest(b.y) - s.scrollY, 480) << hole;
    }
  }
  if (holes == 0) GTEST_SKIP() << "no generated holes";
  EXPECT_EQ(holes, 18);
}

struct TrainingPutt : ::testing::Test {
  void Begin(bool pull) {
    play = PlayOn("training1", pull);
    play->Key(vk::kSpace);
    Settle(*play, ViewOf(*play));
    s = &play->session();
    b = &s->players[1];
    start = {b->x, b->y};
    aim = BinAngle(s->cupX - b->x, s->cupY - b->y);
  }
  void PointAtBall() { play->MoveTo(Nearest(b->x) - s->scrollX, Nearest(b->y) - s->scrollY); }
  // The direction of the first few pixels of travel.
  int32_t EarlyTravel() {
    for (int i = 0; i < 60 && std::hypot(b->x - start.x, b->y - start.y) < 8; ++i) play->Frame();
    return BinAngle(b->x - start.x, b->y - start.y);
  }
  static int32_t Diff(int32_t a, int32_t c) {
    const int32_t d = Mod256(a - c);
    return d > 128 ? 256 - d : d;
  }

  std::unique_ptr<HeadlessPlay> play;
  GameSession* s = nullptr;
  playerrec* b = nullptr;
  struct {
    double x, y;
  } start{};
  int32_t aim = 0;
};

TEST_F(TrainingPutt, APullPuttGoesTowardsTheCup) {
  REQUIRE_DATA("training1");
  Begin(true);
  PointAtBall();
  play->LeftDown();
  ASSERT_EQ(s->shotPhase, 1);
  // Drag 24 px away from the cup: the ball goes the other way.
  const double a = aim * 2 * 3.14159265358979 / 256;
  play->MoveTo(320 - Nearest(24 * std::cos(a)), 240 - Nearest(24 * std::sin(a)));
  play->Frame();
  play->LeftUp();
  for (int i = 0; i < 20 && s->shotPhase != 0; ++i) play->Frame();
  ASSERT_EQ(s->shotPhase, 0);
  EXPECT_EQ(b->strokes, 1);
  EXPECT_LE(Diff(EarlyTravel(), aim), 3);
}

TEST_F(TrainingPutt, APushPuttGoesTowardsTheCup) {
  REQUIRE_DATA("training1");
  Begin(false);
  PointAtBall();
  play->LeftClick();
  ASSERT_EQ(s->shotPhase, 1);
  // Direction = 128 + (anchor x - pointer x).
  const int32_t offset = aim - 128;  // aim is 0 ... 255
  play->MoveTo(320 - offset, 240);
  play->Frame();
  EXPECT_EQ(Mod256(b->direction), Mod256(aim));
  play->LeftClick();
  play->MoveTo(320, 274);
  play->Frame();
  play->Frame();
  ASSERT_EQ(s->shotPhase, 3);
  play->LeftClick();
  play->MoveTo(320, 250);
  play->Frame();
  play->MoveTo(320, 230);
  play->Frame();
  ASSERT_EQ(s->shotPhase, 0);
  EXPECT_EQ(b->strokes, 1);
  EXPECT_LE(Diff(EarlyTravel(), aim), 3);
}

TEST(RealData, ABallRolledIntoTheTrainingCupIsHoledAndTheHoleStartsAgain) {
  REQUIRE_DATA("training1");
  auto play = PlayOn("training1", true);
  play->Key(vk::kSpace);
  GameSession& s = play->session();
  playerrec& b = s.players[1];
  b.x = b.prevX = b.safeX = s.cupX;
  b.y = b.prevY = b.safeY = s.cupY - 2;
  b.direction = 64;
  b.speed = 0.3;
  StartShot(s, 1, true);
  for (int i = 0; i < 200 && s.gameState != GameState::kHoleFinished; ++i) play->Frame();
  ASSERT_EQ(s.gameState, GameState::kHoleFinished);
  EXPECT_EQ(b.holeScores[1], 1);
  for (int i = 0; i < 200 && s.gameState == GameState::kHoleFinished; ++i) play->Frame();
  EXPECT_EQ(s.gameState, GameState::kTitleCard);
  EXPECT_EQ(s.holeNumber, 2);
  EXPECT_EQ(s.holeName, "training1") << "the training hole names itself";
  EXPECT_TRUE(b.inPlay);
}

TEST(RealData, ABusyFrameAt1024DrawsTheWholeScreen) {
  REQUIRE_DATA("course2hole8");
  auto play = PlayOn("course2hole8", true, 1024);
  play->Key(vk::kSpace);
  Settle(*play, ViewOf(*play));
  play->Frame();
  EXPECT_EQ(play->BackSurface().Width(), 1024);
  // The course covers the screen (it is larger than 1024 x 768).
  const CameraView view = ViewOf(*play);
  ASSERT_GE(view.courseWidth, 1024);
  ASSERT_GE(view.courseHeight, 768);
  int black = 0;
  for (int32_t y = 0; y < 768; y += 16)
    for (int32_t x = 0; x < 1024; x += 16) black += play->BackSurface().RawPixel(x, y) == 0;
  EXPECT_LT(black, 48 * 64 / 10);
}

}  // namespace
}  // namespace quendrix::playdata
