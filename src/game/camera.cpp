#include "game/camera.h"

#include <algorithm>
#include <cstdlib>

#include "core/angles.h"
#include "core/rounding.h"
#include "game/game_state.h"
#include "game/list_items.h"
#include "media/surface.h"

namespace quendrix {

namespace {

// The followed ball stays at least this many pixels inside every screen edge.
constexpr int32_t kFollowMargin = 128;
// The pointer pushes the view when it is this close to a screen edge.
constexpr int32_t kEdgePush = 4;

int32_t Saturate(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// (scroll * 3 + target) div 4: a quarter of the way to the target per frame.
int32_t Glide(int32_t scroll, int32_t target) {
  return Saturate((int64_t{scroll} * 3 + target) / 4);
}

int32_t Distance(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
  return PlainDistance(ax, ay, bx, by);
}

void Recentre(GameSession& s, const CameraView& v) {
  const playerrec& ball = s.players[s.currentPlayer];
  const int32_t targetX = Nearest(ball.x - v.screenWidth * 0.5);
  const int32_t targetY = Nearest(ball.y - v.screenHeight * 0.5);
  s.scrollX = Glide(s.scrollX, targetX);
  s.scrollY = Glide(s.scrollY, targetY);
  const int64_t maxX = int64_t{v.courseWidth} - v.screenWidth;
  const int64_t maxY = int64_t{v.courseHeight} - v.screenHeight;
  // Every test is evaluated; any one of them ends the glide.
  bool done = Distance(s.scrollX, s.scrollY, targetX, targetY) < 4;
  if ((s.scrollX <= 0 || s.scrollX >= maxX) && std::llabs(int64_t{s.scrollY} - targetY) < 4)
    done = true;
  if ((s.scrollY <= 0 || s.scrollY >= maxY) && std::llabs(int64_t{s.scrollX} - targetX) < 4)
    done = true;
  if (s.scrollX == s.lastScrollX && s.scrollY == s.lastScrollY) done = true;
  if (done) s.recentre = false;
  s.lastScrollX = s.scrollX;
  s.lastScrollY = s.scrollY;
}

void Follow(GameSession& s, const CameraView& v) {
  int32_t followed = s.currentPlayer;
  const playerrec& current = s.players[s.currentPlayer];
  if (!current.moving && !current.lost) {
    // The highest-numbered moving ball, e.g. one knocked on by a collision.
    const int32_t count = std::clamp(s.playerCount, 1, kMaxPlayers);
    for (int32_t p = 1; p <= count; ++p)
      if (s.players[p].moving) followed = p;
  }
  const playerrec& ball = s.players[followed];
  // Where the ball is drawn: lifted by its height.
  const int32_t bx = Nearest(ball.x);
  const int32_t by = Nearest(ball.y - ball.z);
  if (int64_t{bx} - s.scrollX < kFollowMargin) s.scrollX = Saturate(int64_t{bx} - kFollowMargin);
  if (int64_t{by} - s.scrollY < kFollowMargin) s.scrollY = Saturate(int64_t{by} - kFollowMargin);
  if (int64_t{bx} - s.scrollX >= v.screenWidth - kFollowMargin)
    s.scrollX = Saturate(int64_t{bx} - (v.screenWidth - kFollowMargin));
  if (int64_t{by} - s.scrollY >= v.screenHeight - kFollowMargin)
    s.scrollY = Saturate(int64_t{by} - (v.screenHeight - kFollowMargin));
}

// Velocity loses `friction` towards 0: above 0 it loses it, then below 0 it
// gains it (two tests in sequence, as a small velocity may cross zero).
int32_t Damp(int32_t velocity, int32_t friction) {
  if (velocity > 0) velocity -= friction;
  if (velocity < 0) velocity += friction;
  return velocity;
}

void FreeScroll(GameSession& s, const CameraView& v) {
  const int32_t step = 4 * s.substeps;  // eighths of a pixel per frame
  if (s.pointerX > v.screenWidth - kEdgePush || s.scrollRightHeld) s.scrollVelX += step;
  if (s.pointerY > v.screenHeight - kEdgePush || s.scrollDownHeld) s.scrollVelY += step;
  if (s.pointerX < kEdgePush || s.scrollLeftHeld) s.scrollVelX -= step;
  if (s.pointerY < kEdgePush || s.scrollUpHeld) s.scrollVelY -= step;
  s.scrollVelY = Damp(s.scrollVelY, 2 * s.substeps);
  s.scrollVelX = Damp(s.scrollVelX, 2 * s.substeps);
  const int32_t top = 64 * s.substeps;
  s.scrollVelX = std::max(std::min(s.scrollVelX, top), -top);
  s.scrollVelY = std::max(std::min(s.scrollVelY, top), -top);
  s.scrollX = Saturate(int64_t{s.scrollX} + s.scrollVelX / 8);
  s.scrollY = Saturate(int64_t{s.scrollY} + s.scrollVelY / 8);
}

}  // namespace

CameraView MakeCameraView(const TDirectDrawSurface& screen, const TDXImageList& course) {
  CameraView v;
  v.screenWidth = screen.Width();
  v.screenHeight = screen.Height();
  if (const TPictureCollectionItem* picture = ImageItem(course, HoleImage::kCourse)) {
    v.courseWidth = picture->PatternWidth();
    v.courseHeight = picture->PatternHeight();
  }
  return v;
}

void UpdateCamera(GameSession& s, const CameraView& v) {
  if (s.recentre) Recentre(s, v);
  if (s.ballsMoving || s.shotPhase != 0 || s.recentre) {
    Follow(s, v);
  } else {
    FreeScroll(s, v);
  }
  if (s.scrollX < 0) s.scrollX = 0;
  if (s.scrollY < 0) s.scrollY = 0;
  const int32_t maxX = Saturate(int64_t{v.courseWidth} - v.screenWidth);
  const int32_t maxY = Saturate(int64_t{v.courseHeight} - v.screenHeight);
  if (s.scrollX > maxX) s.scrollX = maxX;
  if (s.scrollY > maxY) s.scrollY = maxY;
}

void DrawCourse(GameSession& s, const CameraView& v, TDirectDrawSurface& screen,
                const TDXImageList& course) {
  if (v.courseWidth < v.screenWidth || v.courseHeight < v.screenHeight) {
    screen.FillRaw(0);
    if (v.courseWidth < v.screenWidth) s.scrollX = (v.courseWidth - v.screenWidth) / 2;
    if (v.courseHeight < v.screenHeight) s.scrollY = (v.courseHeight - v.screenHeight) / 2;
  }
  if (const TPictureCollectionItem* picture = ImageItem(course, HoleImage::kCourse))
    picture->DrawPattern(screen, -s.scrollX, -s.scrollY, 0);
}

}  // namespace quendrix
