// The textbook's other sorts: sorted results reached through goes_before and
// swap alone, the calls their header writes down, and their exact counts.
#include "textbook_sorts/textbook_sorts.h"

#include "sort_calls/calls.h"
#include "sort_calls/formulas.h"
#include "sort_inputs/shapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using adtlab::Call;

const adtlab::SortAlgorithm &bubble = *adtlab::find_sort("bubble");
const adtlab::SortAlgorithm &shell = *adtlab::find_sort("shell");
const adtlab::SortAlgorithm &heap = *adtlab::find_sort("heap");
const adtlab::SortAlgorithm &quick3 = *adtlab::find_sort("quick3");
const adtlab::SortAlgorithm *const sorts[] = {&bubble, &shell, &heap, &quick3};

adtlab::CallCounts counts_of(const adtlab::SortAlgorithm &sort, std::vector<int> values) {
    const std::vector<Call> calls = adtlab::record_calls(sort, values);
    return adtlab::count_calls(calls, calls.size());
}

std::string words(const std::vector<Call> &calls) {
    std::string text;
    for (const Call &call : calls) {
        text += adtlab::call_json(call) + " ";
    }
    return text;
}

// Every input shape at sizes around the gaps and heap levels: the result is
// the input in order; replaying the swaps on the input gives it, so nothing
// else moved a value; each comparison read the values at the positions it
// reported.
TEST(TextbookSorts, SortThroughGoesBeforeAndSwapAlone) {
    for (const adtlab::SortAlgorithm *sort : sorts) {
        for (std::string_view shape : adtlab::input_shapes) {
            for (unsigned int n : {0u, 1u, 2u, 3u, 6u, 14u, 41u, 200u}) {
                const std::vector<int> input = adtlab::make_input(shape, n, 7);
                std::vector<int> values = input;
                const adtlab::Recording recording = adtlab::record_sort(*sort, values);
                SCOPED_TRACE(std::string(sort->name) + " " + std::string(shape) + " " +
                             std::to_string(n));
                ASSERT_EQ(recording.sites.size(), recording.calls.size());
                std::vector<int> replay = input;
                for (std::size_t k = 0; k < recording.calls.size(); ++k) {
                    const Call &call = recording.calls[k];
                    const adtlab::CallSite &site = recording.sites[k];
                    if (call.is_swap()) {
                        std::swap(replay[site.first], replay[site.second]);
                    } else {
                        ASSERT_EQ(replay[site.first], call.first) << "call " << k + 1;
                        ASSERT_EQ(replay[site.second], call.second) << "call " << k + 1;
                    }
                }
                EXPECT_EQ(replay, values);
                for (std::size_t k = 1; k < values.size(); ++k) {
                    ASSERT_TRUE(goes_before(values[k - 1], values[k])) << "position " << k;
                }
                std::vector<int> a = input, b = values;
                std::sort(a.begin(), a.end());
                std::sort(b.begin(), b.end());
                EXPECT_EQ(a, b);
            }
        }
    }
}

struct Calls {
    const adtlab::SortAlgorithm *sort;
    std::vector<int> input;
    std::string calls;
};

class TextbookSortCalls : public ::testing::TestWithParam<Calls> {};

// Small inputs followed by hand through each sort's written order of calls.
TEST_P(TextbookSortCalls, FollowTheirWrittenOrder) {
    std::vector<int> values = GetParam().input;
    EXPECT_EQ(words(adtlab::record_calls(*GetParam().sort, values)), GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(
    Small, TextbookSortCalls,
    ::testing::Values(
        Calls{
            &bubble,
            {3, 1, 2},
            R"(["c", 3, 1, false] ["s", 0, 1] ["c", 3, 2, false] ["s", 1, 2] ["c", 1, 2, true] )"},
        Calls{&heap, {1, 2}, R"(["c", 2, 1, false] ["s", 0, 1] ["s", 0, 1] )"},
        Calls{&heap,
              {3, 1, 2},
              R"(["c", 2, 1, false] ["c", 2, 3, true] ["s", 0, 2] ["c", 1, 2, true] ["s", 0, 1] )"},
        Calls{&quick3,
              {2, 1, 2, 3},
              R"(["c", 1, 2, true] ["c", 2, 1, false] ["s", 0, 1] ["c", 2, 2, true] )"
              R"(["c", 2, 2, true] ["c", 3, 2, false] ["s", 3, 3] )"},
        Calls{&quick3, {5}, ""}));

// The counts that hold exactly: bubble sort's comparisons are n(n-1)/2 and
// its swaps the inversions; quick3 on one value repeated compares twice per
// other value and never swaps; below six values shell sort has only the gap
// 1, which is insertion sort.
TEST(TextbookSorts, MakeTheirExactCounts) {
    for (std::string_view shape : adtlab::input_shapes) {
        for (unsigned int n : {0u, 1u, 5u, 100u}) {
            const std::vector<int> input = adtlab::make_input(shape, n, 3);
            const adtlab::CallCounts counts = counts_of(bubble, input);
            EXPECT_EQ(counts.comparisons, std::uint64_t{n} * (n == 0 ? 0 : n - 1) / 2);
            EXPECT_EQ(counts.swaps, adtlab::count_inversions(input)) << shape << " " << n;
        }
    }
    const adtlab::CallCounts counts = counts_of(quick3, std::vector<int>(50, -7));
    EXPECT_EQ(counts.comparisons, 98u);
    EXPECT_EQ(counts.swaps, 0u);
    for (unsigned int n = 0; n < 6; ++n) {
        std::vector<int> a = adtlab::make_input("random", n, n);
        std::vector<int> b = a;
        EXPECT_EQ(adtlab::record_calls(shell, a),
                  adtlab::record_calls(*adtlab::find_sort("insertion"), b));
    }
}

// Past five values the first gap is 4: the first comparison is of positions
// 0 and 4.
TEST(TextbookSorts, ShellSortStartsAtKnuthsGap) {
    std::vector<int> values = {6, 5, 4, 3, 2, 1, 0};
    const adtlab::Recording recording = adtlab::record_sort(shell, values);
    ASSERT_FALSE(recording.sites.empty());
    EXPECT_EQ(recording.sites[0].first, 0u);
    EXPECT_EQ(recording.sites[0].second, 4u);
}

} // namespace
