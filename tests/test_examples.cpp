// The example drivers word_tool and weather_report on their sample data, and
// weather_report on files that do not match its format.
#include "process.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using adtlab::testing::lines_of;
using adtlab::testing::Outcome;
using adtlab::testing::run_program;
using adtlab::testing::TempFile;

const std::string words = std::string(EXAMPLE_DATA) + "/words.txt";

TEST(WordTool, DumpsCountsAndComparesWordFiles) {
    Outcome dump = run_program({WORD_TOOL, "dump", words});
    EXPECT_TRUE(dump.exited(0)) << dump.err;
    EXPECT_EQ(dump.out, "8\nthe quick brown fox jumps over the dog\n");
    EXPECT_EQ(run_program({WORD_TOOL, "count", words, "the"}).out, "2\n");
    EXPECT_EQ(run_program({WORD_TOOL, "count", words, "cat"}).out, "0\n");
    const std::string shuffled = std::string(EXAMPLE_DATA) + "/words_shuffled.txt";
    const std::string other = std::string(EXAMPLE_DATA) + "/words_other.txt";
    // A predicate: status 0 for yes and 1 for no.
    Outcome yes = run_program({WORD_TOOL, "permutation", words, shuffled});
    EXPECT_TRUE(yes.exited(0));
    EXPECT_EQ(yes.out, shuffled + " is a permutation of " + words + "\n");
    Outcome no = run_program({WORD_TOOL, "permutation", words, other});
    EXPECT_TRUE(no.exited(1));
    EXPECT_EQ(no.out, other + " is not a permutation of " + words + "\n");
    EXPECT_EQ(no.err, "");
}

// Every driver: --help anywhere before "--" prints the usage on standard
// output with status 0; "--" ends the options, so what follows is an operand
// even when it begins with '-'; any other option is a usage error.
struct CommandLine {
    std::vector<std::string> argv;
    int status;
    std::string out_starts; // the start of standard output
    std::string err_starts; // the start of standard error
};

void PrintTo(const CommandLine &line, std::ostream *os) {
    for (const std::string &argument : line.argv) {
        *os << argument.substr(argument.rfind('/') + 1) << ' ';
    }
}

class DriverCommandLine : public ::testing::TestWithParam<CommandLine> {};

