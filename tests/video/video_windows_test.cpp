// The intro and credits windows as the player meets them: the wait, the
// clips in order, keys, clicks and pointer moves, the pointer given back,
// and clips that cannot be opened. A recording device and pointer stand in
// for the media device and the system, a manual clock for time.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "video/extro1.h"
#include "video/intro01.h"
#include "video/video_runner.h"

namespace quendrix {
namespace {

constexpr const char* kFolder = "/game/";

class TestClock : public VideoClock {
 public:
  uint32_t Milliseconds() override { return now; }
  void Sleep(uint32_t ms) override {
    if (onSleep) onSleep();
    now += ms;
  }
  uint32_t now = 10000;
  std::function<void()> onSleep;  // the black window's wait
};

// What happened, in order, with the clock's time: "open tarn.avi@10000".
using Log = std::vector<std::string>;

class RecordingDevice : public ClipDevice {
 public:
  RecordingDevice(TestClock& clock, Log& log) : clock_(clock), log_(log) {}

  std::map<std::string, uint32_t> lengths{
      {"tarn.avi", 3000}, {"intro.avi", 10000}, {"credits.avi", 24000}};
  ClipRect rect{0, 0, 320, 240};

  void Open(const std::string& path) override {
    Close();
    const std::string name = path.substr(path.rfind('/') + 1);
    Note("open " + name);
    auto it = lengths.find(name);
    if (path.rfind(kFolder, 0) != 0 || it == lengths.end())
      throw ClipError(name + ": No such file or directory");
    open_ = true;
    length_ = it->second;
    played_ = 0;
  }
  ClipRect Where() const override { return open_ ? rect : ClipRect{}; }
  void Play(bool notify) override {
    if (!open_) throw ClipError(kNoDeviceOpen);
    Note(notify ? "play notify" : "play");
    playing_ = true;
    notify_ = notify;
    last_ = clock_.now;
  }
  void Stop() override {
    if (!open_) throw ClipError(kNoDeviceOpen);
    Note("stop");
    if (playing_ && notify_) notice_ = true;  // an interrupted play still reports
    playing_ = notify_ = false;
  }
  void Close() override {
    if (!open_) return;
    Note("close");
    if (playing_ && notify_) notice_ = true;  // as the device's contract says
    open_ = playing_ = notify_ = false;
  }
  bool IsOpen() const override { return open_; }
  void SetDisplayRect(const ClipRect& r) override { shownAt = r; }
  void Pause(bool paused) override {
    Note(paused ? "pause" : "resume");
    paused_ = paused;
  }
  uint32_t Advance(bool& newPicture) override {
    newPicture = playing_;
    if (playing_ && !paused_) played_ += clock_.now - last_;
    last_ = clock_.now;
    if (playing_ && played_ >= length_) {
      Note("end");
      playing_ = false;
      if (notify_) notice_ = true;
      notify_ = false;
    }
    return 40;
  }
  bool TakeNotice() override {
    const bool n = notice_;
    notice_ = false;
    return n;
  }

  ClipRect shownAt;

 private:
  void Note(const std::string& what) { log_.push_back(what + "@" + std::to_string(clock_.now)); }

  TestClock& clock_;
  Log& log_;
  bool open_ = false, playing_ = false, notify_ = false, notice_ = false, paused_ = false;
  uint32_t length_ = 0, played_ = 0, last_ = 0;
};

class RecordingPointer : public SystemPointer {
 public:
  explicit RecordingPointer(Log& log) : log_(log) {}
  void SetCursorPos(int32_t x, int32_t y) override {
    log_.push_back("pointer " + std::to_string(x) + "," + std::to_string(y));
  }
  int32_t ShowCursor(bool show) override {
    log_.push_back(show ? "show" : "hide");
    return count += show ? 1 : -1;
  }
  void SetWindowCursor(bool none) override {
    log_.push_back(none ? "cursor none" : "cursor back");
    shapeNone = none;
  }
  // What the system would show now.
  bool Visible() const { return count >= 0 && !shapeNone; }
  int32_t count = 0;
  bool shapeNone = false;

 private:
  Log& log_;
};

// Events that arrive at given times; polled only when the loop asks.
class ScriptedEvents : public VideoEventSource {
 public:
  explicit ScriptedEvents(TestClock& clock) : clock_(clock) {}
  void At(uint32_t time, VideoEvent e) { script_.push_back({time, e}); }
  bool Poll(VideoEvent& e) override {
    if (script_.empty() || script_.front().first > clock_.now) return false;
    e = script_.front().second;
    script_.erase(script_.begin());
    return true;
  }
  void Wait(uint32_t ms) override { clock_.now += std::max<uint32_t>(ms, 1); }

