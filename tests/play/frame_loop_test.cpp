// The frame loop: game states and their transitions, the physics rate, the
// surface check, quitting, and the change to the next hole.
#include <gtest/gtest.h>

#include "core/rounding.h"
#include "game/ball_motion.h"
#include "game/ball_sprites.h"
#include "play_fixture.h"

namespace quendrix::playdata {
namespace {

uint16_t ScreenColour(const TDirectDrawSurface& s, int32_t x, int32_t y) {
  return static_cast<uint16_t>(s.RawPixel(x, y));
}

// Clicks the title card away in a corner, far from the ball, and lets the
// camera settle.
void LeaveTitleCard(HeadlessPlay& play) {
  play.Frame();
  play.MoveTo(2, 2);
  play.LeftClick();
  for (int i = 0; i < 60 && play.session().recentre; ++i) play.Frame();
}

// Rolls the current ball into the cup of course1hole1 (cup at 1000, 800).
void RollIntoCup(HeadlessPlay& play) {
  playerrec& b = play.ball(play.session().currentPlayer);
  b.x = b.prevX = b.safeX = 1000;
  b.y = b.prevY = b.safeY = 798;
  b.direction = 64;
  b.speed = 0.3;
  StartShot(play.session(), play.session().currentPlayer, true);
}

TEST(FrameLoop, AClickLeavesTheTitleCardAndCentresThePointer) {
  auto play = StartPlay(FreshSettings());
  play->Frame();
  EXPECT_EQ(play->session().gameState, GameState::kTitleCard);
  play->Frames(30);
  EXPECT_EQ(play->session().gameState, GameState::kTitleCard)
      << "the title card waits for the player";
  play->MoveTo(10, 10);
  play->LeftClick();
  EXPECT_EQ(play->session().gameState, GameState::kPlay);
  EXPECT_EQ(play->session().shotPhase, 0);
  play->Frame();
  // The re-centring move arrived before the frame.
  EXPECT_EQ(play->session().pointerX, 320);
  EXPECT_EQ(play->session().pointerY, 240);
  // The course, beside the HUD panel in the top-left corner.
  EXPECT_EQ(ScreenColour(play->display.Screen(), 2, 470), Raw(kCourseColour));
  // The pointer picture is drawn where the pointer is.
  EXPECT_EQ(ScreenColour(play->display.Screen(), 322, 242), Raw(kPointerColour));
}

TEST(FrameLoop, AKeyLeavesTheTitleCard) {
  auto play = StartPlay(FreshSettings());
  play->Key(vk::kSpace);
  EXPECT_EQ(play->session().gameState, GameState::kPlay);
}

TEST(FrameLoop, TheCameraGlidesToTheBallAndStaysOnTheCourse) {
  auto play = StartPlay(FreshSettings());
  GameSession& s = play->session();
  EXPECT_EQ(s.scrollX, 0);
  EXPECT_TRUE(s.recentre);
  const int32_t targetX = Nearest(s.players[1].x - 320);
  const int32_t targetY = Nearest(s.players[1].y - 240);
  int frames = 0;
  int32_t lastX = 0;
  while (s.recentre && frames < 100) {
    play->Frame();
    ++frames;
    EXPECT_GE(s.scrollX, lastX) << "the glide only moves towards the ball";
    lastX = s.scrollX;
    EXPECT_GE(s.scrollX, 0);
    EXPECT_LE(s.scrollX, 1200 - 640);
    EXPECT_GE(s.scrollY, 0);
    EXPECT_LE(s.scrollY, 900 - 480);
  }
  EXPECT_FALSE(s.recentre);
  EXPECT_LT(frames, 30);
  EXPECT_LE(std::abs(s.scrollX - targetX), 4);
  EXPECT_LE(std::abs(s.scrollY - targetY), 4);
}

TEST(FrameLoop, SmallCoursesAreCentredOnBlack) {
  auto play = StartPlay(FreshSettings());
  play->session().holeName = "course1hole2";  // 400 x 300
  play->main().HoleInit();
  play->Key(vk::kSpace);
  play->Frames(5);
  EXPECT_EQ(play->session().scrollX, -120);
  EXPECT_EQ(play->session().scrollY, -90);
  const TDirectDrawSurface& screen = play->display.Screen();
  EXPECT_EQ(ScreenColour(screen, 119, 200), Raw(clBlack));
  EXPECT_EQ(ScreenColour(screen, 120, 90), Raw(kCourseColour));
  EXPECT_EQ(ScreenColour(screen, 519, 389), Raw(kCourseColour));
  EXPECT_EQ(ScreenColour(screen, 520, 389), Raw(clBlack));
  EXPECT_EQ(ScreenColour(screen, 300, 390), Raw(clBlack));
}

TEST(FrameLoop, PhysicsRateFollowsTheTickRate) {
  EXPECT_EQ(SubstepsForTickRate(20), 4);
  EXPECT_EQ(SubstepsForTickRate(21), 2);
  EXPECT_EQ(SubstepsForTickRate(40), 2);
  EXPECT_EQ(SubstepsForTickRate(41), 1);
  EXPECT_EQ(SubstepsForTickRate(1000), 1);
  EXPECT_EQ(SubstepsForTickRate(0), 4);

  auto play = StartPlay(FreshSettings());
  EXPECT_EQ(play->session().substeps, 1) << "the first frame runs one substep plus one";
  struct Case {
    uint32_t ms;
    int32_t substeps;
  };
  // 1000 / 50 = 20, 1000 / 48 = 20.8 -> 21, 1000 / 25 = 40, 1000 / 24 = 41.7 -> 42.
  for (const Case c : {Case{50, 4}, Case{48, 2}, Case{25, 2}, Case{24, 1}, Case{66, 4}}) {
    ASSERT_TRUE(play->Frame(c.ms));
    EXPECT_EQ(play->session().substeps, c.substeps) << c.ms << " ms";
  }
  // The next frame runs substeps + 1 physics steps: 5 at 4.
  play->Frame(50);
  ASSERT_EQ(play->session().substeps, 4);
  playerrec& b = play->ball(1);
  b.direction = 0;
  b.speed = 2;
  StartShot(play->session(), 1, true);
  play->Frame(50);
  EXPECT_NEAR(b.speed, 2 - 5 * 0.005, 1e-9);
}

TEST(FrameLoop, AnUnreadySurfaceMakesAFrameDoNothing) {
  auto play = StartPlay(FreshSettings());
  LeaveTitleCard(*play);
  playerrec& b = play->ball(1);
  b.direction = 0;
  b.speed = 2;
  StartShot(play->session(), 1, true);
  const double x = b.x;
  const int presents = play->display.PresentCount();
  play->display.lost = true;
  play->display.restorable = false;
  EXPECT_FALSE(play->Frame());
  EXPECT_FALSE(play->Frame());
  EXPECT_EQ(b.x, x) << "no physics";
  EXPECT_EQ(play->display.PresentCount(), presents);
  play->display.restorable = true;
  EXPECT_TRUE(play->Frame()) << "a restored display plays on";
  EXPECT_GT(b.x, x);
}

TEST(FrameLoop, ARestoredDisplayKeepsTheBallColours) {
  auto play = StartPlay(FreshSettings());
  LeaveTitleCard(*play);
  const BallTexture before = play->main().ballTexture(1);
  play->display.lost = true;  // another program took the screen; it comes back
  ASSERT_TRUE(play->Frame());
  play->display.lost = false;
  EXPECT_EQ(play->main().ballTexture(1), before);
  // The ball's middle pixel is still its texel, not a re-converted value.
  const GameSession& s = play->session();
  const int32_t x = Nearest(s.players[1].x) - s.scrollX, y = Nearest(s.players[1].y) - s.scrollY;
  play->MoveTo(600, 20);  // the pointer picture out of the way
  play->Frame();
  EXPECT_EQ(TexelOf(static_cast<uint16_t>(play->BackSurface().RawPixel(x, y)), 1),
            SphereMap()[16 * 8 + 8]);
}

TEST(FrameLoop, EscapeThenEnterLeavesAndOtherKeysCancel) {
  auto play = StartPlay(FreshSettings());
  LeaveTitleCard(*play);
  play->Key(vk::kEscape);
  EXPECT_TRUE(play->session().quitAsked);
  play->Frame();
  EXPECT_GE(play->session().bannerFade, 193) << "the question stays up";
  play->Key(vk::kSpace);
  EXPECT_FALSE(play->session().quitAsked);
  EXPECT_FALSE(play->main().Closed());
  play->Key(vk::kEscape);
  play->main().DXDrawMouseDown(MouseButton::kRight);
  EXPECT_FALSE(play->session().quitAsked) << "the right button cancels too";
  play->Key(vk::kEscape);
  play->Key(vk::kReturn);
  EXPECT_TRUE(play->main().Closed());
  EXPECT_FALSE(play->display.IsOpen());
  EXPECT_FALSE(play->sound.IsOpen());
  EXPECT_FALSE(play->main().gengine.Enabled());
  EXPECT_FALSE(play->Frame());
}

TEST(FrameLoop, AFinishedHoleLoadsTheNextOnceTheBannerHasFaded) {
  auto play = StartPlay(FreshSettings());
  GameSession& s = play->session();
  LeaveTitleCard(*play);
  RollIntoCup(*play);
  int frames = 0;
  while (s.gameState != GameState::kHoleFinished && frames < 200) {
    play->Frame();
    ++frames;
  }
  ASSERT_EQ(s.gameState, GameState::kHoleFinished);
  EXPECT_EQ(s.holeNumber, 2);
  EXPECT_EQ(s.players[1].holeScores[1], 1);
  while (s.gameState == GameState::kHoleFinished && frames < 400) {
    play->Frame();
    ++frames;
  }
  EXPECT_EQ(s.holeName, "course1hole2");
  EXPECT_EQ(s.gameState, GameState::kTitleCard);
  EXPECT_EQ(s.totalPar, 5);
  EXPECT_EQ(s.players[1].totalStrokes, 1);
  EXPECT_EQ(s.players[1].strokes, 0);
  EXPECT_TRUE(s.players[1].inPlay);
  EXPECT_NEAR(s.players[1].x, 200, 31);
}

TEST(FrameLoop, AHelpScreenOverAFinishedHoleKeepsTheHoleChange) {
  auto play = StartPlay(FreshSettings());
  GameSession& s = play->session();
  LeaveTitleCard(*play);
  RollIntoCup(*play);
  for (int i = 0; i < 200 && s.gameState != GameState::kHoleFinished; ++i) play->Frame();
  ASSERT_EQ(s.gameState, GameState::kHoleFinished);
  s.gameState = GameState::kPuttHelp;  // the help screen asked for while the banner fades
  play->Frames(150);
  EXPECT_EQ(s.bannerFade, 0);
  EXPECT_EQ(s.holeName, "course1hole1") << "not while the help screen shows";
  EXPECT_EQ(s.gameState, GameState::kPuttHelp);
  EXPECT_TRUE(play->main().HoleChangePending());
  play->LeftClick();
  EXPECT_EQ(s.gameState, GameState::kPlay);
  play->Frame();
  EXPECT_EQ(s.holeName, "course1hole2");
  EXPECT_EQ(s.gameState, GameState::kTitleCard);
  EXPECT_FALSE(play->main().HoleChangePending());
}

TEST(FrameLoop, StateScreensReplaceThePicture) {
  LaunchSettings settings = FreshSettings();
  auto play = StartPlay(settings);
  LeaveTitleCard(*play);
  GameSession& s = play->session();
  s.gameState = GameState::kPuttHelp;
  play->Frame();
  EXPECT_EQ(ScreenColour(play->display.Screen(), 340, 260), Raw(kPullHelpColour));
  EXPECT_EQ(ScreenColour(play->display.Screen(), 169, 139), Raw(clBlack));
  s.players[1].pullPutt = false;
  play->Frame();
  EXPECT_EQ(ScreenColour(play->display.Screen(), 340, 260), Raw(kPushHelpColour));
  play->Key(vk::kSpace);
  EXPECT_EQ(s.gameState, GameState::kPlay);
  s.gameState = GameState::kScoreCard;
  play->Frame();
  EXPECT_EQ(ScreenColour(play->display.Screen(), 340, 260), Raw(kScoreCardColour));
  EXPECT_EQ(ScreenColour(play->display.Screen(), 119, 89), Raw(clBlack));
}

}  // namespace
}  // namespace quendrix::playdata
