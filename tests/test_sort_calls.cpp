#include "sort_calls/count_bounds.h"

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

using adtlab::CountRange;
using adtlab::unwrap_count;

constexpr std::uint64_t wrap = std::uint64_t{1} << 32;

TEST(UnwrapCount, KeepsTheOneCandidateInRange) {
    struct Case {
        std::uint32_t counted;
        CountRange range;
        std::optional<std::uint64_t> expected;
    };
    const Case cases[] = {
        {7, {0, 100}, 7},
        {7, {0, wrap + 6}, 7},
        {7, {0, wrap + 7}, std::nullopt}, // 7 and 2^32 + 7
        {7, {8, wrap + 7}, wrap + 7},
        {5, {3 * wrap, 3 * wrap + 10}, 3 * wrap + 5},
        {5, {3 * wrap + 6, 4 * wrap + 4}, std::nullopt}, // none
        {0, {0, 0}, 0},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(unwrap_count(c.counted, c.range), c.expected)
            << c.counted << " in [" << c.range.low << ", " << c.range.high << "]";
    }
}

// The proven bounds hold, and where a counter cannot have wrapped the counts
// are resolved to the library's own, for every sort on many small inputs.
TEST(CountBounds, HoldOnEveryInputAndResolveUnwrappedCounts) {
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
                std::vector<int> values = input;
                reset_comparisons_counter();
                reset_swaps_counter();
                algorithm.sort(values.data(), n);
                const unsigned int comparisons = comparisons_number();
                const unsigned int swaps = swaps_number();
                const CountRange c = adtlab::comparison_bounds(algorithm, n);
                const CountRange s = adtlab::swap_bounds(algorithm, n);
                SCOPED_TRACE(std::string(algorithm.name) + " n=" + std::to_string(n));
                EXPECT_TRUE(c.low <= comparisons && comparisons <= c.high) << comparisons;
                EXPECT_TRUE(s.low <= swaps && swaps <= s.high) << swaps;
                const adtlab::ResolvedCounts resolved =
                    adtlab::resolve_counts(algorithm, n, comparisons, swaps);
                EXPECT_EQ(resolved.comparisons, std::optional<std::uint64_t>(comparisons));
                EXPECT_EQ(resolved.swaps, std::optional<std::uint64_t>(swaps));
            }
        }
    }
}

// Past 2^32 the rule recovers what it can prove and no more.
TEST(ResolveCounts, RecoversWrappedCountsOnlyWhereProven) {
    const adtlab::SortAlgorithm &selection = *adtlab::find_sort("selection");
    const adtlab::SortAlgorithm &insertion = *adtlab::find_sort("insertion");
    const adtlab::SortAlgorithm &quick = *adtlab::find_sort("quick");
    const std::uint64_t n = 100000;
    const std::uint64_t all_pairs = n * (n - 1) / 2; // 4999950000, past 2^32

    auto selection_counts = adtlab::resolve_counts(
        selection, n, static_cast<std::uint32_t>(all_pairs), static_cast<std::uint32_t>(n));
    EXPECT_EQ(selection_counts.comparisons, all_pairs);
    EXPECT_EQ(selection_counts.swaps, n);

    // Insertion sort: a random input's 2.5e9 inversions cannot be 2^32 more,
    // but descending input's n(n-1)/2 could also be that less 2^32.
    auto random = adtlab::resolve_counts(insertion, n, 2500099990U, 2500000000U);
    EXPECT_EQ(random.swaps, 2500000000U);
    EXPECT_EQ(random.comparisons, 2500099990U);
    auto descending = adtlab::resolve_counts(insertion, n, static_cast<std::uint32_t>(all_pairs),
                                             static_cast<std::uint32_t>(all_pairs));
    EXPECT_EQ(descending.swaps, std::nullopt);
    EXPECT_EQ(descending.comparisons, std::nullopt);

    // Quick sort of 65537 values in order: n(n-1) comparisons wrap, and the
    // bound n(n-1) leaves two candidates; its n-1 swaps cannot wrap.
    const std::uint64_t m = 65537;
    auto ordered = adtlab::resolve_counts(quick, m, static_cast<std::uint32_t>(m * (m - 1)),
                                          static_cast<std::uint32_t>(m - 1));
    EXPECT_EQ(ordered.comparisons, std::nullopt);
    EXPECT_EQ(ordered.swaps, m - 1);
}

#ifdef SORT_CALLS_WRAP_TEST
// The real thing, in the optimised build only: selection sort of 92683 values
// passes the 32-bit counter, and the bounds alone give what an observer counts.
TEST(ResolveCounts, GiveAWrappedSelectionCountWithoutCountingAgain) {
    struct Counted {
        std::uint64_t comparisons = 0;
        std::uint64_t swaps = 0;
    } counted;
    const order_observer observer = {
        [](int, int, bool, void *user) { ++static_cast<Counted *>(user)->comparisons; },
        [](const int *, unsigned int, unsigned int, void *user) {
            ++static_cast<Counted *>(user)->swaps;
        },
        &counted};
    const unsigned int n = 92683;
    std::vector<int> values(n);
    std::mt19937 generator(3); // NOLINT(cert-msc32-c,cert-msc51-cpp)
    std::generate(values.begin(), values.end(), [&] { return static_cast<int>(generator()); });
    reset_comparisons_counter();
    reset_swaps_counter();
    watch_order(&observer);
    selection_sort(values.data(), n);
    watch_order(nullptr);
    const adtlab::ResolvedCounts resolved = adtlab::resolve_counts(
        *adtlab::find_sort("selection"), n, comparisons_number(), swaps_number());
    ASSERT_GT(counted.comparisons, UINT32_MAX);
    EXPECT_EQ(resolved.comparisons, counted.comparisons);
    EXPECT_EQ(resolved.swaps, counted.swaps);
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
    const adtlab::Partition partition = adtlab::partition_calls(a, p.left, p.right);
    EXPECT_EQ(partition.calls, p.calls);
    EXPECT_EQ(partition.pivot, p.pivot);
    EXPECT_EQ(a, p.after);
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
