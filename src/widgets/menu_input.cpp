#include "widgets/menu_input.h"

#include <SDL_joystick.h>
#include <SDL_mouse.h>

#include <algorithm>

#include "media/input.h"

namespace quendrix::widgets {

namespace {

bool IsDirection(MenuAction a) {
  return a == MenuAction::kUp || a == MenuAction::kDown || a == MenuAction::kLeft ||
         a == MenuAction::kRight;
}

}  // namespace

MenuAction ActionOfKey(SDL_Keycode key, uint16_t modifiers, bool repeat, bool typing) {
  if ((modifiers & (KMOD_ALT | KMOD_CTRL | KMOD_GUI)) != 0) return MenuAction::kNone;
  MenuAction action = MenuAction::kNone;
  switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      action = MenuAction::kSelect;
      break;
    case SDLK_SPACE:
      action = typing ? MenuAction::kNone : MenuAction::kSelect;
      break;
    case SDLK_ESCAPE:
      action = MenuAction::kBack;
      break;
    case SDLK_UP:
      action = MenuAction::kUp;
      break;
    case SDLK_DOWN:
      action = MenuAction::kDown;
      break;
    case SDLK_LEFT:
      action = typing ? MenuAction::kNone : MenuAction::kLeft;
      break;
    case SDLK_RIGHT:
      action = typing ? MenuAction::kNone : MenuAction::kRight;
      break;
    case SDLK_TAB:
      action = (modifiers & KMOD_SHIFT) != 0 ? MenuAction::kPreviousField : MenuAction::kNextField;
      break;
    default:
      break;
  }
  if (repeat && (action == MenuAction::kSelect || action == MenuAction::kBack))
    return MenuAction::kNone;
  return action;
}

MenuAction ActionOfPadButton(uint8_t button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
    case SDL_CONTROLLER_BUTTON_START:
      return MenuAction::kSelect;
    case SDL_CONTROLLER_BUTTON_B:
    case SDL_CONTROLLER_BUTTON_BACK:
      return MenuAction::kBack;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return MenuAction::kUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return MenuAction::kDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return MenuAction::kLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return MenuAction::kRight;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
      return MenuAction::kPreviousField;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
      return MenuAction::kNextField;
    default:
      return MenuAction::kNone;
  }
}

MenuInput::~MenuInput() {
  for (const Pad& pad : pads_) SDL_GameControllerClose(pad.controller);
}

MenuInput::Pad* MenuInput::FindPad(SDL_JoystickID id) {
  for (Pad& pad : pads_)
    if (pad.id == id) return &pad;
  return nullptr;
}

MenuAction MenuInput::Hold(MenuAction direction, uint32_t timestamp) {
  held_ = direction;
  nextRepeat_ = timestamp + kRepeatDelayMs;
  return direction;
}

void MenuInput::Release(MenuAction direction) {
  if (held_ == direction) held_ = MenuAction::kNone;
}

MenuAction MenuInput::Translate(const SDL_Event& event, bool typing) {
  switch (event.type) {
    case SDL_KEYDOWN:
      return ActionOfKey(event.key.keysym.sym, event.key.keysym.mod, event.key.repeat != 0, typing);
    case SDL_MOUSEBUTTONDOWN:
      return event.button.button == SDL_BUTTON_RIGHT || event.button.button == SDL_BUTTON_X1
                 ? MenuAction::kBack
                 : MenuAction::kNone;
    case SDL_CONTROLLERDEVICEADDED: {
      SDL_GameController* controller = SDL_GameControllerOpen(event.cdevice.which);
      if (controller == nullptr) return MenuAction::kNone;
      const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
      if (FindPad(id) != nullptr) {
        SDL_GameControllerClose(controller);  // already open: give back the extra reference
      } else {
        pads_.push_back({id, controller, 0, 0});
      }
      return MenuAction::kNone;
    }
    case SDL_CONTROLLERDEVICEREMOVED: {
      auto at = std::find_if(pads_.begin(), pads_.end(),
                             [&](const Pad& p) { return p.id == event.cdevice.which; });
      if (at != pads_.end()) {
        SDL_GameControllerClose(at->controller);
        pads_.erase(at);
        held_ = MenuAction::kNone;
      }
      return MenuAction::kNone;
    }
    case SDL_CONTROLLERBUTTONDOWN: {
      const MenuAction action = ActionOfPadButton(event.cbutton.button);
      return IsDirection(action) ? Hold(action, event.cbutton.timestamp) : action;
    }
    case SDL_CONTROLLERBUTTONUP:
      Release(ActionOfPadButton(event.cbutton.button));
      return MenuAction::kNone;
    case SDL_CONTROLLERAXISMOTION: {
      const uint8_t axis = event.caxis.axis;
      if (axis != SDL_CONTROLLER_AXIS_LEFTX && axis != SDL_CONTROLLER_AXIS_LEFTY)
        return MenuAction::kNone;
      Pad* pad = FindPad(event.caxis.which);
      // A pad not opened here (one SDL reported before we listened) still
      // moves the menu; its stick state is kept apart.
      Pad& p = pad != nullptr ? *pad : loose_;
      int8_t& was = axis == SDL_CONTROLLER_AXIS_LEFTX ? p.stickX : p.stickY;
      const int8_t now = PadStickStep(event.caxis.value, was);
      if (now == was) return MenuAction::kNone;
      const MenuAction minus =
          axis == SDL_CONTROLLER_AXIS_LEFTX ? MenuAction::kLeft : MenuAction::kUp;
      const MenuAction plus =
          axis == SDL_CONTROLLER_AXIS_LEFTX ? MenuAction::kRight : MenuAction::kDown;
      if (was != 0) Release(was < 0 ? minus : plus);
      was = now;
      if (now == 0) return MenuAction::kNone;
      return Hold(now < 0 ? minus : plus, event.caxis.timestamp);
    }
    default:
      return MenuAction::kNone;
  }
}

uint32_t MenuInput::MillisecondsToRepeat(uint32_t nowMs) const {
  if (held_ == MenuAction::kNone) return kNoRepeat;
  const auto left = static_cast<int32_t>(nextRepeat_ - nowMs);
  return left > 0 ? static_cast<uint32_t>(left) : 0;
}

MenuAction MenuInput::Repeat(uint32_t nowMs) {
  if (held_ == MenuAction::kNone || static_cast<int32_t>(nowMs - nextRepeat_) < 0)
    return MenuAction::kNone;
  nextRepeat_ = nowMs + kRepeatStepMs;
  return held_;
}

}  // namespace quendrix::widgets
