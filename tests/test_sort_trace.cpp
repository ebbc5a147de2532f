// sort_trace as a user runs it: the text trace and the JSON of the worked
// examples, and bad input. tests/player_in_browser.sh plays its page.
#include "param_name.h"
#include "process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace {

using adtlab::testing::Outcome;
using adtlab::testing::run_program;
using adtlab::testing::TempFile;

Outcome sort_trace(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), SORT_TRACE);
    return run_program(arguments);
}

TEST(SortTrace, TextTraceOfInsertionSort) {
    Outcome o = sort_trace({"--algorithm", "insertion", "5", "4", "3", "2", "1"});
    ASSERT_TRUE(o.exited(0)) << o.err;
    EXPECT_EQ(o.out, "insertion sort\n"
                     "comparisons  swaps  array\n"
                     "          0      0  5  4  3  2  1\n"
                     "          1      1 [4][5] 3  2  1\n"
                     "          2      2  4 [3][5] 2  1\n"
                     "          3      3 [3][4] 5  2  1\n"
                     "          4      4  3  4 [2][5] 1\n"
                     "          5      5  3 [2][4] 5  1\n"
                     "          6      6 [2][3] 4  5  1\n"
                     "          7      7  2  3  4 [1][5]\n"
                     "          8      8  2  3 [1][4] 5\n"
                     "          9      9  2 [1][3] 4  5\n"
                     "         10     10 [1][2] 3  4  5\n"
                     "         10     10  1  2  3  4  5  total\n"
                     "         10     10  expected: comparisons = inversions + n - 1 - walks "
                     "to the front = 10 + 4 - 4, swaps = inversions = 10\n\n");
}

// The line under the totals, where a formula gives the counts.
TEST(SortTrace, TextTraceEndsWithTheCountsAFormulaGives) {
    struct Case {
        std::vector<std::string> arguments;
        std::string end;
    };
    const Case cases[] = {
        {{"-a", "selection", "3", "-1", "2"},
         "total\n          3      3  expected: comparisons = n(n-1)/2 = 3*2/2, swaps = n = 3\n\n"},
        {{"-a", "insertion", "--", "-5", "5", "0", "-5"},
         "total\n          5      3  expected: comparisons = inversions + n - 1 - walks to the "
         "front = 3 + 3 - 1, swaps = inversions = 3\n\n"},
        {{"-a", "quick", "--", "0", "-1", "1", "-2"},
         "total\n         12      3  expected: comparisons = n(n-1) = 4*3 (distinct values in "
         "order), swaps = n - 1 = 3 (distinct values in order)\n\n"},
        {{"-a", "quick", "--", "0", "-1", "1", "1"}, "-1   1   1  total\n\n"},
        {{"-a", "quick", "5", "4", "3", "2", "1"}, "  1  2  3  4  5  total\n\n"},
        {{"-a", "bubble", "--", "3", "-1", "2"},
         "total\n          3      2  expected: comparisons = n(n-1)/2 = 3*2/2, swaps = "
         "inversions = 2\n\n"},
        {{"-a", "shell", "--", "0", "-1", "1", "-2"},
         "total\n          3      0  expected: comparisons = inversions + n - 1 - walks to the "
         "front = 0 + 3 - 0 (below 6 values, insertion's), swaps = inversions = 0 (below 6 "
         "values, insertion's)\n\n"},
        {{"-a", "quick3", "7", "7", "7"},
         "total\n          4      0  expected: comparisons = 2(n-1) = 2*2 (one value repeated), "
         "swaps = 0 (one value repeated)\n\n"},
        {{"-a", "quick3", "5", "4", "3", "2", "1"}, "  1  2  3  4  5  total\n\n"},
        {{"-a", "heap", "--", "0", "-1", "1", "-2"}, " -2  total\n\n"},
    };
    for (const Case &c : cases) {
        Outcome o = sort_trace(c.arguments);
        ASSERT_TRUE(o.exited(0)) << o.err;
        ASSERT_GE(o.out.size(), c.end.size()) << o.out;
        EXPECT_EQ(o.out.substr(o.out.size() - c.end.size()), c.end) << o.out;
    }
}

