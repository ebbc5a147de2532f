#include "param_name.h"
#include "print_call.h"
#include "sort_calls/calls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

// What an observer of the library counts, in 64 bits.
struct Counted {
    std::uint64_t comparisons = 0;
    std::uint64_t swaps = 0;
};

const order_observer counting = {
    [](int, int, bool, void *user) { ++static_cast<Counted *>(user)->comparisons; },
    [](const int *, unsigned int, unsigned int, void *user) {
        ++static_cast<Counted *>(user)->swaps;
    },
    nullptr};

// The library's whole counts of a watched sort, beside its observer's.
void expect_counts_as_observed(const adtlab::SortAlgorithm &algorithm, std::vector<int> values) {
    Counted counted;
    order_observer observer = counting;
    observer.user = &counted;
    reset_comparisons_counter();
    reset_swaps_counter();
    watch_order(&observer);
    algorithm.sort(values.data(), static_cast<unsigned int>(values.size()));
    watch_order(nullptr);
    EXPECT_EQ(comparisons_count(), counted.comparisons);
    EXPECT_EQ(swaps_count(), counted.swaps);
}

// Every comparison and swap is counted once, by every sort on many small
// inputs: equal values, distinct ones, in order; and no sort makes more
// calls than its bound in the table says.
TEST(WholeCounts, AreWhatAnObserverCounts) {
    std::mt19937 generator(7); // NOLINT(cert-msc32-c,cert-msc51-cpp)
    for (unsigned int n = 0; n <= 40; ++n) {
        for (int round = 0; round < 20; ++round) {
            std::vector<int> input(n);
            for (int &v : input) {
                v = static_cast<int>(generator() % (round % 2 == 0 ? 7 : 1000)) - 3;
            }
            if (round == 1) {
                std::sort(input.begin(), input.end());
            }
            for (const adtlab::SortAlgorithm &algorithm : adtlab::sort_algorithms) {
                SCOPED_TRACE(std::string(algorithm.name) + " n=" + std::to_string(n));
                expect_counts_as_observed(algorithm, input);
                // The forecast's bound holds.
                EXPECT_LE(comparisons_count() + swaps_count(), algorithm.most_calls(n));
            }
        }
    }
}

#ifdef SORT_CALLS_WRAP_TEST
// The real thing, in the optimised build only: selection sort of 92683 values
// makes more comparisons than 2^32 - 1, and the whole count goes on.
TEST(WholeCounts, GoOnPastTheThirtyTwoBitCounter) {
    const unsigned int n = 92683;
    std::vector<int> values(n);
    std::mt19937 generator(3); // NOLINT(cert-msc32-c,cert-msc51-cpp)
    std::generate(values.begin(), values.end(), [&] { return static_cast<int>(generator()); });
    expect_counts_as_observed(*adtlab::find_sort("selection"), values);
    EXPECT_GT(comparisons_count(), UINT32_MAX);
}
#endif

using adtlab::Call;
using Values = std::vector<int>;

Call c(int x, int y, bool result) {
    return Call::comparison(x, y, result);
}

Call s(unsigned int i, unsigned int j) {
    return Call::swap(i, j);
}

// One partition of a[left..right] as the library's quick sort makes it,
// worked by hand: the pivot is a[left], and only a[left..right] moves.
struct Partitioned {
    const char *what;
    Values a;
    unsigned int left;
    unsigned int right;
    std::vector<Call> calls;
    unsigned int pivot;
    Values after;
};

void PrintTo(const Partitioned &p, std::ostream *os) {
    *os << p.what;
}

class PartitionCalls : public ::testing::TestWithParam<Partitioned> {};

TEST_P(PartitionCalls, AreTheLibrarysFirstPartition) {
    const Partitioned &p = GetParam();
    Values a = p.a;
    const adtlab::Partition partition =
        adtlab::partition_calls(*adtlab::find_sort("quick"), a, p.left, p.right);
    EXPECT_EQ(partition.calls, p.calls);
    EXPECT_EQ(partition.first, p.pivot);
    EXPECT_EQ(partition.last, p.pivot);
    EXPECT_EQ(a, p.after);
}

