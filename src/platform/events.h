// The message loop on SDL2, one for the whole program: events become
// virtual-key and pointer calls on the screen's InputHandler (or, for the
// launch pad's ImGui view, SDL events in canvas pixels), the window keys
// (Alt+Enter, F11, F12) are handled here for every screen, and with the
// queue empty the idle handler runs (frames, animations) and says how long
// the loop may sleep; it then sleeps until that deadline or the next event.
#pragma once

#include <SDL_keycode.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>

#include "media/dx_timer.h"
#include "media/input.h"
#include "platform/gamepads.h"
#include "platform/screen.h"

union SDL_Event;

namespace quendrix {

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
  // Moves it by canvas pixels whether shown or not (a gamepad's stick);
  // fractions add up as relative motion's do.
  void Nudge(double dx, double dy);

 private:
  int32_t width_ = 640, height_ = 480;
  int32_t x_ = 0, y_ = 0;
  double restX_ = 0, restY_ = 0;  // relative motion not yet a whole pixel
  bool visible_ = true;
};

// The window keys of every screen: Alt+Enter and F11 switch between full
// screen and a window, F12 saves a screenshot into `shotFolder` (the data
// home when empty). An event that is one of them goes no further; a held
// key acts once. `savedShot` gets the picture's path, empty when it could
// not be written.
enum class WindowKey { kNone, kFullScreen, kScreenshot };
WindowKey HandleWindowKey(const SDL_Event& event, Screen& screen, const std::string& shotFolder,
                          std::string* savedShot = nullptr);

// Millisecond clock since SDL started.
class SdlClock : public Clock {
 public:
  uint32_t Milliseconds() override;
};

// Where the loop takes its events from and how it sleeps: SDL's queue in the
// program, a script in tests.
class EventPump {
 public:
  static constexpr uint32_t kForever = std::numeric_limits<uint32_t>::max();
  virtual ~EventPump() = default;
  // The next queued event; false when the queue is empty.
  virtual bool Poll(SDL_Event& event) = 0;
  // Sleeps until an event comes (true, the event in `event`) or `ms`
  // milliseconds have passed (false); kForever: no deadline.
  virtual bool Wait(SDL_Event& event, uint32_t ms) = 0;
};

// SDL's event queue.
class SdlEventPump : public EventPump {
 public:
  bool Poll(SDL_Event& event) override;
  bool Wait(SDL_Event& event, uint32_t ms) override;
};

// A screen that reads SDL events itself (the launch pad's ImGui view):
// pointer positions arrive in canvas pixels, the window keys never arrive.
class SdlEventHandler {
 public:
  virtual ~SdlEventHandler() = default;
  virtual void HandleEvent(const SDL_Event& event) = 0;
};

class MessageLoop {
 public:
  // The idle handler: runs when the queue is empty and returns how long the
  // loop may sleep, in milliseconds, before it wants to run again (0: at
  // once; EventPump::kForever: only after an event).
  using IdleHandler = std::function<uint32_t()>;

  // `screen` maps pointer positions to its canvas and takes the window
  // keys (Alt+Enter, F11, F12); without one, window points are canvas pixels.
  // `pump`: SDL's queue when null; `clock` (for the pads' pointer): SDL's
  // when null.
  explicit MessageLoop(Screen* screen = nullptr, EventPump* pump = nullptr, Clock* clock = nullptr)
      : screen_(screen),
        pump_(pump != nullptr ? pump : &sdlPump_),
        clock_(clock != nullptr ? clock : &sdlClock_) {
    pads_.OpenPresent();
  }

  void SetScreen(Screen* screen) { screen_ = screen; }
  // The screen in front. An InputHandler, when set, takes every event (a
  // modal screen lends it to the loop for its show and gives the old one
  // back); otherwise the SdlEventHandler gets them.
  void SetHandler(InputHandler* handler) { handler_ = handler; }
  InputHandler* Handler() const { return handler_; }
  void SetSdlHandler(SdlEventHandler* handler) { sdlHandler_ = handler; }
  // Gamepads drive the InputHandler in front (the play screen): buttons as
  // PadDown / PadUp, the left stick as pointer moves. Off, their events go
  // on as SDL events (the launch pad's menus read them so). The loop holds
  // every pad open either way.
  void SetGamepadPlay(bool on);
  // Moves the pointer by the pads' sticks for the time since the last call
  // and reports the move to the handler; the loops call it before idle
  // work, and ProcessMessages after the events.
  void MovePointerByPads();
  Pointer& GetPointer() { return pointer_; }
  // SetCursorPos: puts the pointer at a canvas pixel. The handler hears of
  // it as a pointer move, but only once the event being handled now is
  // done, as the system reports a move of its pointer: a click that moves
  // the pointer is still handled where it happened.
  void SetCursorPos(int32_t x, int32_t y);

  // Handles every queued event (then moves the pointer by the pads); false
  // once a quit was requested.
  bool ProcessMessages();
  // Runs until Terminate, or until `done` says so (a modal screen's nested
  // run): every queued event first; with the queue empty, the idle handler,
  // then a sleep until its deadline or the next event.
  void Run(const IdleHandler& idle, const std::function<bool()>& done = nullptr);
  // Ends every run of the loop, the nested ones and the program's.
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
  void DispatchSdl(const SDL_Event& event);
  // Window points -> canvas pixels of what the screen shows.
  CanvasPoint ToCanvas(int32_t x, int32_t y) const;

  Screen* screen_ = nullptr;
  SdlEventPump sdlPump_;
  EventPump* pump_;
  SdlClock sdlClock_;
  Clock* clock_;
  GamePads pads_;
  bool padPlay_ = false;
  InputHandler* handler_ = nullptr;
  SdlEventHandler* sdlHandler_ = nullptr;
  Pointer pointer_;
  bool movePending_ = false;
  bool terminated_ = false;
};

enum class MessageIcon { kInformation, kWarning, kError };
// A modal message box (cp1251 texts); falls back to standard error when no
// box can be shown.
void ShowMessageBox(const std::string& title, const std::string& text, MessageIcon icon);

}  // namespace quendrix