 private:
  TestClock& clock_;
  std::vector<std::pair<uint32_t, VideoEvent>> script_;
};

VideoEvent Key() {
  VideoEvent e;
  e.kind = VideoEvent::kKey;
  e.key = 0x1B;
  return e;
}
VideoEvent Click() {
  VideoEvent e;
  e.kind = VideoEvent::kMouseDown;
  e.x = 5;
  e.y = 7;
  return e;
}
VideoEvent Move(int32_t x, int32_t y) {
  VideoEvent e;
  e.kind = VideoEvent::kMouseMove;
  e.x = x;
  e.y = y;
  return e;
}
VideoEvent Simple(VideoEvent::Kind kind, bool active = true) {
  VideoEvent e;
  e.kind = kind;
  e.active = active;
  return e;
}

// Index of the first entry starting with `what`, or -1.
int Find(const Log& log, const std::string& what) {
  for (size_t i = 0; i < log.size(); ++i)
    if (log[i].rfind(what, 0) == 0) return static_cast<int>(i);
  return -1;
}
uint32_t TimeOf(const std::string& entry) {
  return static_cast<uint32_t>(std::stoul(entry.substr(entry.find('@') + 1)));
}

struct Fixture {
  TestClock clock;
  Log log;
  RecordingDevice device{clock, log};
  RecordingPointer pointer{log};
  ScriptedEvents events{clock};
  std::vector<std::string> errors;

  template <typename Window>
  VideoEnd Run(Window& w) {
    w.SetScreen(640, 480);
    return RunVideoWindow(
        {w, device, events, nullptr, [&](const std::string& e) { errors.push_back(e); }});
  }
};

TEST(IntroWindow, PlaysTheLogoThenTheIntroThenCloses) {
  Fixture f;
  Tintro w(f.device, f.pointer, f.clock, kFolder);
  EXPECT_EQ(f.Run(w), VideoEnd::kFinished);
  const Log want{"cursor none",
                 "open tarn.avi@10000",
                 "play notify@11500",
                 "pointer 640,480",
                 "hide",
                 "end@14500",
                 "close@14500",
                 "open intro.avi@14500",
                 "play notify@14500",
                 "end@24500",
                 "stop@24500",
                 "show",
                 "cursor back"};
  EXPECT_EQ(f.log, want);
  EXPECT_FALSE(w.Showing);
  EXPECT_EQ(w.ModalResult, mrOk);
  EXPECT_EQ(f.pointer.count, 0) << "the pointer is visible again";
  EXPECT_TRUE(w.MediaPlayer1.FileName.empty());
  EXPECT_TRUE(f.errors.empty());
}

TEST(IntroWindow, AKeyDuringTheLogoSkipsBothClips) {
  Fixture f;
  f.events.At(12000, Key());
  Tintro w(f.device, f.pointer, f.clock, kFolder);
  EXPECT_EQ(f.Run(w), VideoEnd::kFinished);
  EXPECT_EQ(Find(f.log, "open intro.avi"), -1);
  ASSERT_NE(Find(f.log, "stop"), -1);
  EXPECT_EQ(TimeOf(f.log[Find(f.log, "stop")]), 12000u);
  EXPECT_EQ(f.log.back(), "cursor back");
  EXPECT_EQ(f.pointer.count, 0);
}

TEST(IntroWindow, AClickDuringTheWaitActsOnlyAfterPlayStarts) {
  Fixture f;
  f.events.At(10500, Click());
  Tintro w(f.device, f.pointer, f.clock, kFolder);
  EXPECT_EQ(f.Run(w), VideoEnd::kFinished);
  const int play = Find(f.log, "play"), stop = Find(f.log, "stop");
  ASSERT_NE(play, -1);
  ASSERT_NE(stop, -1);
  EXPECT_LT(play, stop);
  EXPECT_GE(TimeOf(f.log[stop]), 11500u) << "not during the 1500 ms wait";
  EXPECT_LT(Find(f.log, "hide"), stop);
  EXPECT_EQ(f.pointer.count, 0);
  EXPECT_FALSE(w.Showing);
}

TEST(IntroWindow, MovingTheMouseSnapsThePointerBackToTheCorner) {
  Fixture f;
  f.events.At(12000, Move(100, 50));
  f.events.At(12100, Key());
  Tintro w(f.device, f.pointer, f.clock, kFolder);
  f.Run(w);
  EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "pointer 640,480"), 2);
}

TEST(IntroWindow, ControlIsCentredOnTheScreen) {
  Fixture f;
  f.device.rect = {0, 0, 321, 241};
  Tintro w(f.device, f.pointer, f.clock, kFolder);
  w.SetScreen(800, 600);
  w.BeginModal();
  w.FormShow();
  EXPECT_EQ(w.Width, 800);
  EXPECT_EQ(w.Height, 600);
  EXPECT_TRUE(w.CursorNone);
  EXPECT_EQ(w.MediaPlayer1.Left, 400 - 160);
  EXPECT_EQ(w.MediaPlayer1.Top, 300 - 120);
  EXPECT_EQ(f.device.shownAt, (ClipRect{240, 180, 561, 421}));
  EXPECT_TRUE(w.MediaPlayer1.Notify);
}