// A three-way partition ends with the pivot's equals placed together.
TEST(PartitionCalls, OfTheThreeWayQuickSortPlaceThePivotsEquals) {
    Values a = {7, 2, 3, 2, 1};
    const adtlab::Partition partition =
        adtlab::partition_calls(*adtlab::find_sort("quick3"), a, 1, 4);
    const std::vector<adtlab::Call> calls = {c(3, 2, false), s(2, 4), c(1, 2, true),
                                             c(2, 1, false), s(1, 2), c(2, 2, true),
                                             c(2, 2, true)};
    EXPECT_EQ(partition.calls, calls);
    EXPECT_EQ(partition.first, 2U);
    EXPECT_EQ(partition.last, 3U);
    EXPECT_EQ(a, (Values{7, 1, 2, 2, 3}));
}

INSTANTIATE_TEST_SUITE_P(Ranges, PartitionCalls,
                         ::testing::Values(Partitioned{"whole array, pivot last",
                                                       {3, -1, 2},
                                                       0,
                                                       2,
                                                       {c(-1, 3, true), c(2, 3, true), s(2, 0)},
                                                       2,
                                                       {2, -1, 3}},
                                           Partitioned{"middle range with two exchanges",
                                                       {9, 4, -6, 5, 1, -4, 8},
                                                       1,
                                                       5,
                                                       {c(-6, 4, false), c(4, -4, false), s(2, 5),
                                                        c(5, 4, false), c(4, 1, false), s(3, 4),
                                                        s(3, 1)},
                                                       3,
                                                       {9, 1, -4, 4, 5, -6, 8}},
                                           Partitioned{"equal values",
                                                       {0, 7, 7, 7},
                                                       1,
                                                       3,
                                                       {c(7, 7, true), c(7, 7, true), s(3, 1)},
                                                       3,
                                                       {0, 7, 7, 7}},
                                           Partitioned{"last two in order, pivot stays",
                                                       {5, -1, 1, 2},
                                                       2,
                                                       3,
                                                       {c(2, 1, false), c(1, 2, true), s(2, 2)},
                                                       2,
                                                       {5, -1, 1, 2}}),
                         adtlab::testing::NameFromWhat());

// Lines of sort_trace's JSON events: those that call_json writes are read
// back as the same call; any other text is refused.
struct CallLine {
    std::string line;
    std::optional<Call> call;
};

TEST(CallJson, ReadsBackWhatItWritesAndRefusesTheRest) {
    const CallLine lines[] = {
        {R"(["c", 3, -1, false])", c(3, -1, false)},
        {R"(["c", -2147483648, 2147483647, true])", c(INT_MIN, INT_MAX, true)},
        {R"(["s", 0, 1])", s(0, 1)},
        {R"(["s", 4294967295, 7])", s(UINT_MAX, 7)},
        {"", std::nullopt},
        {"c 3 -1 0", std::nullopt},
        {R"(["c", 3, -1, 0])", std::nullopt},
        {R"(["c", 3, -1, False])", std::nullopt},
        {R"(["c", 3, -1, falsey])", std::nullopt},
        {R"(["c", 3, -1])", std::nullopt},
        {R"(["c",3,-1,false])", std::nullopt},
        {R"(["c", 3, -1, false] )", std::nullopt},
        {R"(["c", 3, -1, false]])", std::nullopt},
        {R"(["c", 03, -1, false])", std::nullopt},
        {R"(["c", 2147483648, 0, false])", std::nullopt},
        {R"(["s", -1, 2])", std::nullopt},
        {R"(["s", 0, 1, true])", std::nullopt},
        {R"(["x", 0, 1])", std::nullopt},
    };
    for (const CallLine &l : lines) {
        EXPECT_EQ(adtlab::parse_call_json(l.line), l.call) << l.line;
        if (l.call) {
            EXPECT_EQ(adtlab::call_json(*l.call), l.line);
        }
    }
}

