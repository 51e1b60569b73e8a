#include "media/dx_timer.h"

#include <algorithm>
#include <limits>

#include "core/rounding.h"

namespace quendrix {

void TDXTimer::SetEnabled(bool value) {
  if (value && !enabled_) {
    lastTick_ = previousTick_ = clock_.Milliseconds();
    RestartPace(lastTick_, 0);
  }
  enabled_ = value;
}

void TDXTimer::SetApplicationActive(bool active) {
  if (active && !appActive_ && enabled_ && activeOnly_) {
    lastTick_ = previousTick_ = clock_.Milliseconds();
    RestartPace(lastTick_, 0);
  }
  appActive_ = active;
}

void TDXTimer::SetInterval(int64_t ms) {
  const auto value =
      static_cast<uint32_t>(std::clamp<int64_t>(ms, 0, std::numeric_limits<uint32_t>::max()));
  // A pace taken up again runs one period on from the last tick.
  if (value != interval_) RestartPace(lastTick_, 1);
  interval_ = value;
}

void TDXTimer::SetPace(uint32_t ticksPerSecond) {
  if (ticksPerSecond == pace_) return;
  pace_ = ticksPerSecond;
  RestartPace(lastTick_, 1);
}

void TDXTimer::RestartPace(uint32_t at, uint32_t index) {
  paceStart_ = at;
  paceIndex_ = index;
}

uint32_t TDXTimer::PaceDue(uint32_t index) const {
  // The index stays at most the pace (whole seconds move the start), so
  // the product fits easily.
  return static_cast<uint32_t>((uint64_t{index} * 1000 + pace_ - 1) / pace_);
}

uint32_t TDXTimer::MillisecondsToNextTick() {
  if (!Running()) return kNoTick;
  const uint32_t now = clock_.Milliseconds();
  if (Paced()) {
    const uint32_t since = now - paceStart_;
    const uint32_t due = PaceDue(paceIndex_);
    return since >= due ? 0 : due - since;
  }
  const uint32_t elapsed = now - lastTick_;
  return elapsed >= interval_ ? 0 : interval_ - elapsed;
}

bool TDXTimer::Idle() {
  if (!Running()) return false;
  const uint32_t now = clock_.Milliseconds();
  const uint32_t elapsed = now - lastTick_;  // unsigned: the clock may wrap
  if (Paced()) {
    if (now - paceStart_ < PaceDue(paceIndex_)) return true;
  } else if (elapsed < interval_) {
    return true;
  }
  lastTick_ = now;
  const uint64_t lag =
      Paced() ? uint64_t{elapsed} * pace_ / 1000 : elapsed / std::max<uint32_t>(interval_, 1);
  const int32_t lagCount =
      static_cast<int32_t>(std::clamp<uint64_t>(lag, 1, std::numeric_limits<int32_t>::max()));
  if (Paced()) {
    // The next deadline after the one just met; after a late tick, the first
    // one still ahead.
    const uint64_t ahead = uint64_t{now - paceStart_} * pace_ / 1000 + 1;
    const uint64_t next = std::max<uint64_t>(uint64_t{paceIndex_} + 1, ahead);
    // Whole seconds move the start, never past a deadline already met, so
    // the clock never reads earlier than the start.
    const uint64_t seconds = (next - 1) / pace_;
    paceStart_ += static_cast<uint32_t>(seconds * 1000);
    paceIndex_ = static_cast<uint32_t>(next - seconds * pace_);
  }
  const uint32_t sincePrevious = std::max<uint32_t>(now - previousTick_, 1);
  tickRate_ = Nearest(1000.0 / sincePrevious);
  previousTick_ = now;
  if (OnTimer) OnTimer(lagCount);
  return true;
}

}  // namespace quendrix
