#include "browse/update_throttle.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

TEST(UpdateThrottle, RunsAtMostOncePerIntervalAcrossTheClockWrap) {
    UpdateThrottle throttle(50);
    EXPECT_TRUE(throttle.TryNow(0xFFFFFFF0u)) << "the first update always runs";
    EXPECT_FALSE(throttle.TryNow(0xFFFFFFF0u + 10));
    EXPECT_EQ(throttle.WaitMs(0xFFFFFFF0u + 10), 40u);
    EXPECT_EQ(throttle.WaitMs(20), 14u) << "20 is 36 ms after the first reading";
    EXPECT_TRUE(throttle.TryNow(34));
    EXPECT_FALSE(throttle.TryNow(83));
    EXPECT_TRUE(throttle.TryNow(84));
}

}  // namespace
}  // namespace skelvane
