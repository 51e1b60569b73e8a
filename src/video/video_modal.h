// One call each for the launch pad: show the intro or the credits window
// modally on the caller's screen, as a nested message loop on the one
// thread, and come back when it has closed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "video/video_runner.h"

struct SDL_Renderer;

namespace quendrix {

class MessageLoop;
class VideoClock;

// The screen the windows play on, lent by the caller for the show.
struct VideoHost {
  // Draws into its current render target, whose logical size is
  // width x height: the screen the window covers.
  SDL_Renderer* renderer = nullptr;
  int32_t width = 640, height = 480;
  // Shows what was drawn; SDL_RenderPresent(renderer) when empty.
  std::function<void()> present;
  // The caller's message loop: events go through it (so its pointer, F11
  // and F12 work as elsewhere) and its handler is lent to the window for the
  // show. Null: a loop of the show's own.
  MessageLoop* loop = nullptr;
  // The clips' folder, ending in "/"; the game's data folder (DataDir) when
  // empty.
  std::string folder;
  // Reports an error (cp1251 text); the platform's error box when empty.
  std::function<void(const std::string&)> reportError;
  // The tick counter, the activation wait and the wait for messages;
  // SDL's when null.
  VideoClock* clock = nullptr;
  // Off: no audio device is opened, clips play silently.
  bool sound = true;
};

// The logo clip, then the intro clip. On kCloseRequested the caller's loop
// has been told to terminate.
VideoEnd ShowIntroModal(VideoHost& host);
// The credits clip.
VideoEnd ShowCreditsModal(VideoHost& host);
// Any clip, shown as the credits window shows its clip (for the clip tool).
VideoEnd ShowClipModal(VideoHost& host, const std::string& folder, const std::string& clip);

}  // namespace quendrix
