// What the rules and the command handlers ask of the play screen around
// them: the pointer and surface, the frame timer, the ambient loop, the shot
// control and leaving. TMain provides it; tests record the calls.
#pragma once

#include <cstdint>

#include "game/aiming.h"

namespace quendrix {

// The pointer and the surface size come with PointerControl.
class PlayHost : public PointerControl {
 public:
  // Frame timer interval in milliseconds (0 = as fast as possible).
  virtual int32_t FrameInterval() const = 0;
  virtual void SetFrameInterval(int32_t ms) = 0;
  // Starts (true) or stops (false) the hole's ambient loop.
  virtual void SetAmbientLoop(bool playing) = 0;

  // The shot control's share of the left and right buttons.
  virtual void ShotLeftDown() = 0;
  virtual void ShotLeftUp() = 0;
  virtual void ShotCancel() = 0;

  // Stops the frame timer, releases the devices and closes the play screen.
  virtual void LeavePlayScreen() = 0;
};

}  // namespace quendrix
