// Menu input made once: SDL keys, the mouse's back buttons and SDL game
// controllers become the few menu actions every panel understands
// (controls.h, MenuAction), so each panel gets keyboard and pad use alike.
//
//   keys: Enter and Space select, Esc goes back, the arrows, Tab and
//     Shift+Tab move; keys held with Alt, Ctrl or the system key are not
//     menu keys (Alt+Enter switches the window).
//   mouse: the right button and the back side button go back.
//   pads: the d-pad or the left stick are the arrows, A selects, B goes
//     back, Start selects, Back goes back, the shoulders move to the
//     previous / next field.
//
// Repeats: a held arrow, Tab or pad direction repeats; select and back
// never do. While an edit is typed in, keys that type text or move its
// caret (Space, Left, Right) are not actions; the edit takes them.
#pragma once

#include <SDL_events.h>
#include <SDL_gamecontroller.h>
#include <SDL_keycode.h>

#include <cstdint>
#include <vector>

#include "widgets/controls.h"

namespace quendrix::widgets {

// The action of a key (kNone for the rest). `repeat`: the system's key
// repeat; `typing`: an edit field is typed in.
MenuAction ActionOfKey(SDL_Keycode key, uint16_t modifiers, bool repeat, bool typing);
// The action of a game-controller button (SDL_GameControllerButton).
MenuAction ActionOfPadButton(uint8_t button);

class MenuInput {
 public:
  // A held pad direction repeats after this, then every kRepeatStepMs.
  static constexpr uint32_t kRepeatDelayMs = 400;
  static constexpr uint32_t kRepeatStepMs = 110;

  MenuInput() = default;
  ~MenuInput();
  MenuInput(const MenuInput&) = delete;
  MenuInput& operator=(const MenuInput&) = delete;

  // One event; opens and closes game controllers as they come and go (SDL
  // reports the ones present at start as added, once its game-controller
  // subsystem is up).
  MenuAction Translate(const SDL_Event& event, bool typing);
  // Call once a frame with SDL's millisecond ticks: the repeat of a held
  // pad direction when one is due.
  MenuAction Repeat(uint32_t nowMs);
  // Milliseconds from `nowMs` until the next repeat is due (0: due now);
  // kNoRepeat while nothing is held.
  static constexpr uint32_t kNoRepeat = 0xFFFFFFFFu;
  uint32_t MillisecondsToRepeat(uint32_t nowMs) const;

 private:
  struct Pad {
    SDL_JoystickID id;
    SDL_GameController* controller;
    int8_t stickX, stickY;  // -1, 0, 1
  };
  Pad* FindPad(SDL_JoystickID id);
  MenuAction Hold(MenuAction direction, uint32_t timestamp);
  void Release(MenuAction direction);

  std::vector<Pad> pads_;
  Pad loose_{-1, nullptr, 0, 0};
  MenuAction held_ = MenuAction::kNone;
  uint32_t nextRepeat_ = 0;
};

}  // namespace quendrix::widgets
