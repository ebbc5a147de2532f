#include "sorting/sorting.h"

#include "param_name.h"
#include "process.h"
#include "sort_calls/calls.h"
#include "sort_inputs/shapes.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using adtlab::testing::lines_of;
using adtlab::testing::Outcome;
using adtlab::testing::run_program;
using adtlab::testing::Start;
using adtlab::testing::TempFile;

Outcome compare_sorts(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), COMPARE_SORTS);
    return run_program(arguments);
}

// The fields of a CSV row.
std::vector<std::string> fields_of(const std::string &row) {
    std::vector<std::string> fields;
    std::istringstream stream(row);
    for (std::string field; std::getline(stream, field, ',');) {
        fields.push_back(field);
    }
    return fields;
}

// The CSV rows without the time column, which varies from run to run.
std::vector<std::string> counts_of(const std::string &csv) {
    std::vector<std::string> rows;
    for (const std::string &line : lines_of(csv)) {
        std::vector<std::string> f = fields_of(line);
        rows.push_back(f[0] + "," + f[1] + "," + f[2] + "," + f[3] + "," + f[4] + "," + f[6] + "," +
                       f[7]);
    }
    return rows;
}

std::vector<std::string> operator+(std::vector<std::string> arguments, const std::string &more) {
    arguments.push_back(more);
    return arguments;
}

