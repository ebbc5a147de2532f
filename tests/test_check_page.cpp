// The page of a learner's sorts: where its calls first differ from the
// library's, and what each group shows, from calls made up here.
#include "check_page.h"

#include <gtest/gtest.h>

namespace {

using adtlab::Call;
using adtlab::check::SortOnPage;

std::vector<Call> library_calls(const char *name, std::vector<int> values) {
    return adtlab::record_calls(*adtlab::find_sort(name), values);
}

std::vector<Call> first_calls(std::vector<Call> calls, std::size_t n) {
    calls.resize(n);
    return calls;
}

// Quick sort as a learner may write it: the right side before the left.
void right_side_first(std::vector<int> &a, unsigned int left, unsigned int right,
                      std::vector<Call> &calls) {
    if (left >= right) {
        return;
    }
    const adtlab::Partition p = adtlab::partition_calls(a, left, right);
    calls.insert(calls.end(), p.calls.begin(), p.calls.end());
    right_side_first(a, p.pivot + 1, right, calls);
    if (p.pivot > left) {
        right_side_first(a, left, p.pivot - 1, calls);
    }
}

std::vector<Call> right_first(std::vector<int> a) {
    std::vector<Call> calls;
    right_side_first(a, 0, static_cast<unsigned int>(a.size() - 1), calls);
    return calls;
}

TEST(CheckPage, FindsTheFirstDifferenceAndShowsBothRuns) {
    const std::vector<int> input = {2, -1, 0, 7, 9, 4, 3};
    const std::vector<Call> insertion = library_calls("insertion", input);
    std::vector<Call> wrong_third = insertion;
    wrong_third[2] = Call::swap(0, 0);
    struct Case {
        const char *what;
        const char *algorithm;
        std::vector<Call> calls;
        bool finished, cut, missing;
        std::string verdict, ending;
        std::optional<unsigned long long> difference;
        std::vector<std::string> panels;
        std::string sentence_starts, ended;
    };
    const std::vector<std::string> both = {"yours-insertion", "library-insertion"};
    const Case cases[] = {
        {"conforms",
         "insertion",
         insertion,
         true,
         false,
         false,
         "",
         "",
         {},
         both,
         "conforms: on",
         ""},
        {"quick sort's sides in the other order",
         "quick",
         right_first(input),
         true,
         false,
         false,
         "",
         "",
         {},
         {"yours-quick", "library-quick"},
         "conforms",
         ""},
        {"a wrong third call", "insertion", wrong_third, true, false, false, "x", "", 3, both, "x",
         ""},
        {"a crash after three calls", "insertion", first_calls(insertion, 3), false, false, false,
         "x", "crashed", 4, both,
         "x; call 4: expected " + adtlab::call_words(insertion[3]) +
             "; got no more calls (2 comparisons and 1 swap before it)",
         "crashed"},
        {"calls cut by the page's bound",
         "insertion",
         first_calls(insertion, 3),
         false,
         true,
         false,
         "x",
         "",
         {},
         both,
         "x",
         "did not finish this input; the page keeps its first 1000000 calls"},
        {"missing", "insertion", {}, false, false, true, "", "", {}, {}, "missing", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        SortOnPage sort{adtlab::find_sort(c.algorithm),
                        c.missing,
                        {input, c.calls, c.cut, c.finished},
                        c.ending,
                        c.verdict};
        const std::vector<Call> library = library_calls(c.algorithm, input);
        const adtlab::player::Group group = adtlab::check::sort_group(sort, library);
        EXPECT_EQ(group.first_difference, c.difference);
        EXPECT_EQ(group.sentence.rfind(c.sentence_starts, 0), 0u) << group.sentence;
        std::vector<std::string> ids;
        for (const auto &panel : group.panels) {
            ids.push_back(panel.id);
        }
        ASSERT_EQ(ids, c.panels);
        if (!ids.empty()) {
            EXPECT_EQ(group.panels.back().calls, &library);
            EXPECT_EQ(group.panels.front().ended.value_or(""), c.ended);
        }
    }
}

} // namespace
