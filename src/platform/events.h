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

class SdlDisplay;

// SDL key -> virtual-key code (0 for keys the game has no code for).
uint16_t VirtualKeyOf(SDL_Keycode key, SDL_Scancode scancode);
// SDL modifier and button state -> ShiftState bits.
uint32_t ShiftStateOf(uint16_t keyModifiers, uint32_t mouseButtons);

// The pointer the game sees. With the system pointer hidden it is a
// virtual pointer moved by relative motion, so setting its position
// (re-centring during a putt) works on every windowing system; with the
// system pointer shown it follows the system pointer.
class Pointer {
 public:
  void SetArea(int32_t width, int32_t height);
  // SetCursorPos: a new position, kept inside the area.
  void SetPos(int32_t x, int32_t y);
  int32_t X() const { return x_; }
  int32_t Y() const { return y_; }
  // ShowCursor: hidden switches to relative motion.
  void SetVisible(bool visible);
  bool Visible() const { return visible_; }
  // Feeds one motion event (logical pixels).
  void Move(int32_t absX, int32_t absY, int32_t relX, int32_t relY);

 private:
  int32_t width_ = 640, height_ = 480;
  int32_t x_ = 0, y_ = 0;
  bool visible_ = true;
};

class MessageLoop {
 public:
  explicit MessageLoop(SdlDisplay* display = nullptr) : display_(display) {}

  void SetDisplay(SdlDisplay* display) { display_ = display; }
  void SetHandler(InputHandler* handler) { handler_ = handler; }
  InputHandler* Handler() const { return handler_; }
  Pointer& GetPointer() { return pointer_; }

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

 private:
  SdlDisplay* display_ = nullptr;
  InputHandler* handler_ = nullptr;
  Pointer pointer_;
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