TEST(SortTrace, JsonHoldsEveryCallInOrder) {
    Outcome o = sort_trace({"--json", "-a", "selection", "3", "-1", "2"});
    ASSERT_TRUE(o.exited(0)) << o.err;
    // The sites and steps, which test_sort_calls checks, left out.
    EXPECT_NE(o.out.find("]], \"sites\": [["), std::string::npos);
    const std::regex sites_and_steps(", \"sites\": \\[(\\[[^\\]]*\\](, )?)*\\], "
                                     "\"steps\": \\[(\\[[^\\]]*\\](, )?)*\\]");
    const std::string calls = std::regex_replace(o.out, sites_and_steps, "");
    EXPECT_EQ(calls, "{\"input\": [3, -1, 2], \"runs\": [{\"algorithm\": \"selection\", "
                     "\"comparisons\": 3, \"swaps\": 3, \"result\": [-1, 2, 3], \"events\": "
                     "[[\"c\", 3, -1, false], [\"c\", -1, 2, true], [\"s\", 0, 1], "
                     "[\"c\", 3, 2, false], [\"s\", 1, 2], [\"s\", 2, 2]]}]}\n");

    Outcome quick = sort_trace({"--json", "-a", "quick", "5", "4", "3", "2", "1"});
    EXPECT_NE(quick.out.find("\"comparisons\": 14, \"swaps\": 4, \"result\": [1, 2, 3, 4, 5]"),
              std::string::npos)
        << quick.out;
}

// `--` ends the options; negative values are values without it too.
TEST(SortTrace, ValuesAfterTheEndOfTheOptions) {
    Outcome plain = sort_trace({"--json", "3", "-1", "2"});
    Outcome ended = sort_trace({"--json", "--", "3", "-1", "2"});
    ASSERT_TRUE(ended.exited(0)) << ended.err;
    EXPECT_EQ(ended.out, plain.out);
    EXPECT_EQ(ended.out.find("{\"input\": [3, -1, 2], "), 0u);

    Outcome option_as_value = sort_trace({"1", "--", "--json"});
    EXPECT_TRUE(option_as_value.exited(2));
    EXPECT_EQ(option_as_value.err,
              "sort_trace: value '--json' is not a number from -2147483648 to 2147483647\n");
}

