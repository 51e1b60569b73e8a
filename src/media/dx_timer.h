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

// Ticks from the message loop's idle processing, as often as the loop
// allows, whenever at least Interval milliseconds have passed.
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

  // Ticks per second measured over the last tick interval alone:
  // round(1000 / max(now - previous tick, 1)).
  int32_t TickRate() const { return tickRate_; }

  // Called with LagCount: elapsed div max(Interval, 1), at least 1.
  std::function<void(int32_t lagCount)> OnTimer;

  // One pass of idle processing. Returns true while the timer wants to be
  // called again at once (running), false when it has nothing to do.
  bool Idle();

 private:
  bool Running() const { return enabled_ && (!activeOnly_ || appActive_); }

  Clock& clock_;
  bool enabled_ = true;
  bool activeOnly_ = true;
  bool appActive_ = true;
  uint32_t interval_ = 1000;
  uint32_t lastTick_ = 0;
  uint32_t previousTick_ = 0;
  int32_t tickRate_ = 0;
};

}  // namespace quendrix
