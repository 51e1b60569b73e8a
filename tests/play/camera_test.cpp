// The camera on its own: glide, follow, free scroll, bounds and centring.
#include "game/camera.h"

#include <gtest/gtest.h>

#include "game/game_state.h"
#include "media/image_list.h"
#include "media/surface.h"

namespace quendrix {
namespace {

struct Camera {
  Camera() : session(settings) {
    session.playerCount = 2;
    session.currentPlayer = 1;
    view = {640, 480, 1200, 900};
  }
  playerrec& ball(int32_t p = 1) { return session.players[p]; }
  void Frame() { UpdateCamera(session, view); }

  LaunchSettings settings;
  GameSession session;
  CameraView view;
};

TEST(Camera, RecentringGlidesAQuarterOfTheWayEachFrame) {
  Camera c;
  c.ball().x = 450;
  c.ball().y = 350;
  c.session.recentre = true;
  c.Frame();
  // Target (130, 110): 130 div 4, 110 div 4.
  EXPECT_EQ(c.session.scrollX, 32);
  EXPECT_EQ(c.session.scrollY, 27);
  c.Frame();
  EXPECT_EQ(c.session.scrollX, (32 * 3 + 130) / 4);
  EXPECT_EQ(c.session.scrollY, (27 * 3 + 110) / 4);
  int frames = 2;
  while (c.session.recentre && frames < 50) {
    c.Frame();
    ++frames;
  }
  EXPECT_FALSE(c.session.recentre);
  EXPECT_LT(std::abs(c.session.scrollX - 130) + std::abs(c.session.scrollY - 110), 8);
}

TEST(Camera, ATargetBeyondTheEdgeEndsTheGlideAtTheBound) {
  Camera c;
  c.ball().x = 1190;  // target x 870, beyond 1200 - 640
  c.ball().y = 890;
  c.session.recentre = true;
  for (int i = 0; i < 40 && c.session.recentre; ++i) c.Frame();
  EXPECT_FALSE(c.session.recentre);
  EXPECT_EQ(c.session.scrollX, 560);
  EXPECT_EQ(c.session.scrollY, 420);
}

TEST(Camera, ARollingBallStaysInsideTheMargin) {
  Camera c;
  c.session.ballsMoving = true;
  c.ball().moving = true;
  c.ball().x = 620;
  c.ball().y = 100;
  c.ball().z = 0;
  c.Frame();
  // 620 - 0 >= 640 - 128: the view moves so the ball is 128 px from the edge.
  EXPECT_EQ(c.session.scrollX, 620 - 512);
  EXPECT_EQ(c.session.scrollY, 0) << "clamped at the top";
  c.ball().x = 150;
  c.Frame();
  EXPECT_EQ(c.session.scrollX, 22);
  // The drawn height counts: a ball 40 px up is followed where it is seen.
  c.ball().y = 600;
  c.ball().z = 40;
  c.Frame();
  EXPECT_EQ(c.session.scrollY, 560 - 352);
}

TEST(Camera, FollowsTheHighestMovingBallWhenTheCurrentOneIsStill) {
  Camera c;
  c.session.playerCount = 3;
  c.session.ballsMoving = true;
  c.ball(1).x = 300;
  c.ball(1).y = 300;
  c.ball(2).moving = true;
  c.ball(2).x = 1100;
  c.ball(2).y = 300;
  c.ball(3).moving = true;
  c.ball(3).x = 900;
  c.ball(3).y = 700;
  c.Frame();
  EXPECT_EQ(c.session.scrollX, 900 - 512);
  EXPECT_EQ(c.session.scrollY, 700 - 352);

  // A sinking current ball keeps the camera even though it has stopped.
  c.ball(1).lost = true;
  c.Frame();
  EXPECT_EQ(c.session.scrollX, 300 - 128);
}

TEST(Camera, FreeScrollHasInertiaAndATopSpeed) {
  Camera c;
  c.session.substeps = 4;
  c.session.pointerX = 639;  // right edge and bottom edge: diagonal
  c.session.pointerY = 479;
  for (int i = 0; i < 40; ++i) c.Frame();
  // 64 * 4 eighths: 32 px per frame at 4 substeps.
  EXPECT_EQ(c.session.scrollVelX, 256);
  EXPECT_EQ(c.session.scrollVelY, 256);
  const int32_t x = c.session.scrollX;
  c.Frame();
  EXPECT_EQ(c.session.scrollX, std::min(x + 32, 560));

  // The arrow keys push the same way, and the view coasts after release.
  Camera k;
  k.session.pointerX = 320;
  k.session.pointerY = 240;
  k.session.scrollX = 300;
  k.session.scrollLeftHeld = true;
  k.Frame();
  EXPECT_EQ(k.session.scrollVelX, -4 + 2);
  EXPECT_EQ(k.session.scrollX, 300) << "less than 8 eighths moves nothing";
  for (int i = 0; i < 10; ++i) k.Frame();
  k.session.scrollLeftHeld = false;
  const int32_t before = k.session.scrollX;
  k.Frame();
  EXPECT_LT(k.session.scrollX, before) << "coasting";
  for (int i = 0; i < 40; ++i) k.Frame();
  EXPECT_EQ(k.session.scrollVelX, 0);
}

TEST(Camera, CourseDrawingClearsOnlyWhenTheCourseIsSmaller) {
  LaunchSettings settings;
  GameSession s(settings);
  TDXImageList course;
  PictureItemData picture;
  picture.picture = Bitmap(640, 480, MakeColor(40, 160, 48));
  picture.transparentColor = MakeColor(40, 160, 48);  // all key: draws nothing
  static_cast<PictureItemData&>(course.Items.Add()) = picture;
  course.Items[ItemIndex(HoleImage::kCourse)].BuildSurface();
  TDirectDrawSurface screen(640, 480);
  screen.FillRaw(0x1234);
  const CameraView same = MakeCameraView(screen, course);
  EXPECT_EQ(same.courseWidth, 640);
  DrawCourse(s, same, screen, course);
  EXPECT_EQ(screen.RawPixel(0, 0), 0x1234u) << "an exact fit is never cleared";

  // Narrower but taller: x centred every frame, y left to the camera.
  CameraView narrow{640, 480, 400, 900};
  s.scrollY = 100;
  DrawCourse(s, narrow, screen, course);
  EXPECT_EQ(s.scrollX, -120);
  EXPECT_EQ(s.scrollY, 100);
  EXPECT_EQ(screen.RawPixel(0, 0), 0u);
}

}  // namespace
}  // namespace quendrix