// The same size, shape and seed make the same values in both programs, so
// every sort makes the same calls: the table and the trace agree.
TEST(CompareSorts, SameInputAndCountsAsSortTrace) {
    const std::vector<std::string> input = {"--size", "200", "--shape", "random", "--seed", "5"};
    Outcome printed = compare_sorts(input + "--print-input");
    Outcome csv = compare_sorts(input + "--csv");
    std::vector<std::string> trace_command = input + "--json";
    trace_command.insert(trace_command.begin(), SORT_TRACE);
    Outcome json = run_program(trace_command);
    ASSERT_TRUE(printed.exited(0) && csv.exited(0) && json.exited(0)) << csv.err << json.err;

    std::istringstream printed_values(printed.out);
    std::string values;
    int count = 0;
    for (int value; printed_values >> value; ++count) {
        values.append(count == 0 ? "" : ", ").append(std::to_string(value));
    }
    EXPECT_EQ(count, 200);
    EXPECT_EQ(json.out.find("{\"input\": [" + values + "], \"runs\": "), 0u) << values;

    std::vector<std::string> rows = lines_of(csv.out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(counts_of(csv.out)[2], "random,200,insertion,10010,9816,yes,no");
    for (std::size_t k = 1; k < rows.size(); ++k) {
        std::vector<std::string> f = fields_of(rows[k]);
        const std::string run = "{\"algorithm\": \"" + f[2] + "\", \"comparisons\": " + f[3] +
                                ", \"swaps\": " + f[4] + ", ";
        EXPECT_NE(json.out.find(run), std::string::npos) << run;
    }
}

std::string joined(const std::vector<std::string> &parts) {
    std::string text;
    for (const std::string &part : parts) {
        text += (text.empty() ? "" : ", ") + part;
    }
    return text;
}

// A sort of `values` as the library records its calls: sort_trace's run, up
// to its sites, and compare_sorts' CSV row, without the time.
struct Recorded {
    std::string run;
    std::string row;
};

Recorded recorded(const adtlab::SortAlgorithm &sort, std::string_view shape, unsigned int n) {
    std::vector<int> values = adtlab::make_input(shape, n, 5);
    const std::vector<adtlab::Call> calls = adtlab::record_calls(sort, values);
    const auto swaps = std::to_string(
        std::count_if(calls.begin(), calls.end(), [](const auto &c) { return c.is_swap(); }));
    const auto comparisons = std::to_string(calls.size() - std::stoul(swaps));
    std::vector<std::string> result, events;
    std::transform(values.begin(), values.end(), std::back_inserter(result),
                   [](int v) { return std::to_string(v); });
    std::transform(calls.begin(), calls.end(), std::back_inserter(events), adtlab::call_json);
    return {"{\"algorithm\": \"" + std::string(sort.name) + "\", \"comparisons\": " + comparisons +
                ", \"swaps\": " + swaps + ", \"result\": [" + joined(result) + "], \"events\": [" +
                joined(events) + "], \"sites\": ",
            std::string(shape) + "," + std::to_string(n) + "," + sort.name + "," + comparisons +
                "," + swaps + ",yes,no"};
}

// Every sort of the table on every shape at a few sizes: the library's calls
// are sort_trace's events, call by call, and their counts compare_sorts'.
TEST(CompareSorts, EverySortCallsAsTheLibraryAndSortTraceSay) {
    std::vector<std::string> every_sort;
    for (const adtlab::SortAlgorithm &sort : adtlab::sort_algorithms) {
        every_sort.insert(every_sort.end(), {"-a", sort.name});
    }
    for (unsigned int n : {1u, 40u, 200u}) {
        const std::vector<std::string> input = {"--seed", "5", "--size", std::to_string(n)};
        std::vector<std::string> arguments = every_sort;
        arguments.insert(arguments.end(), input.begin(), input.end());
        for (std::string_view shape : adtlab::input_shapes) {
            arguments.insert(arguments.end(), {"--shape", std::string(shape)});
        }
        const std::vector<std::string> rows = counts_of(compare_sorts(arguments + "--csv").out);
        ASSERT_EQ(rows.size(),
                  1 + std::size(adtlab::input_shapes) * std::size(adtlab::sort_algorithms));
        std::size_t row = 1;
        for (std::string_view shape : adtlab::input_shapes) {
            std::vector<std::string> trace = every_sort;
            trace.insert(trace.begin(), SORT_TRACE);
            trace.insert(trace.end(), input.begin(), input.end());
            trace.insert(trace.end(), {"--json", "--shape", std::string(shape)});
            const Outcome json = run_program(trace);
            ASSERT_TRUE(json.exited(0)) << json.err;
            for (const adtlab::SortAlgorithm &sort : adtlab::sort_algorithms) {
                const Recorded library = recorded(sort, shape, n);
                EXPECT_NE(json.out.find(library.run), std::string::npos) << library.run;
                EXPECT_EQ(rows[row++], library.row);
            }
        }
    }
}

// One line per input, shape by shape; read back with --file, the same values.
TEST(CompareSorts, PrintsTheInputsInsteadOfSortingThem) {
    Outcome o = compare_sorts({"--print-input", "--size", "5", "--size", "3", "--shape",
                               "descending", "--shape", "ascending"});
    ASSERT_TRUE(o.exited(0)) << o.err;
    EXPECT_EQ(o.out, "4 3 2 1 0\n2 1 0\n0 1 2 3 4\n0 1 2\n");
    EXPECT_EQ(o.err, "");

    const std::vector<std::string> input = {"--size",       "300",    "--shape",
                                            "few-distinct", "--seed", "9"};
    Outcome few = compare_sorts(input + "--print-input");
    std::istringstream stream(few.out);
    std::vector<int> seen(11);
    for (int value; stream >> value;) {
        ASSERT_TRUE(value >= -5 && value <= 5) << value;
        ++seen[static_cast<std::size_t>(value + 5)];
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 0), 0);

    TempFile file(few.out);
    std::vector<std::string> from_file =
        counts_of(compare_sorts({"--csv", "--file", file.path()}).out);
    std::vector<std::string> made = counts_of(compare_sorts(input + "--csv").out);
    ASSERT_EQ(from_file.size(), 4u);
    for (std::size_t k = 1; k < from_file.size(); ++k) {
        EXPECT_EQ("few-distinct" + from_file[k].substr(4), made[k]);
    }
}

std::vector<int> printed_input(const std::string &shape, const std::string &size) {
    Outcome o = compare_sorts({"--print-input", "--size", size, "--shape", shape, "--seed", "3"});
    EXPECT_TRUE(o.exited(0)) << o.err;
    std::istringstream stream(o.out);
    std::vector<int> values;
    for (int value; stream >> value;) {
        values.push_back(value);
    }
    return values;
}

