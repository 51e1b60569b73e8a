// Gamepads in play: SDL's game controllers as the game's pad buttons and
// pointer. Buttons (and the right stick pushed one way) become PadDown and
// PadUp for the screen in front; the left stick moves the pointer at a
// speed in picture pixels a second that grows with the cube of its
// deflection: slow near the centre for fine aiming, and at the rim fast
// enough for a push putt's stroke (whose power is the pointer's last step
// in a frame), for as long as it is held. Pads come and go while the
// program runs; every pad present works at once.
#pragma once

#include <SDL_events.h>
#include <SDL_gamecontroller.h>

#include <bitset>
#include <cstdint>
#include <vector>

#include "media/input.h"

namespace quendrix {

class GamePads {
 public:
  // Full deflection, picture pixels a second: 40 pixels a frame at sixty
  // frames a second, a strong push putt; half way out it is an eighth.
  static constexpr double kTopSpeed = 2400.0;
  // Deflection (out of 32767) below which the left stick rests.
  static constexpr int32_t kDeadZone = 7000;

  GamePads() = default;
  ~GamePads();
  GamePads(const GamePads&) = delete;
  GamePads& operator=(const GamePads&) = delete;

  // Opens the pads present (once SDL's game-controller subsystem is up);
  // later ones open as SDL reports them. Held open for the whole run, a pad
  // keeps sending its events to every screen, also to those that open it
  // themselves and close it again (the video windows').
  void OpenPresent();
  size_t Count() const { return pads_.size(); }

  // A pad plugged in or out: opened, or closed after letting go of what
  // it held (reported to `handler` when not null).
  void Track(const SDL_Event& event, InputHandler* handler);
  // A pad's button or stick event, to `handler` as PadDown / PadUp; true
  // when the event was a pad's button or stick.
  bool Translate(const SDL_Event& event, InputHandler* handler);
  // Starts the pointer's travel afresh (nothing of the time before counts).
  void RestartTravel() { timing_ = false; }
  // The pointer travel of the left sticks over the milliseconds since the
  // last call, in picture pixels (x right, y down); the first call and
  // calls with every stick at rest give 0, 0.
  void Travel(uint32_t nowMs, double& dx, double& dy);
  // Whether a left stick is pushed: the pointer keeps moving.
  bool Moving() const;
  // Whether a pad's A button is down (it stands for the left button).
  bool LeftHeld() const;

 private:
  struct Pad {
    SDL_JoystickID id = -1;
    SDL_GameController* controller = nullptr;
    int32_t leftX = 0, leftY = 0;
    int8_t rightX = 0, rightY = 0;  // -1, 0, 1: the right stick's push
    std::bitset<kPadButtons> held;  // buttons down, by PadButton
  };
  Pad* Find(SDL_JoystickID id);
  void Open(int deviceIndex);
  void Close(SDL_JoystickID id, InputHandler* handler);
  // A right-stick axis moved: its push, as button presses and releases.
  void RightStick(int8_t& was, int32_t value, PadButton minus, PadButton plus,
                  InputHandler* handler);

  std::vector<Pad> pads_;
  bool timing_ = false;
  uint32_t lastMs_ = 0;
};

// SDL's button -> the game's (kNone for buttons the game does not use).
PadButton PadButtonOf(uint8_t sdlButton);

}  // namespace quendrix