// The black window hides the pointer from its first moment: through the
// wait before the clip, not only once the clip plays; and gives it back.
template <typename Window>
void PointerHiddenFromTheStart() {
  Fixture f;
  int waits = 0, shownWhileWaiting = 0;
  f.clock.onSleep = [&] {
    ++waits;
    if (f.pointer.Visible()) ++shownWhileWaiting;
  };
  Window w(f.device, f.pointer, f.clock, kFolder);
  EXPECT_EQ(f.Run(w), VideoEnd::kFinished);
  EXPECT_GT(waits, 0);
  EXPECT_EQ(shownWhileWaiting, 0);
  EXPECT_TRUE(f.pointer.Visible());
}

TEST(IntroWindow, ThePointerIsHiddenFromTheMomentTheWindowShows) {
  PointerHiddenFromTheStart<Tintro>();
}
TEST(CreditsWindow, ThePointerIsHiddenFromTheMomentTheWindowShows) {
  PointerHiddenFromTheStart<Textro>();
}

// A completion the stopped play reports after an early end finds the file
// name cleared (intro) or the window closed (credits): nothing happens.
template <typename Window>
void LateCompletionDoesNothing() {
  Fixture f;
  Window w(f.device, f.pointer, f.clock, kFolder);
  w.SetScreen(640, 480);
  w.BeginModal();
  w.FormShow();
  w.FormActivate();
  w.FormKeyDown(0x20, 0);
  ASSERT_TRUE(f.device.TakeNotice());
  const Log before = f.log;
  w.MediaPlayer1Notify();
  EXPECT_EQ(f.log, before);
  EXPECT_EQ(f.pointer.count, 0);
  EXPECT_EQ(w.ModalResult, mrOk);
}

TEST(IntroWindow, LateCompletionAfterAnEarlyEndDoesNothing) {
  LateCompletionDoesNothing<Tintro>();
}
TEST(CreditsWindow, LateCompletionAfterAnEarlyEndDoesNothing) {
  LateCompletionDoesNothing<Textro>();
}

TEST(CreditsWindow, PlaysTheCreditsClipAndCloses) {
  Fixture f;
  Textro w(f.device, f.pointer, f.clock, kFolder);
  EXPECT_EQ(f.Run(w), VideoEnd::kFinished);
  const Log want{"cursor none",
                 "open credits.avi@10000",
                 "play notify@11500",
                 "pointer 640,480",
                 "hide",
                 "end@35500",
                 "stop@35500",
                 "show",
                 "cursor back"};
  EXPECT_EQ(f.log, want);
  EXPECT_EQ(f.pointer.count, 0);
}

// Clips that cannot be opened: the error is reported and the window closes
// by itself, with the pointer visible.
TEST(IntroWindow, MissingLogoClosesTheWindowAtOnce) {
  Fixture f;
  f.device.lengths.erase("tarn.avi");
  Tintro w(f.device, f.pointer, f.clock, kFolder);
  EXPECT_EQ(f.Run(w), VideoEnd::kFailed);
  ASSERT_EQ(f.errors.size(), 1u);
  EXPECT_EQ(f.errors[0], "tarn.avi: No such file or directory");
  EXPECT_EQ(Find(f.log, "play"), -1);
  EXPECT_EQ(f.clock.now, 10000u) << "no wait for a clip that cannot play";
  EXPECT_TRUE(f.pointer.Visible());
  EXPECT_FALSE(w.Showing);
}

TEST(IntroWindow, MissingIntroAfterTheLogoClosesTheWindow) {
  Fixture f;
  f.device.lengths.erase("intro.avi");
  Tintro w(f.device, f.pointer, f.clock, kFolder);
  EXPECT_EQ(f.Run(w), VideoEnd::kFailed);
  ASSERT_EQ(f.errors.size(), 1u);
  EXPECT_EQ(f.errors[0], "intro.avi: No such file or directory");
  EXPECT_EQ(f.log.back(), "cursor back");
  EXPECT_EQ(f.pointer.count, 0);
  EXPECT_EQ(f.clock.now, 14500u);
}

TEST(IntroWindow, CloseRequestEndsTheClipAndAsksToQuit) {
  Fixture f;
  f.events.At(12000, Simple(VideoEvent::kClose));
  Tintro w(f.device, f.pointer, f.clock, kFolder);
  EXPECT_EQ(f.Run(w), VideoEnd::kCloseRequested);
  EXPECT_NE(Find(f.log, "stop@12000"), -1);
  EXPECT_EQ(f.pointer.count, 0);
}

TEST(IntroWindow, LosingTheFocusPausesWithoutASecondWait) {
  Fixture f;
  f.events.At(12000, Simple(VideoEvent::kFocus, false));
  f.events.At(20000, Simple(VideoEvent::kFocus, true));
  Tintro w(f.device, f.pointer, f.clock, kFolder);
  EXPECT_EQ(f.Run(w), VideoEnd::kFinished);
  EXPECT_EQ(std::count_if(f.log.begin(), f.log.end(),
                          [](const std::string& s) { return s.rfind("play", 0) == 0; }),
            2);
  EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "hide"), 1);
  // The logo's three seconds stretch by the eight it was paused.
  EXPECT_NE(Find(f.log, "end@22500"), -1);
  EXPECT_EQ(f.pointer.count, 0);
}

}  // namespace
}  // namespace quendrix
