// Putting with the mouse: the push and pull gestures as a small state
// machine (shotPhase), driven by the left and right buttons and, once per
// frame, by UpdateAiming, which draws the target, putter and gauge and
// releases the shot. Screen pixels for the pointer, course pixels for the
// ball; while aiming the ball's `speed` holds the shown power in half pixels.
#pragma once

#include <cstdint>

namespace quendrix {

class GameSession;
class TDirectDrawSurface;
class TDXImageList;

// The system pointer and the surface it lies on, as the shot control needs
// them. Moving the pointer is reported back later like any other move, so
// pointerX/pointerY follow it from the next pointer event on.
class PointerControl {
 public:
  virtual ~PointerControl() = default;
  virtual int32_t SurfaceWidth() const = 0;
  virtual int32_t SurfaceHeight() const = 0;
  virtual void SetCursorPos(int32_t x, int32_t y) = 0;
};

// A gesture starts only with no ball moving and the pointer within 23 px of
// the current ball on the ground.
bool CanStartAim(const GameSession& session);

// anchorX, anchorY = the surface centre, and the pointer is put there.
void ReAnchor(GameSession& session, PointerControl& pointer);

// Back to idle without a shot. The pull swing left over is dropped with it,
// so an abandoned swing never blocks the next push release or gauge.
void CancelShot(GameSession& session);

// Left button pressed on the play surface: starts (or restarts) a pull.
void OnLeftDown(GameSession& session, PointerControl& pointer);
// Left button released: the push steps, the end of a pull's draw-back.
void OnLeftUp(GameSession& session, PointerControl& pointer);
// Right button pressed or released: cancels any aim.
void OnRightButton(GameSession& session);

// Once per frame after the balls: the current player's aiming aids and the
// shot's release.
void UpdateAiming(GameSession& session, PointerControl& pointer, TDirectDrawSurface& screen,
                  const TDXImageList& gui);

}  // namespace quendrix
