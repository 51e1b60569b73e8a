// SDL's virtual game controller for tests: plugged in when made (SDL's
// game-controller subsystem must be up), unplugged when destroyed. Its
// buttons and axes are SDL's game-controller ones.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace quendrix::test {

class VirtualPad {
 public:
  explicit VirtualPad(const char* name = "Quendrix test pad") {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = name;
    device_ = SDL_JoystickAttachVirtualEx(&desc);
    if (device_ >= 0) stick_ = SDL_JoystickOpen(device_);
  }
  ~VirtualPad() {
    if (stick_ != nullptr) SDL_JoystickClose(stick_);
    if (device_ >= 0) SDL_JoystickDetachVirtual(device_);
  }
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;

  // Plugged in, and SDL takes it for a game controller.
  bool Ok() const { return stick_ != nullptr && SDL_IsGameController(device_); }
  void Button(int button, bool down) { SDL_JoystickSetVirtualButton(stick_, button, down ? 1 : 0); }
  void Axis(int axis, int32_t value) {
    SDL_JoystickSetVirtualAxis(stick_, axis, static_cast<Sint16>(value));
  }

 private:
  int device_ = -1;
  SDL_Joystick* stick_ = nullptr;
};

}  // namespace quendrix::test
