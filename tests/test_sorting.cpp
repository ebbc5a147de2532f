#include "print_call.h"
#include "sort_calls/calls.h"
#include "sorting/sorting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <pthread.h>
#include <random>
#include <string>
#include <vector>

namespace {

using adtlab::Call;
using adtlab::sort_algorithms;
using adtlab::SortAlgorithm;

using Values = std::vector<int>;
using Sort = void (*)(int[], unsigned int);

// The sorting order, strictly: the library's own (test_ordtally pins it), so
// that no second copy of it can drift. It counts comparisons: use it only
// outside a measurement.
bool strictly_before(int x, int y) {
    return !goes_before(y, x);
}

Values reference_sorted(Values v) {
    std::stable_sort(v.begin(), v.end(), strictly_before);
    return v;
}

struct Counts {
    unsigned int comparisons;
    unsigned int swaps;
};

// Sorts v in place as a driver does, and returns the two counts.
Counts measure(Sort sort, Values &v) {
    reset_comparisons_counter();
    reset_swaps_counter();
    sort(v.data(), static_cast<unsigned int>(v.size()));
    unsigned int comparisons = comparisons_number();
    unsigned int swaps = swaps_number();
    return {comparisons, swaps};
}

unsigned int size_of(const Values &v) {
    return static_cast<unsigned int>(v.size());
}

struct Example {
    const char *algorithm;
    Values input;
    Values sorted;
    unsigned int comparisons;
    unsigned int swaps;
};

void PrintTo(const Example &e, std::ostream *os) {
    *os << e.algorithm << " sort of " << ::testing::PrintToString(e.input);
}

class WorkedExample : public ::testing::TestWithParam<Example> {};

TEST_P(WorkedExample, GivesTheResultAndTheCounts) {
    Example e = GetParam();
    Counts counts = measure(adtlab::find_sort(e.algorithm)->sort, e.input);
    EXPECT_EQ(e.input, e.sorted);
    EXPECT_EQ(counts.comparisons, e.comparisons);
    EXPECT_EQ(counts.swaps, e.swaps);
}

INSTANTIATE_TEST_SUITE_P(
    Sorts, WorkedExample,
    ::testing::Values(
        Example{"selection", {}, {}, 0, 0}, Example{"insertion", {}, {}, 0, 0},
        Example{"quick", {}, {}, 0, 0}, Example{"selection", {9}, {9}, 0, 1},
        Example{"insertion", {9}, {9}, 0, 0}, Example{"quick", {9}, {9}, 0, 0},
        Example{"selection", {3, -1, 2}, {-1, 2, 3}, 3, 3},
        Example{"insertion", {2, -2}, {-2, 2}, 1, 1}, Example{"insertion", {-2, 2}, {-2, 2}, 1, 0},
        Example{"quick", {1, 2, 3}, {1, 2, 3}, 6, 2},
        Example{"quick", {5, 4, 3, 2, 1}, {1, 2, 3, 4, 5}, 14, 4},
        Example{"selection", {5, 4, 3, 2, 1}, {1, 2, 3, 4, 5}, 10, 5},
        Example{"insertion", {5, 4, 3, 2, 1}, {1, 2, 3, 4, 5}, 10, 10},
        Example{"selection", {-5, 5, 0, -5}, {0, -5, -5, 5}, 6, 4},
        Example{"insertion", {-5, 5, 0, -5}, {0, -5, -5, 5}, 5, 3},
        Example{"quick", {-5, 5, 0, -5}, {0, -5, -5, 5}, 5, 3},
        Example{"quick", {INT_MIN, INT_MAX, 0, -INT_MAX}, {0, -INT_MAX, INT_MAX, INT_MIN}, 5, 3}));

// Number of pairs i < j with v[j] strictly before v[i].
unsigned int inversions(const Values &v) {
    unsigned int count = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        for (std::size_t j = i + 1; j < v.size(); ++j) {
            count += strictly_before(v[j], v[i]) ? 1 : 0;
        }
    }
    return count;
}

