#include "media/dx_timer.h"

#include <algorithm>
#include <limits>

#include "core/rounding.h"

namespace quendrix {

void TDXTimer::SetEnabled(bool value) {
  if (value && !enabled_) {
    lastTick_ = previousTick_ = clock_.Milliseconds();
  }
  enabled_ = value;
}

void TDXTimer::SetApplicationActive(bool active) {
  if (active && !appActive_ && enabled_ && activeOnly_)
    lastTick_ = previousTick_ = clock_.Milliseconds();
  appActive_ = active;
}

void TDXTimer::SetInterval(int64_t ms) {
  interval_ =
      static_cast<uint32_t>(std::clamp<int64_t>(ms, 0, std::numeric_limits<uint32_t>::max()));
}

bool TDXTimer::Idle() {
  if (!Running()) return false;
  const uint32_t now = clock_.Milliseconds();
  const uint32_t elapsed = now - lastTick_;  // unsigned: the clock may wrap
  if (elapsed < interval_) return true;
  lastTick_ = now;
  const uint32_t lag = elapsed / std::max<uint32_t>(interval_, 1);
  const int32_t lagCount =
      static_cast<int32_t>(std::clamp<uint32_t>(lag, 1, std::numeric_limits<int32_t>::max()));
  const uint32_t sincePrevious = std::max<uint32_t>(now - previousTick_, 1);
  tickRate_ = Nearest(1000.0 / sincePrevious);
  previousTick_ = now;
  if (OnTimer) OnTimer(lagCount);
  return true;
}

}  // namespace quendrix
