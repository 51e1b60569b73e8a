#include "game/aiming.h"

#include <algorithm>
#include <cmath>

#include "core/angles.h"
#include "core/rounding.h"
#include "game/ball_motion.h"
#include "game/game_state.h"
#include "game/list_items.h"
#include "media/image_list.h"
#include "media/surface.h"

namespace quendrix {

namespace {

// Push phases.
constexpr int32_t kIdle = 0;
constexpr int32_t kAiming = 1;
constexpr int32_t kBackswing = 2;
constexpr int32_t kArmed = 3;
constexpr int32_t kForward = 4;
// Pull phases.
constexpr int32_t kDrawingBack = 1;
constexpr int32_t kSwing = 2;

constexpr int32_t kTargetDistance = 75;  // course pixels ahead of the ball
constexpr int32_t kPushAimPutter = 12;   // putter behind the ball while aiming
constexpr double kMinPower = 5, kMaxPower = 90;
constexpr double kMaxPullSpeed = 4.0;
// A pull released closer than this to the anchor is abandoned.
constexpr int32_t kMinPullDrag = 4;

int32_t Wrap(int64_t v) {
  return static_cast<int32_t>(static_cast<uint32_t>(v));
}

// Draws the aids around the current ball; positions are the ball's ground
// point (not its height) moved along its direction.
class AimPainter {
 public:
  AimPainter(GameSession& s, TDirectDrawSurface& screen, const TDXImageList& gui)
      : s_(s), screen_(screen), gui_(gui), ball_(s.players[s.currentPlayer]) {}

  void Target(int32_t t) {
    const double c = BinCos(ball_.direction), sn = BinSin(ball_.direction);
    s_.targetFrame = s_.targetFrame >= 9 ? 0 : s_.targetFrame + 1;
    const auto* image = ImageItem(gui_, GuiImage::kTarget);
    if (image == nullptr) return;
    const int32_t x = Nearest(ball_.x + c * t) - 16 - s_.scrollX;
    const int32_t y = Nearest(ball_.y + sn * t) - 13 - s_.scrollY;
    image->DrawPatternAdd(screen_, Bounds(x, y, image->PatternWidth(), image->PatternHeight()),
                          s_.targetFrame / 3, 192);
  }

  // The putter and its shadow `p` pixels behind the ball (ahead when p < 0).
  void Putter(double p) {
    const double c = BinCos(ball_.direction), sn = BinSin(ball_.direction);
    const int32_t pattern = Mod256(Wrap(int64_t{128} - ball_.direction)) / 8;
    const int32_t x = Nearest(ball_.x - c * p) - 47 - s_.scrollX;
    const int32_t y = Nearest(ball_.y - sn * p) - 125 - s_.scrollY;
    if (const auto* shadow = ImageItem(gui_, GuiImage::kPutterShadow))
      shadow->DrawPatternSub(screen_, Bounds(x, y, 96, 142), pattern, 255);
    if (const auto* putter = ImageItem(gui_, GuiImage::kPutter))
      putter->DrawPattern(screen_, x, y, pattern);
  }

  void Gauge(int32_t t) {
    const auto* image = ImageItem(gui_, GuiImage::kGauge);
    if (image == nullptr) return;
    const double c = BinCos(ball_.direction), sn = BinSin(ball_.direction);
    const int32_t x = Nearest(ball_.x + c * t) - 47 - s_.scrollX;
    const int32_t y = Nearest(ball_.y + sn * t) - 56 - s_.scrollY;
    image->DrawPattern(screen_, x, y, Nearest(ball_.speed / 3));
  }