// nearly-sorted: 0 to n-1 with at most n/16 + 1 inversions, some; small-random:
// -99 to 99, both signs, many of them.
TEST(CompareSorts, MakesTheNearlySortedAndSmallRandomShapes) {
    for (unsigned int n : {1u, 2u, 40u, 300u}) {
        std::vector<int> values = printed_input("nearly-sorted", std::to_string(n));
        ASSERT_EQ(values.size(), n);
        std::size_t inversions = 0;
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = i + 1; j < n; ++j) {
                inversions += values[i] > values[j] ? 1 : 0;
            }
        }
        EXPECT_LE(inversions, n / 16 + 1) << n;
        EXPECT_TRUE(n < 2 || inversions > 0) << n;
        std::sort(values.begin(), values.end());
        for (std::size_t k = 0; k < n; ++k) {
            ASSERT_EQ(values[k], static_cast<int>(k)) << n;
        }
    }
    std::vector<int> small = printed_input("small-random", "2000");
    ASSERT_EQ(small.size(), 2000u);
    EXPECT_EQ(*std::min_element(small.begin(), small.end()), -99);
    EXPECT_EQ(*std::max_element(small.begin(), small.end()), 99);
    std::sort(small.begin(), small.end());
    EXPECT_EQ(std::unique(small.begin(), small.end()) - small.begin(), 199);
}

TEST(CompareSorts, DefaultRunCoversEveryShapeSizeAndAlgorithm) {
    Outcome o = compare_sorts({});
    ASSERT_TRUE(o.exited(0)) << o.err;
    EXPECT_EQ(o.err, "");
    std::vector<std::string> lines = lines_of(o.out);
    ASSERT_EQ(lines.size(), 1u + adtlab::default_input_shapes.size() * 2 * 3);
    EXPECT_EQ(lines[0].find("shape"), 0u);
    for (std::size_t k = 1; k < lines.size(); ++k) {
        EXPECT_EQ(lines[k].size(), lines[0].size()) << "row " << k << " is not aligned";
        EXPECT_EQ(lines[k].substr(lines[k].size() - 3), "yes") << lines[k];
        EXPECT_EQ(lines[k].find('!'), std::string::npos)
            << "differs from its formula: " << lines[k];
    }
}

// The rows without the given columns, which vary from run to run.
std::vector<std::string> rows_without(const std::string &csv, std::vector<std::size_t> dropped) {
    std::vector<std::string> rows;
    for (const std::string &line : lines_of(csv)) {
        std::vector<std::string> f = fields_of(line + ","); // keeps a last empty field
        std::string row;
        for (std::size_t k = 0; k < f.size(); ++k) {
            if (std::find(dropped.begin(), dropped.end(), k) == dropped.end()) {
                row += (row.empty() ? "" : ",") + f[k];
            }
        }
        rows.push_back(row);
    }
    return rows;
}

// --expected adds two columns at the end of each row, empty where no formula
// holds; the columns before are those without it.
TEST(CompareSorts, ExpectedAddsWhatTheCountsMustBeAtTheEndOfEachRow) {
    TempFile file("5 4 3 2 1");
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::size_t> times;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {{"--csv", "--expected", "--file", file.path()},
         {5},
         {"shape,n,algorithm,comparisons,swaps,sorted,wrapped,expected_comparisons,expected_swaps",
          "file,5,selection,10,5,yes,no,10,5", "file,5,insertion,10,10,yes,no,10,10",
          "file,5,quick,14,4,yes,no,,"}},
        {{"-e", "-c", "-s", "50", "-p", "ascending", "-a", "quick", "-a", "insertion"},
         {5},
         {"shape,n,algorithm,comparisons,swaps,sorted,wrapped,expected_comparisons,expected_swaps",
          "ascending,50,quick,2450,49,yes,no,2450,49", "ascending,50,insertion,49,0,yes,no,49,0"}},
        {{"-e", "-c", "-s", "4", "-p", "descending", "-a", "heap", "-a", "bubble"},
         {5},
         {"shape,n,algorithm,comparisons,swaps,sorted,wrapped,expected_comparisons,expected_swaps",
          "descending,4,heap,6,4,yes,no,,", "descending,4,bubble,6,6,yes,no,6,6"}},
        {{"--csv", "--expected", "--doubling", "1", "--size", "4", "--shape", "ascending", "-a",
          "quick"},
         {9, 10, 11},
         {"shape,algorithm,n,comparisons,comparisons_ratio,comparisons_log2,swaps,swaps_ratio,"
          "swaps_log2,expected_comparisons,expected_swaps",
          "ascending,quick,4,12,,,3,,,12,3", "ascending,quick,8,56,4.67,2.22,7,2.33,1.22,56,7"}},
    };
    for (const Case &c : cases) {
        Outcome with = compare_sorts(c.arguments);
        ASSERT_TRUE(with.exited(0)) << with.err;
        EXPECT_EQ(rows_without(with.out, c.times), c.rows);
        std::vector<std::string> plain_arguments = c.arguments;
        plain_arguments.erase(
            std::find_if(plain_arguments.begin(), plain_arguments.end(),
                         [](const std::string &a) { return a == "--expected" || a == "-e"; }));
        std::vector<std::string> plain = rows_without(compare_sorts(plain_arguments).out, c.times);
        std::vector<std::string> cut = c.rows;
        for (std::string &row : cut) {
            row.erase(row.rfind(','));
            row.erase(row.rfind(','));
        }
        EXPECT_EQ(plain, cut);
    }
}

