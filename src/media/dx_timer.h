// Millisecond clocks and the idle-driven frame timer.
#pragma once

#include <cstdint>
#include <functional>

namespace quendrix {

// A millisecond counter that wraps at 2^32, like the system tick count.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t Milliseconds() = 0;
};

// A clock tests and replays move by hand.
class ManualClock : public Clock {
 public:
  uint32_t Milliseconds() override { return now_; }
  void Set(uint32_t ms) { now_ = ms; }
  void Advance(uint32_t ms) { now_ += ms; }

 private:
  uint32_t now_ = 0;
};

// Ticks from the message loop's idle processing whenever at least Interval
// milliseconds have passed. With Interval 0 it ticks either by deadlines at
// Pace ticks a second or, with Pace 0, on every idle pass. The loop asks
// MillisecondsToNextTick how long it may sleep.
class TDXTimer {
 public:
  explicit TDXTimer(Clock& clock) : clock_(clock) {
    lastTick_ = previousTick_ = clock_.Milliseconds();
  }

  bool Enabled() const { return enabled_; }
  // Enabling records the clock as the last tick; disabling stops the ticks.
  void SetEnabled(bool value);
  uint32_t Interval() const { return interval_; }
  // Milliseconds; negative values are stored as 0.
  void SetInterval(int64_t ms);
  // With ActiveOnly the timer rests while the application is inactive.
  bool ActiveOnly() const { return activeOnly_; }
  void SetActiveOnly(bool value) { activeOnly_ = value; }
  // The application gained or lost the focus.
  // Resuming records the clock as the last tick, as enabling does.
  void SetApplicationActive(bool active);

  // Ticks a second with Interval 0: tick k is due k / Pace seconds after the
  // pace started (enabling, resuming, a new Interval or Pace), so the ticks
  // keep their rate without drift on a millisecond clock. A tick that comes
  // late is one tick: the ones it passed over are dropped, not caught up.
  // 0: a tick on every idle pass, as fast as the loop runs.
  uint32_t Pace() const { return pace_; }
  void SetPace(uint32_t ticksPerSecond);

  // How long the loop may sleep before the next tick is due: 0 when it is
  // due now (or the timer ticks on every pass), kNoTick when the timer is
  // not running.
  static constexpr uint32_t kNoTick = 0xFFFFFFFFu;
  uint32_t MillisecondsToNextTick();

  // Ticks per second measured over the last tick interval alone:
  // round(1000 / max(now - previous tick, 1)).
  int32_t TickRate() const { return tickRate_; }

  // Called with LagCount: elapsed div max(Interval, 1), at least 1; with a
  // pace, elapsed div the pace's period (the periods the frame took).
  std::function<void(int32_t lagCount)> OnTimer;

  // One pass of idle processing. Returns true while the timer wants to be
  // called again at once (running), false when it has nothing to do.
  bool Idle();

 private:
  bool Running() const { return enabled_ && (!activeOnly_ || appActive_); }
  bool Paced() const { return interval_ == 0 && pace_ > 0; }
  // The pace's deadlines start again at `at`, its tick `index` next.
  void RestartPace(uint32_t at, uint32_t index);
  // Milliseconds from paceStart_ to tick `index` of the pace (rounded up).
  uint32_t PaceDue(uint32_t index) const;

  Clock& clock_;
  bool enabled_ = true;
  bool activeOnly_ = true;
  bool appActive_ = true;
  uint32_t interval_ = 1000;
  uint32_t lastTick_ = 0;
  uint32_t previousTick_ = 0;
  int32_t tickRate_ = 0;
  uint32_t pace_ = 0;
  uint32_t paceStart_ = 0;  // clock time of tick 0 of the pace
  uint32_t paceIndex_ = 0;  // the next tick due, counted from paceStart_
};

}  // namespace quendrix