// Number of elements, past the first, that some earlier element goes before:
// their walk down in insertion sort ends on a comparison rather than at 0.
unsigned int walks_stopped_by_a_comparison(const Values &v) {
    unsigned int count = 0;
    for (std::size_t i = 1; i < v.size(); ++i) {
        bool first_so_far =
            std::all_of(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(i),
                        [&](int earlier) { return strictly_before(v[i], earlier); });
        count += first_so_far ? 0 : 1;
    }
    return count;
}

// Random inputs of many sizes, over a narrow range (many equal values and
// equal magnitudes) and over the whole int range with its extremes mixed in.
std::vector<Values> random_inputs() {
    std::mt19937 generator(20261209);
    std::vector<Values> inputs;
    for (unsigned int n = 0; n <= 64; ++n) {
        Values narrow(n), wide(n);
        for (unsigned int k = 0; k < n; ++k) {
            narrow[k] = static_cast<int>(generator() % 9) - 4;
            wide[k] = static_cast<int>(generator());
        }
        if (n >= 3) {
            wide[0] = INT_MIN;
            wide[n / 2] = INT_MAX;
            wide[n - 1] = -INT_MAX;
        }
        inputs.push_back(narrow);
        inputs.push_back(wide);
    }
    return inputs;
}

TEST(Sorts, AgreeWithAStableSortUnderTheSameOrder) {
    for (const Values &input : random_inputs()) {
        Values expected = reference_sorted(input);
        for (const SortAlgorithm &a : sort_algorithms) {
            Values v = input;
            a.sort(v.data(), size_of(v));
            EXPECT_EQ(v, expected) << a.name << " on " << input.size() << " values";
        }
    }
}

TEST(SelectionSort, MakesAllComparisonsAndOneSwapPerPosition) {
    for (const Values &input : random_inputs()) {
        Values v = input;
        Counts counts = measure(selection_sort, v);
        unsigned int n = size_of(v);
        EXPECT_EQ(counts.comparisons, n * (n == 0 ? 0 : n - 1) / 2);
        EXPECT_EQ(counts.swaps, n);
    }
}

TEST(InsertionSort, SwapsOncePerInversionAndComparesOnceMorePerStoppedWalk) {
    for (const Values &input : random_inputs()) {
        Values v = input;
        Counts counts = measure(insertion_sort, v);
        EXPECT_EQ(counts.swaps, inversions(input));
        EXPECT_EQ(counts.comparisons, counts.swaps + walks_stopped_by_a_comparison(input));
    }
}

// On distinct values in order, each partition of m elements walks j down
// from the right end with two comparisons a step and ends on a self-swap:
// n(n-1) comparisons and n-1 swaps in all.
Counts quick_sort_in_order(unsigned int n) {
    Values v(n);
    std::iota(v.begin(), v.end(), 0);
    Counts counts = measure(quick_sort, v);
    EXPECT_TRUE(std::is_sorted(v.begin(), v.end()));
    return counts;
}

TEST(QuickSort, IsQuadraticOnInputInOrder) {
    for (unsigned int n : {2u, 3u, 10u, 100u}) {
        Counts counts = quick_sort_in_order(n);
        EXPECT_EQ(counts.comparisons, n * (n - 1));
        EXPECT_EQ(counts.swaps, n - 1);
    }
}

TEST(QuickSort, SortsTwentyThousandValuesInOrderOnASmallStack) {
    constexpr unsigned int n = 20000;
    static Counts counts;
    pthread_attr_t attributes;
    ASSERT_EQ(pthread_attr_init(&attributes), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, 256 * 1024), 0);
    pthread_t thread;
    auto body = [](void *) -> void * {
        counts = quick_sort_in_order(n);
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, body, nullptr), 0);
    ASSERT_EQ(pthread_join(thread, nullptr), 0);
    pthread_attr_destroy(&attributes);
    EXPECT_EQ(counts.comparisons, n * (n - 1));
    EXPECT_EQ(counts.swaps, n - 1);
}