TEST(CompareSorts, CsvCountsFollowFromTheInputAndTheSeed) {
    Outcome o = compare_sorts({"--csv", "--size", "50", "--shape", "ascending"});
    ASSERT_TRUE(o.exited(0)) << o.err;
    std::vector<std::string> rows = counts_of(o.out);
    // Selection sort: n(n-1)/2 and n; insertion sort on sorted input: n-1 and 0;
    // quick sort on distinct values in order: n(n-1) and n-1.
    EXPECT_EQ(rows, (std::vector<std::string>{"shape,n,algorithm,comparisons,swaps,sorted,wrapped",
                                              "ascending,50,selection,1225,50,yes,no",
                                              "ascending,50,insertion,49,0,yes,no",
                                              "ascending,50,quick,2450,49,yes,no"}));

    Outcome first = compare_sorts({"--csv", "--size", "300", "--seed", "7"});
    Outcome again = compare_sorts({"--csv", "--seed", "7", "--size", "300"});
    Outcome other = compare_sorts({"--csv", "--size", "300", "--seed", "8"});
    EXPECT_EQ(counts_of(first.out), counts_of(again.out));
    EXPECT_NE(counts_of(first.out), counts_of(other.out));
}

TEST(CompareSorts, SortsTheIntegersOfAFile) {
    TempFile file("5 4\n3\t2  1\n");
    Outcome o = compare_sorts({"--csv", "--file", file.path()});
    ASSERT_TRUE(o.exited(0)) << o.err;
    EXPECT_EQ(counts_of(o.out), (std::vector<std::string>{
                                    "shape,n,algorithm,comparisons,swaps,sorted,wrapped",
                                    "file,5,selection,10,5,yes,no", "file,5,insertion,10,10,yes,no",
                                    "file,5,quick,14,4,yes,no"}));
}

TEST(CompareSorts, RunsTheChosenAlgorithmsInTheirOrder) {
    Outcome o = compare_sorts({"--csv", "--size", "50", "--shape", "ascending", "-a", "quick",
                               "--algorithm", "selection"});
    ASSERT_TRUE(o.exited(0)) << o.err;
    EXPECT_EQ(counts_of(o.out),
              (std::vector<std::string>{"shape,n,algorithm,comparisons,swaps,sorted,wrapped",
                                        "ascending,50,quick,2450,49,yes,no",
                                        "ascending,50,selection,1225,50,yes,no"}));
}

// Ratios and logarithms are empty on each series' first row and where the
// count before was zero; selection sort's comparisons grow with exponent 2.
TEST(CompareSorts, DoublingPrintsTheExponentOfGrowth) {
    Outcome o = compare_sorts({"--doubling", "2", "--csv", "--shape", "ascending", "--algorithm",
                               "selection", "--algorithm", "insertion"});
    ASSERT_TRUE(o.exited(0)) << o.err;
    std::vector<std::string> rows; // without the times, which vary
    for (const std::string &line : lines_of(o.out)) {
        std::size_t end = 0;
        for (int k = 0; k < 9; ++k) {
            end = line.find(',', end) + 1;
        }
        rows.push_back(line.substr(0, end));
    }
    EXPECT_EQ(rows, (std::vector<std::string>{
                        "shape,algorithm,n,comparisons,comparisons_ratio,comparisons_log2,swaps,"
                        "swaps_ratio,swaps_log2,",
                        "ascending,selection,1000,499500,,,1000,,,",
                        "ascending,selection,2000,1999000,4.00,2.00,2000,2.00,1.00,",
                        "ascending,selection,4000,7998000,4.00,2.00,4000,2.00,1.00,",
                        "ascending,insertion,1000,999,,,0,,,",
                        "ascending,insertion,2000,1999,2.00,1.00,0,,,",
                        "ascending,insertion,4000,3999,2.00,1.00,0,,,"}));
}

