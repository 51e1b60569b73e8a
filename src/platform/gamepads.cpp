#include "platform/gamepads.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

namespace quendrix {

PadButton PadButtonOf(uint8_t b) {
  switch (b) {
    case SDL_CONTROLLER_BUTTON_A:
      return PadButton::kA;
    case SDL_CONTROLLER_BUTTON_B:
      return PadButton::kB;
    case SDL_CONTROLLER_BUTTON_X:
      return PadButton::kX;
    case SDL_CONTROLLER_BUTTON_Y:
      return PadButton::kY;
    case SDL_CONTROLLER_BUTTON_BACK:
      return PadButton::kBack;
    case SDL_CONTROLLER_BUTTON_START:
      return PadButton::kStart;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
      return PadButton::kLeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
      return PadButton::kRightShoulder;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return PadButton::kDpadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return PadButton::kDpadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return PadButton::kDpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return PadButton::kDpadRight;
    default:
      return PadButton::kNone;
  }
}

GamePads::~GamePads() {
  for (Pad& p : pads_) SDL_GameControllerClose(p.controller);
}

void GamePads::OpenPresent() {
  if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0) return;
  for (int i = 0; i < SDL_NumJoysticks(); ++i) Open(i);
}

GamePads::Pad* GamePads::Find(SDL_JoystickID id) {
  auto at = std::find_if(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
  return at == pads_.end() ? nullptr : &*at;
}

void GamePads::Open(int deviceIndex) {
  if (!SDL_IsGameController(deviceIndex)) return;
  if (Find(SDL_JoystickGetDeviceInstanceID(deviceIndex)) != nullptr) return;
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (controller == nullptr) return;
  Pad pad;
  pad.id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
  pad.controller = controller;
  pads_.push_back(pad);
}

void GamePads::Close(SDL_JoystickID id, InputHandler* handler) {
  auto at = std::find_if(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
  if (at == pads_.end()) return;
  // What the pad held is let go, as if its buttons were released.
  RightStick(at->rightX, 0, PadButton::kRightStickLeft, PadButton::kRightStickRight, handler);
  RightStick(at->rightY, 0, PadButton::kRightStickUp, PadButton::kRightStickDown, handler);
  for (int b = 0; b < kPadButtons; ++b)
    if (at->held[static_cast<size_t>(b)] && handler != nullptr)
      handler->PadUp(static_cast<PadButton>(b));
  SDL_GameControllerClose(at->controller);
  pads_.erase(at);
}

void GamePads::RightStick(int8_t& was, int32_t value, PadButton minus, PadButton plus,
                          InputHandler* handler) {
  const int8_t now = PadStickStep(value, was);
  if (now == was) return;
  if (handler != nullptr && was != 0) handler->PadUp(was < 0 ? minus : plus);
  was = now;
  if (handler != nullptr && now != 0) handler->PadDown(now < 0 ? minus : plus);
}

void GamePads::Track(const SDL_Event& e, InputHandler* handler) {
  if (e.type == SDL_CONTROLLERDEVICEADDED) Open(e.cdevice.which);
  if (e.type == SDL_CONTROLLERDEVICEREMOVED) Close(e.cdevice.which, handler);
}

bool GamePads::Translate(const SDL_Event& e, InputHandler* handler) {
  switch (e.type) {
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      const PadButton button = PadButtonOf(e.cbutton.button);
      const bool down = e.type == SDL_CONTROLLERBUTTONDOWN;
      if (Pad* pad = Find(e.cbutton.which); pad != nullptr && button != PadButton::kNone)
        pad->held[static_cast<size_t>(button)] = down;
      if (handler != nullptr && button != PadButton::kNone) {
        if (down) {
          handler->PadDown(button);
        } else {
          handler->PadUp(button);
        }
      }
      return true;
    }
    case SDL_CONTROLLERAXISMOTION: {
      Pad* pad = Find(e.caxis.which);
      if (pad == nullptr) return true;
      switch (e.caxis.axis) {
        case SDL_CONTROLLER_AXIS_LEFTX:
          pad->leftX = e.caxis.value;
          break;
        case SDL_CONTROLLER_AXIS_LEFTY:
          pad->leftY = e.caxis.value;
          break;
        case SDL_CONTROLLER_AXIS_RIGHTX:
          RightStick(pad->rightX, e.caxis.value, PadButton::kRightStickLeft,
                     PadButton::kRightStickRight, handler);
          break;
        case SDL_CONTROLLER_AXIS_RIGHTY:
          RightStick(pad->rightY, e.caxis.value, PadButton::kRightStickUp,
                     PadButton::kRightStickDown, handler);
          break;
        default:
          break;
      }
      return true;
    }
    default:
      return false;
  }
}

bool GamePads::Moving() const {
  return std::any_of(pads_.begin(), pads_.end(),
                     [](const Pad& p) { return std::hypot(p.leftX, p.leftY) > kDeadZone; });
}

bool GamePads::LeftHeld() const {
  return std::any_of(pads_.begin(), pads_.end(),
                     [](const Pad& p) { return p.held[static_cast<size_t>(PadButton::kA)]; });
}

void GamePads::Travel(uint32_t nowMs, double& dx, double& dy) {
  dx = dy = 0;
  const bool moving = Moving();
  // A stick taken from rest starts timing now, so time spent at rest never
  // turns into travel.
  if (!moving || !timing_) {
    timing_ = moving;
    lastMs_ = nowMs;
    return;
  }
  const double seconds = std::min<uint32_t>(nowMs - lastMs_, 100) / 1000.0;
  lastMs_ = nowMs;
  for (const Pad& p : pads_) {
    const double length = std::hypot(p.leftX, p.leftY);
    if (length <= kDeadZone) continue;
    // The push beyond the dead zone, 0 ... 1, cubed: fine control near
    // the centre, full speed at the rim.
    const double push = std::min((length - kDeadZone) / (32767.0 - kDeadZone), 1.0);
    const double speed = kTopSpeed * push * push * push;
    dx += p.leftX / length * speed * seconds;
    dy += p.leftY / length * speed * seconds;
  }
}

}  // namespace quendrix
