// The putting gestures a computer player makes, as numbers: for a wanted
// direction and speed, where the pointer goes from the anchor (the screen
// centre the shot control measures from) and what the shot control will
// make of it, exactly, so the search tries the putts the gestures can give.
// Screen pixels for the pointer; binary angles and pixels per substep for
// the putt.
#pragma once

#include <cstdint>

namespace quendrix {

// What the shot control starts the ball with.
struct Putt {
  int32_t direction = 0;  // binary angle 0 ... 255
  double speed = 0;       // pixels per substep
};

struct Gesture {
  bool pull = true;
  // Pull: the drag from the anchor; the ball goes the other way.
  int32_t dragX = 0, dragY = 0;
  // Push: the pointer's sideways offset while aiming (it stands at anchorX -
  // aim; one pixel turns the putt one step), the backswing below the anchor
  // (10 ... 180, half a pixel of power each) and the length of the last
  // step of the forward swing, which passes the anchor.
  int32_t aim = 0;
  int32_t backswing = 10;
  int32_t stroke = 1;
  Putt putt;  // what the shot control makes of it
};

// The gesture that comes nearest to `direction` and `speed` in the style.
Gesture PlanGesture(bool pull, int32_t direction, double speed);

// The same gesture made by a hand `along` pixels too long (negative: too
// short) and `across` pixels to one side, and the putt that then comes out.
Gesture Jittered(const Gesture& gesture, int32_t along, int32_t across);

// Frames from the release of a pull (the button coming up) to the frame
// whose shot control starts the ball, counting both: the putter swings
// through `pullSwing` pixels at `pullSwingSpeed`, 2 more each frame.
int32_t PullSwingFrames(int32_t pullSwing, int32_t pullSwingSpeed);

}  // namespace quendrix