// The counts printed are the library's whole counts of its one run.
TEST(CompareSorts, PrintsTheLibrarysWholeCounts) {
    std::vector<int> values = adtlab::make_input("random", 65536, 1);
    reset_comparisons_counter();
    reset_swaps_counter();
    quick_sort(values.data(), 65536);
    const std::string expected = "random,65536,quick," + std::to_string(comparisons_count()) + "," +
                                 std::to_string(swaps_count()) + ",yes,no";
    Outcome o =
        compare_sorts({"--csv", "--size", "65536", "--shape", "random", "--algorithm", "quick"});
    ASSERT_TRUE(o.exited(0)) << o.err;
    EXPECT_EQ(counts_of(o.out).back(), expected);
}

#ifdef COMPARE_SORTS_WRAP_TEST
// Processor seconds of the children reaped so far.
double children_seconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval &t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The real thing, in the optimised build only: quick sort of 65537 values in
// order makes 65537 * 65536 comparisons, past the 32-bit counter, counted in
// one run: the program's processor time is about the sort's, not twice it.
TEST(CompareSorts, MarksACountPastTheThirtyTwoBitCounterFromOneRun) {
    const double before = children_seconds();
    Outcome o = compare_sorts({"--size", "65537", "--shape", "ascending", "--algorithm", "quick"});
    const double taken = children_seconds() - before;
    ASSERT_TRUE(o.exited(0)) << o.err;
    std::vector<std::string> lines = lines_of(o.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[1].find(" 4295032832* "), std::string::npos) << lines[1];
    EXPECT_NE(lines[1].find(" 65536 "), std::string::npos) << lines[1];
    EXPECT_EQ(lines[2].find("* past 4294967295, where the library's 32-bit counter wraps; the "
                            "count shown is the library's whole 64-bit count."),
              0u)
        << lines[2];
    std::istringstream row(lines[1]);
    std::vector<std::string> fields{std::istream_iterator<std::string>(row), {}};
    const double sort_seconds = std::stod(fields.at(fields.size() - 2)) / 1000;
    EXPECT_LT(taken, 1.5 * sort_seconds + 0.5) << "sorted for " << sort_seconds << " s";
}
#endif

#if !defined(__SANITIZE_ADDRESS__) // the sanitizers reserve memory past any limit
TEST(CompareSorts, RunningOutOfMemoryIsOneLineAndStatusTwo) {
    if (adtlab::testing::programs_run_emulated()) {
        GTEST_SKIP() << "qemu-user reserves the emulated program's memory beyond the limit";
    }
    Start limited;
    limited.data_limit = 256ul << 20;
    Outcome o = run_program(
        {COMPARE_SORTS, "--size", "100000000", "--shape", "random", "--algorithm", "quick"},
        limited);
    EXPECT_TRUE(o.exited(2)) << "status " << o.status << ", signal " << o.signal << "\n" << o.err;
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "compare_sorts: out of memory: try fewer or smaller inputs\n");
}
#endif

// A run of minutes shows, once it has gone on for a second, a progress line
// on a terminal, which is looked for until it comes; then the run is ended.
TEST(CompareSorts, ShowsProgressOnATerminal) {
    Start on_terminal;
    on_terminal.terminal_stderr = true;
    const std::regex progress("\r\033\\[Kascending 300000 selection: [1-9][0-9]* s(, |$)");
    on_terminal.until = [&](const Outcome &so_far) {
        return std::regex_search(so_far.err, progress);
    };
    Outcome o = run_program(
        {COMPARE_SORTS, "--size", "300000", "--shape", "ascending", "--algorithm", "selection"},
        on_terminal);
    EXPECT_TRUE(o.stopped) << "no progress line before the run ended: " << o.err;
    EXPECT_EQ(o.out.find('\r'), std::string::npos);
}