// The page draws bars by each value's rank in the library's order, given
// beside the input: equal values share one, and the most negative int goes last.
TEST(SortTrace, PageHoldsTheRankOfEachValue) {
    TempFile page("");
    Outcome o = sort_trace({"--html", page.path(), "-a", "quick", "--", "3", "-1", "2", "0",
                            "-2147483648", "2147483647", "3"});
    ASSERT_TRUE(o.exited(0)) << o.err;
    std::ifstream file(page.path());
    const std::string html((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    EXPECT_NE(html.find("\"input\": [3, -1, 2, 0, -2147483648, 2147483647, 3], "
                        "\"ranks\": [3, 1, 2, 0, 5, 4, 3], \"runs\": [{\"id\": \"quick\", "),
              std::string::npos);
}

// Each run carries what its counts must be where a formula says so, and
// nothing where none does; the source its lines are in, which the page
// holds once, and its words for a range.
TEST(SortTrace, PageHoldsTheCountsAFormulaGivesAndTheSourceOfTheCalls) {
    struct Case {
        std::vector<std::string> arguments;
        std::string runs; // events left out: other tests check them
        std::vector<std::string> sources;
    };
    const Case cases[] = {
        {{"-a", "selection", "-a", "quick", "3", "-1", "2"},
         "{\"id\": \"selection\", \"title\": \"selection sort\", \"algorithm\": \"selection\", "
         "\"events\": \"\", \"source\": \"sorting/sorting.cpp\", \"rangeWords\": \"looking for "
         "the least of\", \"expected\": {\"comparisons\": 3, \"swaps\": 3, "
         "\"comparisons_rule\": \"n(n-1)/2 = 3*2/2\", \"swaps_rule\": \"n = 3\"}}, "
         "{\"id\": \"quick\", \"title\": \"quick sort\", \"algorithm\": \"quick\", "
         "\"events\": \"\", \"source\": \"sorting/sorting.cpp\", \"rangeWords\": "
         "\"partitioning\"}",
         {"sorting/sorting.cpp"}},
        {{"-a", "insertion", "-a", "quick", "--", "-1", "2", "-3"},
         "{\"id\": \"insertion\", \"title\": \"insertion sort\", \"algorithm\": \"insertion\", "
         "\"events\": \"\", \"source\": \"sorting/sorting.cpp\", \"rangeWords\": \"inserting "
         "into\", \"expected\": {\"comparisons\": 2, \"swaps\": 0, "
         "\"comparisons_rule\": \"inversions + n - 1 - walks to the front = 0 + 2 - 0\", "
         "\"swaps_rule\": \"inversions = 0\"}}, "
         "{\"id\": \"quick\", \"title\": \"quick sort\", \"algorithm\": \"quick\", "
         "\"events\": \"\", \"source\": \"sorting/sorting.cpp\", \"rangeWords\": "
         "\"partitioning\", \"expected\": {\"comparisons\": 6, \"swaps\": 2, "
         "\"comparisons_rule\": \"n(n-1) = 3*2 (distinct values in order)\", "
         "\"swaps_rule\": \"n - 1 = 2 (distinct values in order)\"}}",
         {"sorting/sorting.cpp"}},
        {{"-a", "heap", "-a", "bubble", "--", "3", "-1", "2"},
         "{\"id\": \"heap\", \"title\": \"heap sort\", \"algorithm\": \"heap\", "
         "\"events\": \"\", \"source\": \"textbook_sorts/textbook_sorts.cpp\", \"rangeWords\": "
         "\"keeping a heap of\"}, "
         "{\"id\": \"bubble\", \"title\": \"bubble sort\", \"algorithm\": \"bubble\", "
         "\"events\": \"\", \"source\": \"textbook_sorts/textbook_sorts.cpp\", \"rangeWords\": "
         "\"bubbling through\", \"expected\": {\"comparisons\": 3, \"swaps\": 2, "
         "\"comparisons_rule\": \"n(n-1)/2 = 3*2/2\", \"swaps_rule\": \"inversions = 2\"}}",
         {"textbook_sorts/textbook_sorts.cpp"}},
        {{"-a", "quick3", "-a", "selection", "1"},
         "{\"id\": \"quick3\", \"title\": \"quick3 sort\", \"algorithm\": \"quick3\", "
         "\"events\": \"\", \"source\": \"textbook_sorts/textbook_sorts.cpp\", \"rangeWords\": "
         "\"partitioning in three\", \"expected\": {\"comparisons\": 0, \"swaps\": 0, "
         "\"comparisons_rule\": \"2(n-1) = 2*0 (one value repeated)\", \"swaps_rule\": \"0 (one "
         "value repeated)\"}}, "
         "{\"id\": \"selection\", \"title\": \"selection sort\", \"algorithm\": \"selection\", "
         "\"events\": \"\", \"source\": \"sorting/sorting.cpp\", \"rangeWords\": \"looking for "
         "the least of\", \"expected\": {\"comparisons\": 0, \"swaps\": 1, "
         "\"comparisons_rule\": \"n(n-1)/2 = 1*0/2\", \"swaps_rule\": \"n = 1\"}}",
         {"sorting/sorting.cpp", "textbook_sorts/textbook_sorts.cpp"}},
    };
    for (const Case &c : cases) {
        TempFile page("");
        std::vector<std::string> arguments = {"--html", page.path()};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        ASSERT_TRUE(sort_trace(arguments).exited(0));
        std::ifstream file(page.path());
        const std::string html((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
        const std::size_t data = html.find("{\"title\": \"sort_trace\"");
        ASSERT_NE(data, std::string::npos);
        const std::size_t runs = html.find("\"runs\": [", data) + 9;
        const std::string found = std::regex_replace(
            html.substr(runs, html.find("]}]}", runs) - runs),
            std::regex("\"events\": \"[^\"]*\"(, \"lines\": \"[^\"]*\", \"steps\": \"[^\"]*\")?"),
            "\"events\": \"\"");
        EXPECT_EQ(found, c.runs);
        // Each library's source once, between the order and the groups.
        const std::string sources =
            html.substr(html.find("\"sources\": {", data), html.find("\"groups\": [", data) - data);
        for (const char *path : {"sorting/sorting.cpp", "textbook_sorts/textbook_sorts.cpp"}) {
            const bool held =
                std::find(c.sources.begin(), c.sources.end(), path) != c.sources.end();
            std::string member = "\"";
            member += path;
            member += "\": \"#include ";
            EXPECT_EQ(sources.find(member) != std::string::npos, held) << path;
        }
    }
}

struct BadInput {
    const char *what;
    std::vector<std::string> arguments;
};

void PrintTo(const BadInput &bad, std::ostream *os) {
    *os << bad.what;
}

class SortTraceRejects : public ::testing::TestWithParam<BadInput> {};

TEST_P(SortTraceRejects, WithOneLineOnStandardErrorAndStatusTwo) {
    Outcome o = sort_trace(GetParam().arguments);
    EXPECT_TRUE(o.exited(2)) << "status " << o.status << ", signal " << o.signal;
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err.find("sort_trace: "), 0u) << o.err;
    EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, SortTraceRejects,
    ::testing::Values(BadInput{"no values", {}}, BadInput{"a word", {"3", "x"}},
                      BadInput{"unknown option", {"--fast", "1"}},
                      BadInput{"two sources", {"--size", "5", "1", "2"}},
                      BadInput{"too wide for text", {"--size", "31"}},
                      BadInput{"too many values", {"--size", "32768", "--json"}},
                      BadInput{"unknown algorithm", {"-a", "bogo", "1"}},
                      BadInput{"shape without size", {"--shape", "random", "1"}},
                      BadInput{"missing file", {"--file", "/nonexistent/values.txt"}},
                      BadInput{"page that cannot be written",
                               {"--html", "/nonexistent/p.html", "1"}},
                      BadInput{"page past its calls by its formulas",
                               {"--size", "3500", "-a", "selection", "--html", "/dev/null"}},
                      // No formula tells quick sort's calls on these.
                      BadInput{"page past its calls as counted",
                               {"--size", "3500", "-a", "quick", "--shape", "descending", "--html",
                                "/dev/null"}}),
    adtlab::testing::NameFromWhat());

// The refusal names the way out; the page's calls are those of all its sorts.
TEST(SortTrace, PagePastItsCallsNamesTheWayOut) {
    Outcome o = sort_trace({"--size", "2500", "--html", "/dev/null"});
    EXPECT_TRUE(o.exited(2)) << o.err;
    EXPECT_NE(o.err.find("too many for a page (at most 6000000): try one sort with -a, or fewer "
                         "values\n"),
              std::string::npos)
        << o.err;
    EXPECT_TRUE(sort_trace({"--size", "2500", "-a", "quick", "--html", "/dev/null"}).exited(0));
}

#if !defined(__SANITIZE_ADDRESS__) // the sanitizers reserve memory past any limit
TEST(SortTrace, RunningOutOfMemoryIsOneLineAndStatusTwo) {
    if (adtlab::testing::programs_run_emulated()) {
        GTEST_SKIP() << "qemu-user reserves the emulated program's memory beyond the limit";
    }
    adtlab::testing::Start limited;
    limited.data_limit = 256ul << 20;
    Outcome o = run_program({SORT_TRACE, "--size", "32767", "-a", "selection", "--json"}, limited);
    EXPECT_TRUE(o.exited(2)) << "status " << o.status << ", signal " << o.signal << "\n" << o.err;
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "sort_trace: out of memory: try one sort with -a, or fewer values\n");
}
#endif

} // namespace