 private:
  GameSession& s_;
  TDirectDrawSurface& screen_;
  const TDXImageList& gui_;
  const playerrec& ball_;
};

// The pointer's vertical travel from the anchor, in half pixels.
double PushPower(const GameSession& s) {
  return (s.pointerY - s.anchorY) * 0.5;
}

// Release step 4 (steps 1 to 3 are StartShot): the pointer goes back to the
// centre; the anchor stays where it was.
void CentrePointer(PointerControl& pointer) {
  pointer.SetCursorPos(pointer.SurfaceWidth() / 2, pointer.SurfaceHeight() / 2);
}

void UpdatePush(GameSession& s, PointerControl& pointer, AimPainter& paint) {
  playerrec& ball = s.players[s.currentPlayer];
  switch (s.shotPhase) {
    case kAiming:
      // One step of turn per pixel of sideways travel; 128 points to -x.
      ball.direction = Wrap(int64_t{s.anchorX} - s.pointerX + 128);
      paint.Target(kTargetDistance);
      paint.Putter(kPushAimPutter);
      break;
    case kBackswing:
    case kArmed:
      if (s.shotPhase == kBackswing) s.backswingPeak = 0;
      ball.speed = std::clamp(PushPower(s), kMinPower, kMaxPower);
      if (s.shotPhase == kArmed) s.backswingPeak = ball.speed;
      paint.Target(kTargetDistance);
      paint.Putter(ball.speed);
      if (s.pullSwing < 1) paint.Gauge(kTargetDistance);
      // More than 30 px of pull arms the swing (speed 15 exactly does not).
      if (s.shotPhase == kBackswing && ball.speed > 15) s.shotPhase = kArmed;
      break;
    case kForward:
      // Negative once the pointer rises above the anchor: the putter passes the ball.
      ball.speed = std::min(PushPower(s), kMaxPower);
      s.backswingPeak = std::min(s.backswingPeak, kMaxPower);
      paint.Target(kTargetDistance);
      paint.Putter(ball.speed);
      if (s.pullSwing < 1 && ball.speed < 0) {
        s.Sound(EffectSound::kPutt);
        // The swing's last pointer step sets the power, the backswing caps it.
        ball.speed = s.pointerStep / 10.0;
        if (s.backswingPeak / 22 < ball.speed) ball.speed = s.backswingPeak / 22;
        StartShot(s, s.currentPlayer, ball.speed > 0.005);
        CentrePointer(pointer);
      }
      break;
    default:
      break;
  }
}

void UpdatePull(GameSession& s, PointerControl& pointer, AimPainter& paint) {
  playerrec& ball = s.players[s.currentPlayer];
  switch (s.shotPhase) {
    case kDrawingBack: {
      // Like a catapult: the ball goes away from the drag. Stored as 128 ... 383.
      ball.direction = Mod256(BinAngle(static_cast<double>(s.pointerX) - s.anchorX,
                                       static_cast<double>(s.pointerY) - s.anchorY)) +
                       128;
      ball.speed =
          std::min(PlainDistance(s.anchorX, s.anchorY, s.pointerX, s.pointerY) * 0.5, kMaxPower);
      int32_t t = kTargetDistance;
      // The aiming aid moves the marker out with the power, up to 202 px.
      if (ball.easyTarget) t = std::max(Nearest(ball.speed * 2.25), kTargetDistance);
      paint.Target(t);
      paint.Putter(ball.speed);
      if (s.pullSwing < 1) paint.Gauge(t);
      break;
    }
    case kSwing:
      s.pullSwing -= s.pullSwingSpeed;
      s.pullSwingSpeed += 2;
      paint.Putter(s.pullSwing);
      if (s.pullSwing < 1) {
        if (ball.speed > kMaxPullSpeed) ball.speed = kMaxPullSpeed;
        StartShot(s, s.currentPlayer, true);
        s.Sound(EffectSound::kPutt);
        CentrePointer(pointer);
      }
      break;
    default:
      break;
  }
}

}  // namespace

bool CanStartAim(const GameSession& s) {
  if (s.ballsMoving) return false;
  const playerrec& ball = s.players[s.currentPlayer];
  const int64_t px = int64_t{s.pointerX} + s.scrollX, py = int64_t{s.pointerY} + s.scrollY;
  const double dx = static_cast<double>(px) - Nearest(ball.x);
  const double dy = static_cast<double>(py) - Nearest(ball.y);
  // PlainDistance below 24: the rounded distance, halves to even.
  return Nearest(std::sqrt(dx * dx + dy * dy)) < 24;
}

void ReAnchor(GameSession& s, PointerControl& pointer) {
  s.anchorX = pointer.SurfaceWidth() / 2;
  s.anchorY = pointer.SurfaceHeight() / 2;
  pointer.SetCursorPos(s.anchorX, s.anchorY);
}

void CancelShot(GameSession& s) {
  s.shotPhase = kIdle;
  s.pullSwing = 0;
}

void OnLeftDown(GameSession& s, PointerControl& pointer) {
  if (!s.players[s.currentPlayer].pullPutt) return;
  if (!CanStartAim(s)) return;
  s.Sound(EffectSound::kClick);
  // A new press abandons any swing still under way.
  s.pullSwing = 0;
  s.shotPhase = kDrawingBack;
  ReAnchor(s, pointer);
}

void OnLeftUp(GameSession& s, PointerControl& pointer) {
  playerrec& ball = s.players[s.currentPlayer];
  if (ball.pullPutt) {
    if (s.shotPhase != kDrawingBack) return;
    s.pullSwing = Nearest(ball.speed);
    const int32_t d = PlainDistance(s.anchorX, s.anchorY, s.pointerX, s.pointerY);
    if (d < kMinPullDrag) {
      CancelShot(s);
    } else {
      ball.speed = d / 2.0 / 20.0;
      s.shotPhase = kSwing;
    }
    return;
  }
  switch (s.shotPhase) {
    case kIdle:
      if (!CanStartAim(s)) return;
      s.Sound(EffectSound::kClick);
      s.shotPhase = kAiming;
      ReAnchor(s, pointer);
      break;
    case kAiming:
      s.Sound(EffectSound::kClick);
      s.shotPhase = kBackswing;
      ReAnchor(s, pointer);
      break;
    case kArmed:
      s.Sound(EffectSound::kClick);
      s.shotPhase = kForward;
      break;
    default:
      // Releasing during the backswing or the forward swing does nothing.
      break;
  }
}

void OnRightButton(GameSession& s) {
  CancelShot(s);
}

void UpdateAiming(GameSession& s, PointerControl& pointer, TDirectDrawSurface& screen,
                  const TDXImageList& gui) {
  if (s.shotPhase == kIdle) return;
  AimPainter paint(s, screen, gui);
  if (s.players[s.currentPlayer].pullPutt) {
    UpdatePull(s, pointer, paint);
  } else {
    UpdatePush(s, pointer, paint);
  }
}

}  // namespace quendrix