// Both programs end through the shared check of standard output.
TEST(CompareSorts, AnOutputThatCannotBeWrittenIsStatusTwo) {
    if (adtlab::testing::programs_run_emulated()) {
        GTEST_SKIP() << "the shell that redirects would run in the emulator too";
    }
    const std::string programs[] = {std::string(COMPARE_SORTS) + " --csv --size 10",
                                    std::string(SORT_TRACE) + " --json 3 1 2"};
    for (const std::string &command : programs) {
        Outcome o = run_program({"/bin/sh", "-c", command + " > /dev/full"});
        EXPECT_TRUE(o.exited(2)) << command;
        EXPECT_NE(o.err.find(": cannot write to standard output\n"), std::string::npos) << o.err;
    }
}

TEST(CompareSorts, HelpGoesToStandardOutput) {
    Outcome o = compare_sorts({"--help"});
    EXPECT_TRUE(o.exited(0));
    EXPECT_EQ(o.out.find("Usage: compare_sorts"), 0u);
    EXPECT_EQ(o.err, "");
}

// Both programs' help names the sorts of the table under -a: the default
// ones, then those run when named.
TEST(CompareSorts, HelpNamesEverySortOfTheTable) {
    for (const char *program : {COMPARE_SORTS, SORT_TRACE}) {
        const std::string help = run_program({program, "--help"}).out;
        std::size_t at = help.find("--algorithm A");
        for (bool by_default : {true, false}) {
            at = help.find(by_default ? "by default" : "when named", at);
            for (const adtlab::SortAlgorithm &sort : adtlab::sort_algorithms) {
                if (sort.by_default == by_default && at != std::string::npos) {
                    at = help.find(sort.name, at);
                }
            }
            EXPECT_NE(at, std::string::npos) << program << "\n" << help;
        }
    }
}

struct BadInput {
    const char *what;
    std::vector<std::string> arguments;
    std::string file_contents; // written to a file passed with --file, if not empty
};

void PrintTo(const BadInput &bad, std::ostream *os) {
    *os << bad.what;
}

class CompareSortsRejects : public ::testing::TestWithParam<BadInput> {};

TEST_P(CompareSortsRejects, WithOneLineOnStandardErrorAndStatusTwo) {
    BadInput bad = GetParam();
    TempFile file(bad.file_contents);
    if (!bad.file_contents.empty()) {
        bad.arguments.insert(bad.arguments.end(), {"--file", file.path()});
    }
    Outcome o = compare_sorts(bad.arguments);
    EXPECT_TRUE(o.exited(2)) << "status " << o.status << ", signal " << o.signal;
    EXPECT_EQ(o.out, "");
    ASSERT_FALSE(o.err.empty());
    EXPECT_EQ(o.err.find("compare_sorts: "), 0u) << o.err;
    EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CompareSortsRejects,
    ::testing::Values(
        BadInput{"unknown long option", {"--fast"}, ""},
        BadInput{"unknown short option", {"-x"}, ""}, BadInput{"missing argument", {"--size"}, ""},
        BadInput{"stray argument", {"1000"}, ""}, BadInput{"option after --", {"--", "--csv"}, ""},
        BadInput{"size zero", {"--size", "0"}, ""}, BadInput{"negative size", {"--size", "-5"}, ""},
        BadInput{"size not a number", {"--size", "ten"}, ""},
        BadInput{"size with trailing text", {"--size", "10k"}, ""},
        BadInput{"huge size", {"--size", "99999999999999999999"}, ""},
        BadInput{"unknown shape", {"--shape", "sawtooth"}, ""},
        BadInput{"bad seed", {"--seed", "-1"}, ""},
        BadInput{"missing file", {"--file", "/nonexistent/values.txt"}, ""},
        BadInput{"unreadable file", {"--file", "/"}, ""},
        BadInput{"word in file", {}, "1 2 three 4\n"},
        BadInput{"value above int", {}, "1 2147483648\n"},
        BadInput{"value below int", {}, "-2147483649 1\n"},
        BadInput{"file with size", {"--size", "10"}, "1 2\n"},
        BadInput{"unknown algorithm", {"--algorithm", "bogo"}, ""},
        BadInput{"doubling zero", {"--doubling", "0"}, ""},
        BadInput{"doubling past the largest size", {"--doubling", "20"}, ""},
        BadInput{"doubling a file", {"--doubling", "2"}, "1 2\n"}),
    adtlab::testing::NameFromWhat());

} // namespace
