#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quendrix