// The lines of the sorts' own source.
std::vector<std::string> sorting_lines() {
    std::ifstream file(SORTING_SOURCE);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool says(const std::vector<std::string> &lines, unsigned int line, std::string_view text) {
    return line >= 1 && line <= lines.size() && lines[line - 1].find(text) != std::string::npos;
}

// What each sort reports of {5, -1, 3}, worked by hand: its steps, each
// after the calls made before it; every call's site names the call's own
// positions on the line that makes it, and every step comes from a line
// that reports that kind.
TEST(RecordSort, ReportsEachStepAndTheSiteOfEachCall) {
    using S = std::tuple<order_step_kind, unsigned int, unsigned int, std::size_t>;
    struct Case {
        const char *sort;
        std::vector<S> steps;
    };
    const Case cases[] = {
        {"selection",
         {{ORDER_STEP_RANGE, 0, 2, 0},
          {ORDER_STEP_MINIMUM, 0, 0, 0},
          {ORDER_STEP_MINIMUM, 1, 1, 1},
          {ORDER_STEP_PLACED, 0, 0, 3},
          {ORDER_STEP_RANGE, 1, 2, 3},
          {ORDER_STEP_MINIMUM, 1, 1, 3},
          {ORDER_STEP_MINIMUM, 2, 2, 4},
          {ORDER_STEP_PLACED, 1, 1, 5},
          {ORDER_STEP_RANGE, 2, 2, 5},
          {ORDER_STEP_MINIMUM, 2, 2, 5},
          {ORDER_STEP_PLACED, 2, 2, 6}}},
        {"insertion",
         {{ORDER_STEP_SORTED, 0, 0, 0},
          {ORDER_STEP_RANGE, 0, 1, 0},
          {ORDER_STEP_KEY, 1, 1, 0},
          {ORDER_STEP_KEY, 0, 0, 2},
          {ORDER_STEP_SORTED, 0, 1, 2},
          {ORDER_STEP_RANGE, 0, 2, 2},
          {ORDER_STEP_KEY, 2, 2, 2},
          {ORDER_STEP_KEY, 1, 1, 4},
          {ORDER_STEP_SORTED, 0, 2, 5},
          {ORDER_STEP_PLACED, 0, 2, 5}}},
        {"quick",
         {{ORDER_STEP_RANGE, 0, 2, 0},
          {ORDER_STEP_PIVOT, 0, 0, 0},
          {ORDER_STEP_PLACED, 2, 2, 3},
          {ORDER_STEP_RANGE, 0, 1, 3},
          {ORDER_STEP_PIVOT, 0, 0, 3},
          {ORDER_STEP_PLACED, 1, 1, 5},
          {ORDER_STEP_PLACED, 0, 0, 5}}},
    };
    const std::vector<std::string> lines = sorting_lines();
    ASSERT_GT(lines.size(), 50u);
    for (const Case &c : cases) {
        std::vector<int> values = {5, -1, 3};
        const std::vector<int> input = values;
        const adtlab::Recording r = adtlab::record_sort(*adtlab::find_sort(c.sort), values);
        std::vector<S> steps;
        for (const adtlab::Step &step : r.steps) {
            steps.emplace_back(step.kind, step.first, step.last, step.calls);
            const std::string kind = adtlab::step_name(step.kind);
            EXPECT_TRUE(says(lines, step.line, "step<watched>(ORDER_STEP_"))
                << c.sort << " " << kind;
        }
        EXPECT_EQ(steps, c.steps) << c.sort;
        ASSERT_EQ(r.sites.size(), r.calls.size()) << c.sort;
        std::vector<int> a = input;
        for (std::size_t k = 0; k < r.calls.size(); ++k) {
            const adtlab::Call &call = r.calls[k];
            const adtlab::CallSite &site = r.sites[k];
            EXPECT_TRUE(
                says(lines, site.line, call.is_swap() ? "exchange<watched>(" : "before<watched>("))
                << c.sort << " call " << k + 1;
            if (call.is_swap()) {
                EXPECT_EQ(std::make_pair(site.first, site.second),
                          std::make_pair(unsigned(call.first), unsigned(call.second)));
                std::swap(a[site.first], a[site.second]);
            } else {
                EXPECT_EQ(std::make_pair(a[site.first], a[site.second]),
                          std::make_pair(call.first, call.second))
                    << c.sort << " call " << k + 1;
            }
        }
        // Watching steps changes nothing of the calls.
        std::vector<int> again = input;
        EXPECT_EQ(adtlab::record_calls(*adtlab::find_sort(c.sort), again), r.calls);
    }
}

} // namespace
