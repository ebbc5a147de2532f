#include "ordtally/ordtally.h"
#include "ordtally/ordtally_testing.h"

#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <vector>

namespace {

struct OrderCase {
    int x;
    int y;
    bool before;
};

void PrintTo(const OrderCase &c, std::ostream *os) {
    *os << "(" << c.x << ", " << c.y << ")";
}

class GoesBefore : public ::testing::TestWithParam<OrderCase> {};

TEST_P(GoesBefore, OrdersByMagnitudeThenNegativeFirst) {
    const OrderCase &c = GetParam();
    EXPECT_EQ(goes_before(c.x, c.y), c.before) << c.x << " before " << c.y;
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, GoesBefore,
    ::testing::Values(OrderCase{5, 5, true}, OrderCase{-3, 3, true}, OrderCase{3, -3, false},
                      OrderCase{-2, 3, true}, OrderCase{4, -3, false}, OrderCase{0, -1, true},
                      OrderCase{-1, 0, false}, OrderCase{0, 0, true},
                      OrderCase{INT_MAX, -INT_MAX, false}, OrderCase{-INT_MAX, INT_MAX, true},
                      // The most negative int has magnitude 2^31: after everything else.
                      OrderCase{INT_MIN, INT_MAX, false}, OrderCase{INT_MAX, INT_MIN, true},
                      OrderCase{-INT_MAX, INT_MIN, true}, OrderCase{INT_MIN, -INT_MAX, false},
                      OrderCase{INT_MIN, 0, false}, OrderCase{0, INT_MIN, true},
                      OrderCase{INT_MIN, INT_MIN, true}));

TEST(GoesBefore, CountsOneComparisonWhateverTheResult) {
    reset_comparisons_counter();
    goes_before(1, 2);
    goes_before(2, 1);
    goes_before(INT_MIN, 7);
    EXPECT_EQ(comparisons_number(), 3u);
}

TEST(GoesBefore, IsATotalPreorderOnASampleOfValues) {
    const std::vector<int> values{INT_MIN, -INT_MAX, -70, -3, -1, 0, 1, 3, 70, INT_MAX};
    for (int x : values) {
        for (int y : values) {
            EXPECT_TRUE(goes_before(x, y) || goes_before(y, x)) << x << ", " << y;
            for (int z : values) {
                if (goes_before(x, y) && goes_before(y, z)) {
                    EXPECT_TRUE(goes_before(x, z)) << x << ", " << y << ", " << z;
                }
            }
        }
    }
}

TEST(Swap, ExchangesAndCountsEvenWithItself) {
    int a[] = {7, 8, 9};
    reset_swaps_counter();
    swap(a, 0, 2);
    EXPECT_EQ(a[0], 9);
    EXPECT_EQ(a[2], 7);
    swap(a, 2, 2);
    EXPECT_EQ(a[2], 7);
    EXPECT_EQ(a[1], 8);
    EXPECT_EQ(swaps_number(), 2u);
}

struct SortedCase {
    std::vector<int> values;
    bool sorted;
    unsigned int comparisons;
};

void PrintTo(const SortedCase &c, std::ostream *os) {
    *os << ::testing::PrintToString(c.values);
}

class ArrayIsSorted : public ::testing::TestWithParam<SortedCase> {};

TEST_P(ArrayIsSorted, StopsAtTheFirstPairOutOfOrder) {
    SortedCase c = GetParam();
    reset_comparisons_counter();
    EXPECT_EQ(array_is_sorted(c.values.data(), static_cast<unsigned int>(c.values.size())),
              c.sorted);
    EXPECT_EQ(comparisons_number(), c.comparisons);
}

INSTANTIATE_TEST_SUITE_P(Arrays, ArrayIsSorted,
                         ::testing::Values(SortedCase{{}, true, 0}, SortedCase{{42}, true, 0},
                                           SortedCase{{-3, 3}, true, 1},
                                           SortedCase{{3, -3}, false, 1},
                                           SortedCase{{1, 2, 0, 5}, false, 2},
                                           SortedCase{{0, -1, 1, -1, INT_MIN}, false, 3},
                                           SortedCase{{0, -1, 1, 1, INT_MIN}, true, 4}));

TEST(Counters, AReadAddsOne) {
    reset_comparisons_counter();
    EXPECT_EQ(comparisons_number(), 0u);
    EXPECT_EQ(comparisons_number(), 1u);
    goes_before(1, 1);
    EXPECT_EQ(comparisons_number(), 3u);

    reset_swaps_counter();
    EXPECT_EQ(swaps_number(), 0u);
    EXPECT_EQ(swaps_number(), 1u);
}

TEST(Counters, AreIndependentOfEachOther) {
    int a[] = {1, 2};
    reset_comparisons_counter();
    reset_swaps_counter();
    swap(a, 0, 1);
    swap(a, 0, 1);
    goes_before(1, 2);
    reset_swaps_counter();
    EXPECT_EQ(comparisons_number(), 1u);
    EXPECT_EQ(swaps_number(), 0u);
}

// The whole reads add nothing, so they leave the older reads' answers as
// they were, read before or after them.
TEST(Counters, WholeReadsAddNothing) {
    int a[] = {1, 2};
    reset_comparisons_counter();
    reset_swaps_counter();
    goes_before(1, 2);
    swap(a, 0, 1);
    EXPECT_EQ(comparisons_count(), 1u);
    EXPECT_EQ(comparisons_count(), 1u);
    EXPECT_EQ(swaps_count(), 1u);
    EXPECT_EQ(comparisons_number(), 1u);
    EXPECT_EQ(comparisons_count(), 2u); // the older read added its one
    EXPECT_EQ(swaps_number(), 1u);
    EXPECT_EQ(swaps_count(), 2u);
}

// Around 2^32 the older reads give the low 32 bits, and still add one; the
// whole reads give every bit, and a reset clears them all.
TEST(Counters, PastTwoToTheThirtyTwoTheWholeCountGoesOn) {
    constexpr unsigned long long wrap = 1ull << 32;
    struct Case {
        unsigned long long count;
        unsigned int low_bits;
    };
    const Case cases[] = {
        {wrap - 1, 4294967295u}, {wrap, 0}, {wrap + 65536, 65536}, {5 * wrap + 7, 7}};
    int a[] = {1, 2};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.count);
        set_counts_for_testing(c.count - 1, c.count - 1);
        goes_before(1, 2);
        swap(a, 0, 1);
        EXPECT_EQ(comparisons_count(), c.count);
        EXPECT_EQ(swaps_count(), c.count);
        EXPECT_EQ(comparisons_number(), c.low_bits);
        EXPECT_EQ(swaps_number(), c.low_bits);
        EXPECT_EQ(comparisons_count(), c.count + 1);
        EXPECT_EQ(comparisons_number(), c.low_bits + 1u);
        EXPECT_EQ(swaps_count(), c.count + 1);
    }
    reset_comparisons_counter();
    reset_swaps_counter();
    EXPECT_EQ(comparisons_count(), 0u);
    EXPECT_EQ(swaps_count(), 0u);
}

double clock_ms() {
    return static_cast<double>(std::clock()) * 1000.0 / 1000000.0;
}

void burn_processor_time() {
    volatile unsigned long sink = 0;
    for (unsigned long k = 0; k < 20000000UL; ++k) {
        sink = sink + k;
    }
}

TEST(Stopwatch, MeasuresFromTheStart) {
    set_current_time();
    double elapsed = calculate_elapsed_time();
    EXPECT_GE(elapsed, 0.0);
    EXPECT_LT(elapsed, 50.0);

    set_current_time();
    double before = clock_ms();
    burn_processor_time();
    double after = clock_ms();
    double measured = calculate_elapsed_time();
    EXPECT_GE(measured, after - before);
    EXPECT_GT(measured, 0.0);
}

TEST(Stopwatch, ASecondReadInARowIsNowLessThePreviousDuration) {
    burn_processor_time();
    set_current_time();
    burn_processor_time();
    double duration = calculate_elapsed_time();
    double before = clock_ms();
    double second = calculate_elapsed_time();
    double after = clock_ms();
    EXPECT_GE(second, before - duration);
    EXPECT_LE(second, after - duration);
}

} // namespace
