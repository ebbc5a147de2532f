// The stopwatch against a clock pinned by the test: this file defines clock(),
// which the stopwatch then reads in place of the C library's, so the outcome
// does not depend on the speed of the machine. ordtally's source is compiled
// into this test at -O2, where 32-bit x86 keeps floating-point values in the
// x87's 80-bit registers.
#include "ordtally/ordtally.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

namespace {
std::clock_t pinned = 0;
}

std::clock_t clock(void) noexcept {
    return pinned;
}

namespace {

// clock_t is a 32-bit long on i386, so the largest tick is 2^31 - 1.
const std::clock_t ticks[] = {0, 1, 3, 7, 999, 123457, 1000001, 2147483647};

TEST(PinnedStopwatch, ReadsExactlyZeroWithinOneTick) {
    for (std::clock_t tick : ticks) {
        pinned = tick;
        set_current_time();
        double elapsed = calculate_elapsed_time();
        EXPECT_EQ(elapsed, 0.0) << "at tick " << tick;
        EXPECT_FALSE(std::signbit(elapsed)) << "at tick " << tick;
    }
}

TEST(PinnedStopwatch, ReadsALittleMoreOneTickLater) {
    for (std::clock_t tick : ticks) {
        pinned = tick - 1;
        set_current_time();
        pinned = tick;
        double elapsed = calculate_elapsed_time();
        EXPECT_GT(elapsed, 0.0) << "at tick " << tick;
        EXPECT_NEAR(elapsed, 0.001, 1e-6) << "at tick " << tick;
    }
}

} // namespace
