// The message loop on SDL2: events become virtual-key and pointer calls on
// the window's InputHandler, and idle processing (the frame timer) runs
// whenever the queue is empty.
#pragma once

#include <SDL_keycode.h>

#include <cstdint>
#include <functional>
#include <string>

#include "media/dx_timer.h"
#include "media/input.h"

union SDL_Event;

namespace quendrix {

class Screen;

// SDL key -> virtual-key code (0 for keys the game has no code for).
uint16_t VirtualKeyOf(SDL_Keycode key, SDL_Scancode scancode);
// SDL modifier and button state -> ShiftState bits.
uint32_t ShiftStateOf(uint16_t keyModifiers, uint32_t mouseButtons);

// The pointer the game sees, in canvas pixels. With the system pointer
// hidden it is a virtual pointer moved by relative motion, so setting its
// position (re-centring during a putt) works on every windowing system;
// with the system pointer shown it follows the system pointer.
class Pointer {
 public:
  void SetArea(int32_t width, int32_t height);
  // A new position, kept inside the area.
  void SetPos(int32_t x, int32_t y);
  int32_t X() const { return x_; }
  int32_t Y() const { return y_; }
  // ShowCursor: hidden switches to relative motion.
  void SetVisible(bool visible);
  bool Visible() const { return visible_; }
  // Feeds one motion event: the position under the system pointer and the
  // relative motion, both in canvas pixels. Fractions of relative motion
  // add up, so a slow mouse on a large scale still moves the pointer.
  void Move(int32_t absX, int32_t absY, double relX, double relY);

 private:
  int32_t width_ = 640, height_ = 480;
  int32_t x_ = 0, y_ = 0;
  double restX_ = 0, restY_ = 0;  // relative motion not yet a whole pixel
  bool visible_ = true;
};

class MessageLoop {
 public:
  // `screen` maps pointer positions to its canvas and takes the window
  // keys (Alt+Enter, F11, F12); without one, window points are canvas pixels.
  explicit MessageLoop(Screen* screen = nullptr) : screen_(screen) {}

  void SetScreen(Screen* screen) { screen_ = screen; }
  void SetHandler(InputHandler* handler) { handler_ = handler; }
  InputHandler* Handler() const { return handler_; }
  Pointer& GetPointer() { return pointer_; }
  // SetCursorPos: puts the pointer at a canvas pixel. The handler hears of
  // it as a pointer move, but only once the event being handled now is
  // done, as the system reports a move of its pointer: a click that moves
  // the pointer is still handled where it happened.
  void SetCursorPos(int32_t x, int32_t y);

  // Handles every queued event; false once a quit was requested.
  bool ProcessMessages();
  // Runs until Terminate: events first; with the queue empty, the idle
  // handler, which returns true to be called again at once (a running
  // frame timer never sleeps) or false to wait for the next event.
  void Run(const std::function<bool()>& idle);
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  // Where F12 screenshots go.
  std::string screenshotFolder;

  // One event, as ProcessMessages handles it (public for tests).
  void Dispatch(const SDL_Event& event);
  // Reports a pointer move that SetCursorPos left pending; false when there
  // is none. The loops call it before taking the next event.
  bool DeliverPendingMove();

 private:
  Screen* screen_ = nullptr;
  InputHandler* handler_ = nullptr;
  Pointer pointer_;
  bool movePending_ = false;
  bool terminated_ = false;
};

// Millisecond clock since SDL started.
class SdlClock : public Clock {
 public:
  uint32_t Milliseconds() override;
};

enum class MessageIcon { kInformation, kWarning, kError };
// A modal message box (cp1251 texts); falls back to standard error when no
// box can be shown.
void ShowMessageBox(const std::string& title, const std::string& text, MessageIcon icon);

}  // namespace quendrix
