#include "video/video_runner.h"

#include <algorithm>
#include <exception>

namespace quendrix {
namespace {

// Longest wait for events while a clip plays, so the loop comes back for
// the next picture even when the device asks for longer.
constexpr uint32_t kLongestWait = 20;

void Handle(TVideoWindow& w, ClipDevice& device, const VideoEvent& e, bool& closeRequested,
            bool& redraw) {
  switch (e.kind) {
    case VideoEvent::kKey:
      w.FormKeyDown(e.key, e.shift);
      break;
    case VideoEvent::kMouseDown:
      w.FormMouseDown(e.button, e.shift, e.x, e.y);
      break;
    case VideoEvent::kMouseMove:
      w.FormMouseMove(e.shift, e.x, e.y);
      break;
    case VideoEvent::kFocus:
      // Focus changes pause the clip; the wait and play happen only on the
      // first activation of a show.
      device.Pause(!e.active);
      break;
    case VideoEvent::kClose:
      closeRequested = true;
      w.CloseRequested();
      break;
    case VideoEvent::kExposed:
      redraw = true;
      break;
    case VideoEvent::kNone:
      break;
  }
}

}  // namespace

VideoEnd RunVideoWindow(const VideoRun& run) {
  TVideoWindow& w = run.window;
  bool failed = false, closeRequested = false;
  auto guarded = [&](auto&& step) {
    try {
      step();
    } catch (const std::exception& e) {
      // The window closes by itself: a clip that cannot play never reports
      // its end, so waiting for one would hang.
      if (run.reportError) run.reportError(e.what());
      failed = true;
      w.CloseAfterError();
    }
  };

  w.BeginModal();
  guarded([&] { w.FormShow(); });
  if (w.Showing) {
    if (run.draw) run.draw();
    guarded([&] { w.FormActivate(); });
  }
  while (w.Showing) {
    bool redraw = false;
    VideoEvent e;
    while (w.Showing && run.events.Poll(e))
      guarded([&] { Handle(w, run.device, e, closeRequested, redraw); });
    if (!w.Showing) break;
    bool newPicture = false;
    uint32_t due = 0;
    guarded([&] { due = run.device.Advance(newPicture); });
    if (!w.Showing) break;
    if ((newPicture || redraw) && run.draw) run.draw();
    if (run.device.TakeNotice()) {
      guarded([&] { w.MediaPlayer1Notify(); });
      continue;
    }
    run.events.Wait(std::min(due, kLongestWait));
  }
  if (closeRequested) return VideoEnd::kCloseRequested;
  return failed ? VideoEnd::kFailed : VideoEnd::kFinished;
}

}  // namespace quendrix
