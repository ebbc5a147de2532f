// The stopwatch against a clock pinned by the test: this file defines clock(),
// which the stopwatch then reads in place of the C library's, so the outcome
// does not depend on the speed of the machine. ordtally's source is compiled
// into this test at -O2, where 32-bit x86 keeps floating-point values in the
// x87's 80-bit registers; a second build of it gives clock() WASI's rate.
#include "ordtally/ordtally.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <limits>

namespace {
std::clock_t pinned = 0;
}

std::clock_t clock(void) noexcept {
    return pinned;
}

namespace {

#ifdef ADTLAB_CLOCKS_PER_SEC
constexpr long long ticks_per_second = ADTLAB_CLOCKS_PER_SEC;
#define STOPWATCH PinnedStopwatchAtWasiRate
#else
constexpr long long ticks_per_second = CLOCKS_PER_SEC;
#define STOPWATCH PinnedStopwatch
#endif

// clock_t is a 32-bit long on i386, so the largest tick is 2^31 - 1.
const std::clock_t ticks[] = {0, 1, 3, 7, 999, 123457, 1000001, 2147483647};

// Milliseconds from tick 0, as the nearest doubles: the durations at a
// million ticks a second are the ones the stopwatch has always given.
struct Duration {
    std::clock_t ticks;
    double at_a_million;
    double at_a_billion;
};
const Duration durations[] = {
    {1, 0.001, 0.000001},
    {999, 0.999, 0.000999},
    {123457, 123.457, 0.123457},
    {1000001, 1000.001, 1.000001},
    {2147483647, 2147483.647, 2147.483647},
};

double expected_milliseconds(const Duration &duration) {
    switch (ticks_per_second) {
    case 1000000:
        return duration.at_a_million;
    case 1000000000:
        return duration.at_a_billion;
    default:
        return std::numeric_limits<double>::quiet_NaN();
    }
}

double milliseconds_between(std::clock_t start, std::clock_t end) {
    pinned = start;
    set_current_time();
    pinned = end;
    return calculate_elapsed_time();
}

TEST(STOPWATCH, ReadsExactlyZeroWithinOneTick) {
    for (std::clock_t tick : ticks) {
        double elapsed = milliseconds_between(tick, tick);
        EXPECT_EQ(elapsed, 0.0) << "at tick " << tick;
        EXPECT_FALSE(std::signbit(elapsed)) << "at tick " << tick;
    }
}

TEST(STOPWATCH, ReadsOneTickOneTickLater) {
    const double one_tick = 1000.0 / static_cast<double>(ticks_per_second);
    for (std::clock_t tick : ticks) {
        double elapsed = milliseconds_between(tick - 1, tick);
        EXPECT_GT(elapsed, 0.0) << "at tick " << tick;
        EXPECT_NEAR(elapsed, one_tick, one_tick * 1e-3) << "at tick " << tick;
    }
}

TEST(STOPWATCH, ReadsTheNearestMillisecondsFromTickZero) {
    for (const Duration &duration : durations) {
        EXPECT_EQ(milliseconds_between(0, duration.ticks), expected_milliseconds(duration))
            << "after " << duration.ticks << " ticks at " << ticks_per_second << " a second";
    }
}

} // namespace
