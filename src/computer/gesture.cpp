#include "computer/gesture.h"

#include <algorithm>
#include <cmath>

#include "core/angles.h"
#include "core/rounding.h"

namespace quendrix {

namespace {

// Pull: the speed is the drag's length / 40, at most 4; a drag shorter than
// 4 pixels is no putt.
constexpr double kPullSpeedPerPixel = 1.0 / 40.0;
constexpr double kMaxPullSpeed = 4.0;
constexpr int32_t kMinPullDrag = 4;
constexpr int32_t kMaxPullDrag = 160;
// Push: the backswing gives half a pixel of power a pixel, 5 ... 90, and the
// power / 22 caps the speed of the forward swing's last step / 10.
constexpr int32_t kMinBackswing = 10;
constexpr int32_t kMaxBackswing = 180;
constexpr double kPowerPerSpeed = 22;
constexpr double kStrokePixelsPerSpeed = 10;

Putt PullPutt(int32_t dragX, int32_t dragY) {
  Putt putt;
  // Like a catapult: the ball goes away from the drag.
  putt.direction = Mod256(BinAngle(dragX, dragY) + 128);
  putt.speed = std::min(PlainDistance(0, 0, dragX, dragY) / 2.0 / 20.0, kMaxPullSpeed);
  return putt;
}

Putt PushPutt(int32_t aim, int32_t backswing, int32_t stroke) {
  Putt putt;
  putt.direction = Mod256(aim + 128);
  const double power = std::clamp(backswing * 0.5, 5.0, 90.0);
  putt.speed = std::min(stroke / kStrokePixelsPerSpeed, power / kPowerPerSpeed);
  return putt;
}

}  // namespace

Gesture PlanGesture(bool pull, int32_t direction, double speed) {
  Gesture g;
  g.pull = pull;
  if (pull) {
    const double length =
        std::clamp(speed / kPullSpeedPerPixel, double{kMinPullDrag}, double{kMaxPullDrag});
    g.dragX = Nearest(-BinCos(direction) * length);
    g.dragY = Nearest(-BinSin(direction) * length);
    g.putt = PullPutt(g.dragX, g.dragY);
    return g;
  }
  // The sideways offset nearest the middle of the screen: -128 ... 127.
  g.aim = Mod256(direction + 128) - 128;
  if (speed * kPowerPerSpeed >= 5) {
    g.backswing = std::clamp(Nearest(speed * 2 * kPowerPerSpeed), kMinBackswing, kMaxBackswing);
    // Longer than the power allows, so that the backswing sets the speed.
    g.stroke = static_cast<int32_t>(
                   std::ceil(g.backswing * 0.5 / kPowerPerSpeed * kStrokePixelsPerSpeed)) +
               1;
  } else {
    // Below the least backswing's cap the swing's own speed sets it.
    g.backswing = kMinBackswing;
    g.stroke = std::max(1, Nearest(speed * kStrokePixelsPerSpeed));
  }
  g.putt = PushPutt(g.aim, g.backswing, g.stroke);
  return g;
}

Gesture Jittered(const Gesture& gesture, int32_t along, int32_t across) {
  Gesture g = gesture;
  if (g.pull) {
    const double length = std::hypot(g.dragX, g.dragY);
    const double ux = length > 0 ? g.dragX / length : 1, uy = length > 0 ? g.dragY / length : 0;
    int32_t x = Nearest(g.dragX + ux * along - uy * across);
    int32_t y = Nearest(g.dragY + uy * along + ux * across);
    // A hand never lets a drag fall short of a putt.
    if (PlainDistance(0, 0, x, y) < kMinPullDrag) {
      x = g.dragX;
      y = g.dragY;
    }
    g.dragX = x;
    g.dragY = y;
    g.putt = PullPutt(x, y);
    return g;
  }
  g.aim = std::clamp(g.aim + across, -128, 127);
  g.backswing = std::clamp(g.backswing + along, kMinBackswing, kMaxBackswing);
  g.putt = PushPutt(g.aim, g.backswing, g.stroke);
  return g;
}

int32_t PullSwingFrames(int32_t pullSwing, int32_t pullSwingSpeed) {
  int32_t frames = 0;
  do {
    ++frames;
    pullSwing -= pullSwingSpeed;
    pullSwingSpeed += 2;
  } while (pullSwing >= 1 && frames < 1000);
  return frames;
}

}  // namespace quendrix
