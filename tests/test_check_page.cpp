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

// A quick sort as a learner may write it: the right side before the left.
void right_side_first(const char *name, std::vector<int> &a, unsigned int left, unsigned int right,
                      std::vector<Call> &calls) {
    if (left >= right) {
        return;
    }
    const adtlab::Partition p = adtlab::partition_calls(*adtlab::find_sort(name), a, left, right);
    calls.insert(calls.end(), p.calls.begin(), p.calls.end());
    right_side_first(name, a, p.last + 1, right, calls);
    if (p.first > left) {
        right_side_first(name, a, left, p.first - 1, calls);
    }
}

std::vector<Call> right_first(const char *name, std::vector<int> a) {
    std::vector<Call> calls;
    right_side_first(name, a, 0, static_cast<unsigned int>(a.size() - 1), calls);
    return calls;
}

// A learner's run of sort `algorithm` on `input`, as its check saw it:
// matched against the library's calls there.
SortOnPage run(const char *algorithm, const std::vector<int> &input, std::vector<Call> calls,
               bool finished, const std::string &verdict = "", const std::string &ending = "",
               bool cut = false) {
    const adtlab::SortAlgorithm *sort = adtlab::find_sort(algorithm);
    auto mismatch = adtlab::check::match_sort(*sort, input, library_calls(algorithm, input), calls);
    std::vector<std::string> lines;
    if (!verdict.empty()) {
        lines.push_back(verdict);
    }
    return {sort, false, {sort, input, std::move(calls), cut, finished}, ending, mismatch, lines};
}

TEST(CheckPage, FindsTheFirstDifferenceAndShowsBothRuns) {
    const std::vector<int> input = {2, -1, 0, 7, 9, 4, 3};
    const std::vector<Call> insertion = library_calls("insertion", input);
    std::vector<Call> wrong_third = insertion;
    wrong_third[2] = Call::swap(0, 0);
    const std::vector<Call> three = first_calls(insertion, 3);
    const std::string stopped = "x; call 4: expected " + adtlab::call_words(insertion[3]) +
                                "; got no more calls (2 comparisons and 1 swap before it)";
    std::vector<Call> heap_wrong_first = library_calls("heap", input);
    heap_wrong_first[0] = Call::comparison(heap_wrong_first[0].second, heap_wrong_first[0].first,
                                           !heap_wrong_first[0].result);
    // The library sorts quick3's shorter left side first here.
    ASSERT_NE(right_first("quick3", input), library_calls("quick3", input));
    SortOnPage missing = run("insertion", {}, {}, false);
    missing.missing = true;
    struct Case {
        const char *what;
        SortOnPage sort;
        std::optional<unsigned long long> difference;
        std::string sentence_starts, ended;
    };
    const Case cases[] = {
        {"conforms", run("insertion", input, insertion, true), {}, "conforms: on", ""},
        {"quick sort's sides in the other order",
         run("quick", input, right_first("quick", input), true),
         {},
         "conforms",
         ""},
        {"quick3 sort's sides in the other order",
         run("quick3", input, right_first("quick3", input), true),
         {},
         "conforms",
         ""},
        {"a heap sort's first call the other way", run("heap", input, heap_wrong_first, true, "x"),
         1, "x", ""},
        {"a wrong third call", run("insertion", input, wrong_third, true, "x"), 3, "x", ""},
        {"a crash after three calls", run("insertion", input, three, false, "x", "crashed"), 4,
         stopped, "crashed"},
        {"calls cut by the page's bound",
         run("insertion", input, three, false, "x", "", true),
         {},
         "x",
         "did not finish this input; the page keeps its first 1000000 calls"},
        {"missing", missing, {}, "missing", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const std::string name = c.sort.algorithm->name;
        std::vector<int> values = c.sort.seen.input;
        const adtlab::Recording library = adtlab::record_sort(*adtlab::find_sort(name), values);
        const adtlab::player::Group group = adtlab::check::sort_group(c.sort, library);
        ASSERT_EQ(group.first_difference.has_value(), c.difference.has_value());
        EXPECT_EQ(group.first_difference, c.difference);
        EXPECT_EQ(group.sentence.rfind(c.sentence_starts, 0), 0u) << group.sentence;
        if (c.sort.missing) {
            EXPECT_TRUE(group.panels.empty());
            continue;
        }
        ASSERT_EQ(group.panels.size(), 2u);
        EXPECT_EQ(group.panels[0].id, "yours-" + name);
        EXPECT_EQ(group.panels[0].calls, &c.sort.seen.calls);
        EXPECT_EQ(group.panels[0].ended.value_or(""), c.ended);
        EXPECT_EQ(group.panels[1].id, "library-" + name);
        EXPECT_EQ(group.panels[1].calls, &library.calls);
        EXPECT_EQ(group.panels[0].recording, nullptr);
        EXPECT_EQ(group.panels[1].recording, &library);
    }
}

// The page names the input whole, where the text report cuts it at twelve
// values; and a sort whose every result was right is told so.
TEST(CheckPage, ShowsTheFailingInputWhole) {
    const std::vector<int> input = {-41, -47, -13, -38, -44, -20, -41, 19, -1, -33, -26, -29, 5, 7};
    std::vector<Call> calls = library_calls("insertion", input);
    calls[3] = Call::swap(0, 0);
    adtlab::check::CheckResult check;
    check.name = "insertion_sort";
    check.status = adtlab::check::Status::fail;
    check.input = input;
    check.mismatch = adtlab::check::match_sort(*adtlab::find_sort("insertion"), input,
                                               library_calls("insertion", input), calls);
    check.before = adtlab::count_calls(calls, 3);
    check.all_sorted = true;
    check.shown = {adtlab::find_sort("insertion"), input, calls, false, true};
    const SortOnPage sort = adtlab::check::sort_on_page(check);
    std::vector<int> values = input;
    const adtlab::Recording library = adtlab::record_sort(*sort.algorithm, values);
    const std::string sentence = adtlab::check::sort_group(sort, library).sentence;
    EXPECT_EQ(sentence.rfind("on (14 values) -41 -47 -13 -38 -44 -20 -41 19 -1 -33 -26 -29 5 7; "
                             "call 4: expected ",
                             0),
              0u)
        << sentence;
    EXPECT_NE(sentence.find("; it sorts every input correctly, but its calls differ from the "
                            "library's at call 4: on these 14 values, after "),
              std::string::npos)
        << sentence;
}

} // namespace