TEST_P(DriverCommandLine, HelpOptionsAndOperands) {
    Outcome o = run_program(GetParam().argv);
    EXPECT_TRUE(o.exited(GetParam().status)) << o.status << " " << o.err;
    EXPECT_EQ(o.out.substr(0, GetParam().out_starts.size()), GetParam().out_starts);
    EXPECT_EQ(o.err.substr(0, GetParam().err_starts.size()), GetParam().err_starts);
    if (GetParam().out_starts.empty()) {
        EXPECT_EQ(o.out, "");
    }
    if (GetParam().err_starts.empty()) {
        EXPECT_EQ(o.err, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Drivers, DriverCommandLine,
    ::testing::Values(
        CommandLine{{WORD_TOOL, "--help"}, 0, "usage: word_tool dump FILE", ""},
        CommandLine{{WORD_TOOL, "count", words, "-h"}, 0, "usage: word_tool ", ""},
        CommandLine{{WEATHER_REPORT, "--help"}, 0, "usage: weather_report FILE\n", ""},
        CommandLine{{QUEUE_DIALOGUE, "-h"}, 0, "usage: queue_dialogue FILE\n", ""},
        CommandLine{{WORD_TOOL, "count", words, "-the"}, 2, "", "usage: word_tool "},
        CommandLine{{WORD_TOOL, "count", words, "--", "-the"}, 0, "0\n", ""},
        CommandLine{{WORD_TOOL, "--", "count", words, "--help"}, 0, "0\n", ""},
        CommandLine{{WORD_TOOL, "--", "--help"}, 2, "", "usage: word_tool "},
        CommandLine{{WEATHER_REPORT, "--verbose", WEATHER_SAMPLE}, 2, "", "usage: weather_report"},
        CommandLine{{WEATHER_REPORT, "--", "-x"}, 1, "", "weather_report: -x: No such file"},
        CommandLine{{QUEUE_DIALOGUE, "-x"}, 2, "", "usage: queue_dialogue FILE\n"},
        CommandLine{{QUEUE_DIALOGUE, "--", "-x"}, 1, "", "File does not exist.\n"}));

TEST(WordTool, BadArgumentsAndFiles) {
    for (const std::vector<std::string> &arguments :
         {std::vector<std::string>{WORD_TOOL},
          {WORD_TOOL, "dump"},
          {WORD_TOOL, "sort", words},
          {WORD_TOOL, "count", words},
          {WORD_TOOL, "count", words, std::string(100, 'w')}}) {
        Outcome o = run_program(arguments);
        EXPECT_TRUE(o.exited(2)) << arguments.size();
        EXPECT_EQ(o.err.rfind("usage: word_tool ", 0), 0u) << o.err;
        EXPECT_EQ(o.out, "");
    }
    Outcome missing = run_program({WORD_TOOL, "dump", "/nonexistent/words.txt"});
    EXPECT_TRUE(missing.exited(1));
    EXPECT_EQ(missing.err, "File does not exist.\n");
}

TEST(WeatherReport, ReportsTheSampleTable) {
    Outcome o = run_program({WEATHER_REPORT, WEATHER_SAMPLE});
    ASSERT_TRUE(o.exited(0)) << o.err;
    std::vector<std::string> lines = lines_of(o.out);
    ASSERT_EQ(lines.size(), 3u + 37);
    EXPECT_EQ(lines[0], "Lowest minimum temperature: -23.1 °C");
    EXPECT_EQ(lines[2], "Year  Highest maximum  Rainiest month");
    EXPECT_EQ(lines[3].rfind("1980  ", 0), 0u);
    EXPECT_EQ(lines[3 + 2003 - 1980].rfind("2003          43.1 °C  ", 0), 0u);
    EXPECT_NE(lines[3 + 2012 - 1980].find("October"), std::string::npos);
}

struct BadTable {
    const char *what;
    std::size_t line;        // the sample's line to change (1-based), or 0
    std::string replacement; // the line instead; empty drops it
    std::string message;     // after "weather_report: FILE:"
};

void PrintTo(const BadTable &bad, std::ostream *os) {
    *os << bad.what;
}

class WeatherReportRejects : public ::testing::TestWithParam<BadTable> {};

TEST_P(WeatherReportRejects, WithTheLineAndWhatIsWrong) {
    std::ifstream sample(WEATHER_SAMPLE);
    std::string contents;
    std::size_t number = 0;
    for (std::string line; std::getline(sample, line);) {
        ++number;
        if (number == GetParam().line) {
            contents += GetParam().replacement.empty() ? "" : GetParam().replacement + "\n";
        } else {
            contents += line + "\n";
        }
    }
    TempFile file(contents);
    Outcome o = run_program({WEATHER_REPORT, file.path()});
    EXPECT_TRUE(o.exited(1)) << o.err;
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "weather_report: " + file.path() + ":" + GetParam().message + "\n");
}

// Line 3 of the sample is 1980-01-01, line 4 1980-01-02.
INSTANTIATE_TEST_SUITE_P(
    Files, WeatherReportRejects,
    ::testing::Values(
        BadTable{"missing day", 4, "", "12434: end of file, but 1980-01-02 is missing"},
        BadTable{"repeated day", 4, "1980 1 1 70 125 -1 98 1020 0",
                 "4: 1980-01-01 again (first on line 3)"},
        BadTable{"day out of range", 4, "1980 1 29 70 125 -1 98 1020 0",
                 "4: day 29 is out of range (1 to 28)"},
        BadTable{"humidity out of range", 4, "1980 1 2 70 125 -1 101 1020 0",
                 "4: humidity 101 is out of range (0 to 100)"},
        BadTable{"a word for a number", 4, "1980 1 2 70 warm -1 98 1020 0",
                 "4: max is 'warm', not a whole number"},
        BadTable{"too few fields", 4, "1980 1 2 70 125 -1 98 1020",
                 "4: 8 fields, expected 9: YEAR MONTH DAY AVG MAX MIN HUMIDITY PRESSURE RAINFALL"},
        BadTable{"min above max", 4, "1980 1 2 70 125 130 98 1020 0",
                 "4: min is higher than max"}));

} // namespace
