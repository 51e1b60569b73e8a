// What the intro and credits windows are made of: the media-player control
// `MediaPlayer1` over a clip device, the pointer and clock they use, and the
// window state and handlers both windows share. Everything here is plain
// state; the clip player (FFmpeg, SDL) and the modal loop sit around it, and
// tests drive it with a manual clock and recording doubles.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/language.h"
#include "media/dx_timer.h"
#include "media/input.h"

namespace quendrix {

// The message of a play or stop with no clip open.
inline constexpr const char* kNoDeviceOpen = TrNoop("No MCI device open");

// A media device error; the message is the text the error box shows.
class ClipError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A clip's display rectangle, window pixels (right and bottom exclusive).
struct ClipRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool operator==(const ClipRect&) const = default;
};

// The media device behind a player control: one clip at a time.
class ClipDevice {
 public:
  virtual ~ClipDevice() = default;
  // Closes the open clip first. Throws ClipError with the decoder's own text
  // when the file cannot be opened; the device is then closed.
  virtual void Open(const std::string& path) = 0;
  // The open clip's natural display rectangle at (0, 0); empty when closed.
  virtual ClipRect Where() const = 0;
  // Returns at once. With `notify`, the end of this play (completed, or cut
  // short by Stop or Close) is reported once through TakeNotice. Throws
  // ClipError(kNoDeviceOpen) when no clip is open.
  virtual void Play(bool notify) = 0;
  // Throws ClipError(kNoDeviceOpen) when no clip is open.
  virtual void Stop() = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  // Where the picture goes in the window: the control's rectangle.
  virtual void SetDisplayRect(const ClipRect& rect) = 0;
  // Pauses the clip's clock while the window has lost the focus.
  virtual void Pause(bool paused) = 0;
  // Moves playback on: decodes what is due, drops late pictures, queues
  // sound. `newPicture` is set when another picture should be shown;
  // returns the milliseconds until something is due again.
  virtual uint32_t Advance(bool& newPicture) = 0;
  // True once for each reported end of a play; the modal loop polls it.
  virtual bool TakeNotice() = 0;
};

// The system pointer as the windows use it.
class SystemPointer {
 public:
  virtual ~SystemPointer() = default;
  virtual void SetCursorPos(int32_t x, int32_t y) = 0;
  // One step up (show) or down (hide) on the show count; the pointer is
  // shown while the count is 0 or more. Returns the new count.
  virtual int32_t ShowCursor(bool show) = 0;
  // The shape over the window: "none" (true) hides the pointer whatever the
  // count, from the moment it is set until the window goes (false).
  virtual void SetWindowCursor(bool none) = 0;
};

// The millisecond tick counter and a way to let time go by without
// handling messages.
class VideoClock : public Clock {
 public:
  // Lets `ms` go by; no message is handled meanwhile.
  virtual void Sleep(uint32_t ms) = 0;
  // Waits at most `ms` for the next message (a clock of SDL's returns as
  // soon as one arrives).
  virtual void WaitForEvents(uint32_t ms) { Sleep(ms); }
};

// The player control: a file name, a notify switch, its place in the
// window, and the device's operations.
class TMediaPlayer {
 public:
  explicit TMediaPlayer(ClipDevice& device) : device_(device) {}

  std::string FileName;
  bool Notify = false;
  // The control's place in the window, pixels.
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;

  // Opens FileName (a clip already open is closed first): the clip of the
  // run's language when the language's folder beside it has one.
  void Open();
  // The open clip's display rectangle.
  ClipRect DisplayRect() const { return device_.Where(); }
  void Play() { device_.Play(Notify); }
  void Stop() { device_.Stop(); }
  void Close() { device_.Close(); }
  // Moves and sizes the control; the picture follows it.
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);

  ClipDevice& Device() { return device_; }

 private:
  ClipDevice& device_;
};

// Modal results.
inline constexpr int32_t mrNone = 0;
inline constexpr int32_t mrOk = 1;
inline constexpr int32_t mrCancel = 2;

// A borderless black full-screen window that plays clips: the state and
// handlers the intro and credits windows have in common.
class TVideoWindow {
 public:
  // `folder` is the executable's folder, ending in "/".
  TVideoWindow(ClipDevice& device, SystemPointer& pointer, VideoClock& clock, std::string folder);
  virtual ~TVideoWindow();
  TVideoWindow(const TVideoWindow&) = delete;
  TVideoWindow& operator=(const TVideoWindow&) = delete;

  TMediaPlayer MediaPlayer1;

  // The window: position and size in screen pixels.
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  // The window's cursor shape is "none"; the pointer is asked to follow.
  bool CursorNone = false;
  // Showing modally; cleared with ModalResult set when the window closes.
  bool Showing = false;
  int32_t ModalResult = mrNone;

  // Size of the screen the window covers (the launch pad's picture).
  void SetScreen(int32_t width, int32_t height);
  // Starts a modal show: Showing set, ModalResult cleared.
  void BeginModal();

  virtual void FormShow() = 0;
  // The first activation of a show: the wait, play, pointer parked and hidden.
  void FormActivate();
  virtual void MediaPlayer1Notify() = 0;
  void FormKeyDown(uint16_t key, uint32_t shift);
  void FormMouseDown(MouseButton button, uint32_t shift, int32_t x, int32_t y);
  void FormMouseMove(uint32_t shift, int32_t x, int32_t y);

  // Closes the window after an error a handler raised: no clip plays, the
  // pointer is given back if this window hid it. Does nothing once closed.
  void CloseAfterError();
  // The window manager's close: ends the clip as a key would.
  void CloseRequested();

  // Milliseconds the window stands black before the clip starts.
  static constexpr uint32_t kActivationWait = 1500;

 protected:
  // Cursor, place and size (on showing only), file name, open, notify,
  // control sized to the clip and centred.
  void PrepareClip(const char* name, bool onShow);
  // Clears the file name, stops, closes with OK, shows the pointer again.
  void EndWindow();
  // The window's cursor shape, and the pointer told of it.
  void SetCursorNone(bool none);
  // On closing: the show count's step back up, the cursor shape gone.
  void GivePointerBack();
  const std::string& Folder() const { return folder_; }

 private:
  SystemPointer& pointer_;
  VideoClock& clock_;
  std::string folder_;
  int32_t screenWidth_ = 640, screenHeight_ = 480;
  bool pointerHidden_ = false;  // this window took one step down the count
};

}  // namespace quendrix
