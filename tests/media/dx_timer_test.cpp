#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "media/dx_timer.h"

namespace quendrix {
namespace {

struct Rig {
  ManualClock clock;
  TDXTimer timer{clock};
  std::vector<int32_t> lags;
  Rig() {
    timer.SetEnabled(false);
    timer.OnTimer = [this](int32_t lag) { lags.push_back(lag); };
  }
};

TEST(TDXTimer, TicksOnlyAfterTheIntervalAndCountsLag) {
  Rig r;
  r.clock.Set(1000);
  r.timer.SetInterval(33);
  r.timer.SetEnabled(true);
  EXPECT_TRUE(r.timer.Idle());  // running: call again at once
  EXPECT_TRUE(r.lags.empty());
  r.clock.Advance(32);
  r.timer.Idle();
  EXPECT_TRUE(r.lags.empty());
  r.clock.Advance(38);  // a 70 ms frame
  r.timer.Idle();
  ASSERT_EQ(r.lags.size(), 1u);
  EXPECT_EQ(r.lags[0], 2);
  EXPECT_EQ(r.timer.TickRate(), 14);  // round(1000 / 70)
  r.clock.Advance(33);
  r.timer.Idle();
  EXPECT_EQ(r.lags.back(), 1);
  EXPECT_EQ(r.timer.TickRate(), 30);  // round(30.3)
}

TEST(TDXTimer, IntervalZeroTicksEveryIdleCall) {
  Rig r;
  r.timer.SetInterval(0);
  r.timer.SetEnabled(true);
  r.timer.Idle();  // a frame of 0 ms
  ASSERT_EQ(r.lags.size(), 1u);
  EXPECT_EQ(r.lags[0], 1);
  EXPECT_EQ(r.timer.TickRate(), 1000);
  r.clock.Advance(16);
  r.timer.Idle();
  EXPECT_EQ(r.lags.back(), 16);       // elapsed div max(Interval, 1)
  EXPECT_EQ(r.timer.TickRate(), 62);  // round(62.5) to even
  r.clock.Advance(3);
  r.timer.Idle();
  EXPECT_EQ(r.timer.TickRate(), 333);
}

TEST(TDXTimer, DisabledOrInactiveTimersDoNotTick) {
  Rig r;
  r.timer.SetInterval(0);
  EXPECT_FALSE(r.timer.Idle());
  r.timer.SetEnabled(true);
  r.timer.SetApplicationActive(false);  // ActiveOnly is on by default
  EXPECT_FALSE(r.timer.Idle());
  r.timer.SetActiveOnly(false);  // the play screen's setting
  EXPECT_TRUE(r.timer.Idle());
  EXPECT_EQ(r.lags.size(), 1u);
  r.timer.SetEnabled(false);
  r.clock.Advance(50);
  EXPECT_FALSE(r.timer.Idle());
  EXPECT_EQ(r.lags.size(), 1u);
}

TEST(TDXTimer, EnablingAndResumingRestartTheLagCount) {
  Rig r;
  r.timer.SetInterval(10);
  r.clock.Set(5000);
  r.timer.SetEnabled(true);  // no lag for the time spent disabled
  r.clock.Advance(10);
  r.timer.Idle();
  EXPECT_EQ(r.lags.back(), 1);
  r.timer.SetApplicationActive(false);
  r.clock.Advance(10000);
  r.timer.SetApplicationActive(true);
  r.clock.Advance(20);
  r.timer.Idle();
  EXPECT_EQ(r.lags.back(), 2);
}

TEST(TDXTimer, SurvivesTheClockWrapping) {
  Rig r;
  r.timer.SetInterval(10);
  r.clock.Set(0xFFFFFFF0u);
  r.timer.SetEnabled(true);
  r.clock.Advance(40);  // wraps past zero
  r.timer.Idle();
  ASSERT_EQ(r.lags.size(), 1u);
  EXPECT_EQ(r.lags[0], 4);
  EXPECT_EQ(r.timer.TickRate(), 25);
  r.timer.SetInterval(-5);
  EXPECT_EQ(r.timer.Interval(), 0u);
}

// A loop on the manual clock that sleeps exactly as long as the timer says,
// as the program's message loop does, for `ms` simulated milliseconds;
// returns the clock times of the ticks.
// `frame` returns how long a frame starting at a clock time takes.
std::vector<uint32_t> RunPaced(Rig& r, uint32_t ms,
                               const std::function<uint32_t(uint32_t)>& frame = nullptr) {
  std::vector<uint32_t> ticks;
  r.timer.OnTimer = [&](int32_t lag) {
    ticks.push_back(r.clock.Milliseconds());
    r.lags.push_back(lag);
    if (frame) r.clock.Advance(frame(r.clock.Milliseconds()));
  };
  const uint32_t end = r.clock.Milliseconds() + ms;
  while (static_cast<int32_t>(end - r.clock.Milliseconds()) > 0) {
    r.timer.Idle();
    const uint32_t wait = r.timer.MillisecondsToNextTick();
    EXPECT_NE(wait, TDXTimer::kNoTick);
    r.clock.Advance(wait);
  }
  return ticks;
}

TEST(TDXTimer, PacedTicksAreSixtyInEverySecondForTenMinutes) {
  Rig r;
  r.clock.Set(0xFFFF0000u);  // the clock wraps on the way
  r.timer.SetInterval(0);
  r.timer.SetPace(60);
  r.timer.SetEnabled(true);
  const uint32_t start = r.clock.Milliseconds();
  const std::vector<uint32_t> ticks = RunPaced(r, 600'000, [](uint32_t) { return 3u; });
  std::vector<int> perSecond(600, 0);
  for (uint32_t t : ticks) ++perSecond[(t - start) / 1000];
  for (size_t s = 0; s < perSecond.size(); ++s) ASSERT_EQ(perSecond[s], 60) << "second " << s;
  for (int32_t lag : r.lags) ASSERT_EQ(lag, 1);
  // The measured rate reads whole milliseconds between ticks: 16 or 17.
  EXPECT_TRUE(r.timer.TickRate() == 59 || r.timer.TickRate() == 62) << r.timer.TickRate();
}

// A display that presents on its vertical blank: a frame ends at the first
// blank after 2 ms of drawing. Faster displays leave the pace at 60 ticks a
// second; a slower one sets the rate, as the measured rate then tells the
// physics.
class VBlankPace : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(VBlankPace, TicksAtSixtyOrTheDisplaysRate) {
  const auto [hertz, expected] = GetParam();
  Rig r;
  r.timer.SetInterval(0);
  r.timer.SetPace(60);
  r.timer.SetEnabled(true);
  const uint32_t start = r.clock.Milliseconds();
  const std::vector<uint32_t> ticks = RunPaced(r, 10'000, [&](uint32_t now) {
    const uint64_t drawn = now - start + 2;
    const uint64_t blank = (drawn * hertz + 999) / 1000;  // the next blank's number
    return static_cast<uint32_t>(blank * 1000 / hertz - (now - start));
  });
  EXPECT_NEAR(static_cast<double>(ticks.size()) / 10.0, expected, 1.0);
  EXPECT_NEAR(r.timer.TickRate(), expected, 4);
}

INSTANTIATE_TEST_SUITE_P(Displays, VBlankPace,
                         ::testing::Values(std::pair{144, 60}, std::pair{60, 60},
                                           std::pair{50, 50}));

TEST(TDXTimer, IntervalsKeepTheirMillisecondsAndNoPaceMeansEveryPass) {
  for (const uint32_t interval : {33u, 66u}) {
    Rig r;
    r.timer.SetPace(60);  // the pace rests while an interval is set
    r.timer.SetInterval(interval);
    r.timer.SetEnabled(true);
    const std::vector<uint32_t> ticks = RunPaced(r, 10'000);
    ASSERT_GT(ticks.size(), 2u);
    for (size_t i = 1; i < ticks.size(); ++i) ASSERT_EQ(ticks[i] - ticks[i - 1], interval);
  }
  Rig r;
  r.timer.SetInterval(0);
  r.timer.SetPace(0);
  r.timer.SetEnabled(true);
  for (int pass = 0; pass < 5; ++pass) {
    EXPECT_EQ(r.timer.MillisecondsToNextTick(), 0u);
    r.timer.Idle();
  }
  EXPECT_EQ(r.lags.size(), 5u);
  r.timer.SetEnabled(false);
  EXPECT_EQ(r.timer.MillisecondsToNextTick(), TDXTimer::kNoTick);
}

TEST(TDXTimer, ALateFrameCountsItsLagAndStartsNoBurst) {
  Rig r;
  r.timer.SetInterval(0);
  r.timer.SetPace(60);
  r.timer.SetEnabled(true);
  RunPaced(r, 1000);
  const size_t before = r.lags.size();
  // One frame stalls for 50 ms.
  r.timer.OnTimer = [&](int32_t lag) {
    r.lags.push_back(lag);
    r.clock.Advance(50);
  };
  r.timer.Idle();
  ASSERT_EQ(r.lags.size(), before + 1);
  const uint32_t stallEnd = r.clock.Milliseconds();
  const std::vector<uint32_t> after = RunPaced(r, 200);
  ASSERT_GE(after.size(), 3u);
  EXPECT_EQ(r.lags[before + 1], 3);  // 50 ms and a little: three periods
  // The late tick is one tick; the deadlines it passed over are dropped, so
  // the 200 ms after it hold no more ticks than their own deadlines.
  EXPECT_EQ(after[0], stallEnd);
  EXPECT_LE(after.size(), 13u);
  for (size_t i = 1; i < after.size(); ++i) EXPECT_GT(after[i], after[i - 1]);
  for (size_t i = before + 2; i < r.lags.size(); ++i) EXPECT_EQ(r.lags[i], 1);
}

}  // namespace
}  // namespace quendrix
