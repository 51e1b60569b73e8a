// The modal show of a video window as a nested message loop on the one
// thread: show, activate (the wait), then events and playback in turn until
// the window closes. Events come through a small source, so tests script
// them against a manual clock; the SDL source lives in video_modal.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "video/video_window.h"

namespace quendrix {

struct VideoEvent {
  enum Kind { kNone, kKey, kMouseDown, kMouseMove, kFocus, kClose, kExposed } kind = kNone;
  uint16_t key = 0;  // virtual-key code (kKey)
  uint32_t shift = 0;
  MouseButton button = MouseButton::kLeft;
  int32_t x = 0, y = 0;
  bool active = true;  // kFocus: gained (true) or lost
};

class VideoEventSource {
 public:
  virtual ~VideoEventSource() = default;
  // The next queued event; false when the queue is empty.
  virtual bool Poll(VideoEvent& event) = 0;
  // Waits for an event for at most `ms` milliseconds.
  virtual void Wait(uint32_t ms) = 0;
};

// How a modal show ended.
enum class VideoEnd {
  kFinished,        // the clips ran out, or a key, button or click ended them
  kFailed,          // a clip could not be opened or played; the error was reported
  kCloseRequested,  // the window manager asked to close: the program should end
};

struct VideoRun {
  TVideoWindow& window;
  ClipDevice& device;
  VideoEventSource& events;
  // Shows the picture the device holds (a black window before the clip).
  std::function<void()> draw;
  // Reports an error a handler raised (the error box).
  std::function<void(const std::string&)> reportError;
};

// Shows the window modally and returns once it has closed.
VideoEnd RunVideoWindow(const VideoRun& run);

}  // namespace quendrix
