// The option table parser: every way of writing an option and its value,
// and every bad line handed back as one message (a parse that ended the
// program would end this test instead).
#include "command_line/option_table.h"

#include "param_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using adtlab::command_line::Error;
using adtlab::command_line::Option;
using adtlab::command_line::Status;

enum class Mode { plain, options_first, prefixes, negatives };

struct Line {
    const char *what;
    Mode mode;
    std::vector<std::string> arguments;
    // What the parse came to: the options taken, "|", the operands; "help"
    // in front after --help; or "error: " and the message.
    const char *outcome;
};

void PrintTo(const Line &line, std::ostream *os) {
    *os << line.what;
}

// Parses as the mode says, with the options a (a value; "bad" refused),
// bee and bench (no value) and c (no value), and says what came of it.
std::string outcome_of(const Line &line) {
    std::string taken;
    auto note = [&taken](const std::string &text) {
        taken += text + " ";
        return Status{};
    };
    bool c = false;
    const Option options[] = {
        {"a", 'a', true,
         [&](const std::string &value) -> Status {
             return value == "bad" ? Status{Error{"a 'bad' refused"}} : note("a=" + value);
         }},
        {"bee", 'b', false, [&](const std::string &) { return note("bee"); }},
        {"bench", '\0', false, [&](const std::string &) { return note("bench"); }},
        adtlab::command_line::flag("c", 'c', c),
    };
    adtlab::command_line::Syntax syntax;
    syntax.options = options;
    syntax.options_first = line.mode == Mode::options_first;
    syntax.prefixes = line.mode == Mode::prefixes;
    if (line.mode == Mode::negatives) {
        syntax.is_operand = [](const std::string &argument) { return argument == "-3"; };
    }
    const auto parsed = adtlab::command_line::parse(syntax, line.arguments);
    if (!parsed) {
        return "error: " + parsed.error();
    }
    std::string outcome = (parsed->help ? "help " : "") + taken + (c ? "c " : "") + "|";
    for (const std::string &operand : parsed->operands) {
        outcome += " " + operand;
    }
    return outcome;
}

class CommandLine : public ::testing::TestWithParam<Line> {};

TEST_P(CommandLine, ParsesAsWritten) {
    EXPECT_EQ(outcome_of(GetParam()), GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLine,
    ::testing::Values(
        Line{"long with equals", Mode::plain, {"--a=1"}, "a=1 |"},
        Line{"long then value", Mode::plain, {"--a", "1"}, "a=1 |"},
        Line{"letter with value", Mode::plain, {"-a1"}, "a=1 |"},
        Line{"letter then value", Mode::plain, {"-a", "1"}, "a=1 |"},
        Line{"empty after equals", Mode::plain, {"--a="}, "a= |"},
        Line{"equals within value", Mode::plain, {"--a=x=y"}, "a=x=y |"},
        Line{"value that looks like an option", Mode::plain, {"--a", "--bee"}, "a=--bee |"},
        Line{"letters grouped", Mode::plain, {"-cb"}, "bee c |"},
        Line{"group ending in a value", Mode::plain, {"-ba1", "-c"}, "bee a=1 c |"},
        Line{"missing value",
             Mode::plain,
             {"--a"},
             "error: option '--a' needs a value (try --help)"},
        Line{"missing value in a group",
             Mode::plain,
             {"-ba"},
             "error: option '-ba' needs a value (try --help)"},
        Line{
            "unknown long", Mode::plain, {"--zz=1"}, "error: unknown option '--zz=1' (try --help)"},
        Line{"unknown letter in a group",
             Mode::plain,
             {"-bz"},
             "error: unknown option '-bz' (try --help)"},
        Line{"value to an option without one",
             Mode::plain,
             {"--bee=1"},
             "error: unknown option '--bee=1' (try --help)"},
        Line{"refused value stops the parse",
             Mode::plain,
             {"--a", "bad", "--bee"},
             "error: a 'bad' refused"},
        Line{"operands between options", Mode::plain, {"x", "-c", "-", "y"}, "c | x - y"},
        Line{"double dash ends options", Mode::plain, {"-c", "--", "--a=1", "--"}, "c | --a=1 --"},
        Line{"first operand ends options",
             Mode::options_first,
             {"-c", "x", "--a", "1"},
             "c | x --a 1"},
        Line{"help", Mode::plain, {"--help"}, "help |"},
        Line{"help letter after a flag", Mode::plain, {"-bh", "x"}, "help bee |"},
        Line{"nothing after help is read", Mode::plain, {"--help", "--zz", "--a"}, "help |"},
        Line{"error before help",
             Mode::plain,
             {"--zz", "--help"},
             "error: unknown option '--zz' (try --help)"},
        Line{"help with a value",
             Mode::plain,
             {"--help=1"},
             "error: unknown option '--help=1' (try --help)"},
        Line{"no shortened names",
             Mode::plain,
             {"--ben"},
             "error: unknown option '--ben' (try --help)"},
        Line{"shortened name", Mode::prefixes, {"--ben", "--he"}, "help bench |"},
        Line{"exact name among longer ones", Mode::prefixes, {"--bee", "--a=2"}, "bee a=2 |"},
        Line{"shortened to two names",
             Mode::prefixes,
             {"--be"},
             "error: unknown option '--be' (try --help)"},
        Line{"negative operand", Mode::negatives, {"-3", "-c"}, "c | -3"},
        Line{"other dashes stay options",
             Mode::negatives,
             {"-4"},
             "error: unknown option '-4' (try --help)"}),
    adtlab::testing::NameFromWhat());

} // namespace

// Usage words wrap at word breaks within the width, in the options' column,
// a word longer than the width on a line of its own.
TEST(WrapWords, FillsEachLineUpToTheWidth) {
    using adtlab::command_line::wrap_words;
    EXPECT_EQ(wrap_words("", 4, 10), "");
    EXPECT_EQ(wrap_words("ab cd", 4, 10), "ab cd");   // 4 + 5 = 9 columns
    EXPECT_EQ(wrap_words("ab cde", 4, 10), "ab cde"); // exactly the width
    EXPECT_EQ(wrap_words("ab cdef", 4, 10), "ab\n    cdef");
    EXPECT_EQ(wrap_words("abcdefghij xy", 4, 10), "abcdefghij\n    xy");
}