// What an observer sees of the swaps: the positions, the two values there
// once exchanged, and whether the sorts were watched at every call.
struct SwapsSeen {
    struct Swap {
        unsigned int i;
        unsigned int j;
        int at_i;
        int at_j;
    };
    std::vector<Swap> swaps;
    bool watched = true;

    static void on_swap(const int a[], unsigned int i, unsigned int j, void *user) {
        auto &seen = *static_cast<SwapsSeen *>(user);
        seen.swaps.push_back({i, j, a[i], a[j]});
        seen.watched = seen.watched && order_watched();
    }
};

TEST(Observer, SeesEachSwapOnTheExchangedArrayUntilStopped) {
    const Values input = {5, -4, 3, -2, 1, 0, -5, 4};
    for (const SortAlgorithm &algorithm : sort_algorithms) {
        SwapsSeen seen;
        const order_observer observer = {nullptr, SwapsSeen::on_swap, &seen};
        Values values = input;
        watch_order(&observer);
        algorithm.sort(values.data(), size_of(values));
        watch_order(nullptr);
        EXPECT_FALSE(order_watched());
        ASSERT_FALSE(seen.swaps.empty()) << algorithm.name;
        EXPECT_TRUE(seen.watched) << algorithm.name;
        Values replayed = input;
        for (const SwapsSeen::Swap &swap : seen.swaps) {
            std::swap(replayed[swap.i], replayed[swap.j]);
            EXPECT_EQ(swap.at_i, replayed[swap.i]) << algorithm.name;
            EXPECT_EQ(swap.at_j, replayed[swap.j]) << algorithm.name;
        }
        EXPECT_EQ(replayed, values) << algorithm.name;

        const std::size_t swaps = seen.swaps.size();
        values = input;
        algorithm.sort(values.data(), size_of(values));
        EXPECT_EQ(seen.swaps.size(), swaps) << algorithm.name << " seen after watch_order(NULL)";
    }
}

struct Watched {
    const char *what;
    const char *sort;
    Values input;
    std::vector<Call> calls;
};

void PrintTo(const Watched &w, std::ostream *os) {
    *os << w.what;
}

class Watching : public ::testing::TestWithParam<Watched> {};

// The observer sees the calls that the sorts' definitions give, in order,
// and the counters count them as when unwatched.
TEST_P(Watching, SeesEveryCallInOrder) {
    const Watched &w = GetParam();
    Values values = w.input;
    reset_comparisons_counter();
    reset_swaps_counter();
    const std::vector<Call> calls = adtlab::record_calls(*adtlab::find_sort(w.sort), values);
    unsigned int comparisons = comparisons_number();
    unsigned int swaps = swaps_number();
    EXPECT_EQ(calls, w.calls);
    const adtlab::CallCounts counted = adtlab::count_calls(calls, calls.size());
    EXPECT_EQ(comparisons, counted.comparisons);
    EXPECT_EQ(swaps, counted.swaps);
    EXPECT_EQ(values, reference_sorted(w.input));
}

Call c(int x, int y, bool result) {
    return Call::comparison(x, y, result);
}

Call s(unsigned int i, unsigned int j) {
    return Call::swap(i, j);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, Watching,
    ::testing::Values(Watched{"selection 3 -1 2",
                              "selection",
                              {3, -1, 2},
                              {c(3, -1, false), c(-1, 2, true), s(0, 1), c(3, 2, false), s(1, 2),
                               s(2, 2)}},
                      Watched{"insertion 2 -2", "insertion", {2, -2}, {c(2, -2, false), s(0, 1)}},
                      Watched{"insertion -2 2", "insertion", {-2, 2}, {c(-2, 2, true)}},
                      Watched{"quick 1 2 3",
                              "quick",
                              {1, 2, 3},
                              {c(2, 1, false), c(1, 3, true), c(2, 1, false), c(1, 2, true),
                               s(0, 0), c(3, 2, false), c(2, 3, true), s(1, 1)}},
                      Watched{"length 1", "selection", {7}, {s(0, 0)}}));

} // namespace
