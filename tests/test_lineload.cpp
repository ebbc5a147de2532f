#include "lineload/lineload.h"

#include "process.h"
#include "queue_text.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using adtlab::testing::dump_of;
using adtlab::testing::Outcome;
using adtlab::testing::Owned;
using adtlab::testing::queue_of;
using adtlab::testing::run_in_child;
using adtlab::testing::run_program;
using adtlab::testing::TempFile;

struct GoodFile {
    const char *what;
    std::string contents;
    std::string dump;
};

void PrintTo(const GoodFile &file, std::ostream *os) {
    *os << file.what;
}

class Loading : public ::testing::TestWithParam<GoodFile> {};

TEST_P(Loading, EnqueuesTheIntegersInFileOrder) {
    TempFile file(GetParam().contents);
    Owned q(queue_from_file(file.path().c_str()));
    EXPECT_EQ(dump_of(q.q), GetParam().dump);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Loading,
    ::testing::Values(GoodFile{"flag 1", "empty: 1\n", "[]\n"},
                      GoodFile{"flag 1 with anything after", "empty: 1 4 5 words\n", "[]\n"},
                      GoodFile{"other nonzero flag", "empty: -3", "[]\n"},
                      GoodFile{"flag 0", "empty: 0\n4 -2 7\n", "[4, -2, 7]\n"},
                      GoodFile{"integers across lines", "empty: 0\n4\n\n-2\t\n 7", "[4, -2, 7]\n"},
                      GoodFile{"trailing whitespace", "empty: 0 4 -2 7 \n\n\t ", "[4, -2, 7]\n"},
                      GoodFile{"no space after the colon", "empty:0\n5", "[5]\n"},
                      GoodFile{"signs", "empty: +0\n+5 -0", "[5, 0]\n"},
                      GoodFile{"int limits", "empty: 0 2147483647 -2147483648",
                               "[2147483647, -2147483648]\n"}));

struct BadFile {
    const char *what;
    std::string contents;
};

void PrintTo(const BadFile &file, std::ostream *os) {
    *os << file.what;
}

class FailedLoad : public ::testing::TestWithParam<BadFile> {};

TEST_P(FailedLoad, SaysInvalidArrayAndExitsWithOne) {
    TempFile file(GetParam().contents);
    Outcome o = run_in_child([&] { queue_from_file(file.path().c_str()); });
    EXPECT_TRUE(o.exited(1)) << "status " << o.status << ", signal " << o.signal << "\n" << o.err;
    EXPECT_EQ(o.err, "Invalid array.\n");
    EXPECT_EQ(o.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Files, FailedLoad,
    ::testing::Values(BadFile{"empty file", ""}, BadFile{"whitespace first", " empty: 0\n1\n"},
                      BadFile{"other header", "full: 0\n1\n"},
                      BadFile{"capitalised header", "Empty: 0\n1\n"},
                      BadFile{"header without flag", "empty:\n"},
                      BadFile{"word for a flag", "empty: no\n1\n"},
                      BadFile{"flag 0 and nothing else", "empty: 0"},
                      BadFile{"flag 0 and a newline", "empty: 0\n"},
                      BadFile{"flag 0 and whitespace", "empty: 0 \n\t\n"},
                      BadFile{"word among the integers", "empty: 0\n4 five 6\n"},
                      BadFile{"sign alone", "empty: 0\n4 - 6\n"},
                      BadFile{"above int", "empty: 0\n1 2147483648\n"},
                      BadFile{"below int", "empty: 0\n-2147483649\n"},
                      BadFile{"wraps to a small number", "empty: 0\n4294967297\n"},
                      BadFile{"flag above int", "empty: 4294967296\n"}));

TEST(FailedLoad, MissingFileSaysSo) {
    Outcome o = run_in_child([] { queue_from_file("/nonexistent/queue.txt"); });
    EXPECT_TRUE(o.exited(1));
    EXPECT_EQ(o.err, "File does not exist.\n");
    EXPECT_EQ(o.out, "");
}

// The dialogue's texts.
std::string shown(const std::string &dump) {
    return "\nEliminar n-esimo elemento\n-------------------------\n\n" + dump;
}
std::string prompt(unsigned int last) {
    return "\nElija un elemento del 0-" + std::to_string(last) + ": ";
}
const std::string invalid = "Elemento inválido!\n";

struct Dialogue {
    const char *what;
    std::vector<int> values;
    std::string answers;
    std::string out;    // the exact bytes on standard output
    std::string result; // the queue afterwards, or "null" when none came back
};

void PrintTo(const Dialogue &d, std::ostream *os) {
    *os << d.what;
}

class UserDisscard : public ::testing::TestWithParam<Dialogue> {};

// Runs the dialogue over real standard streams, in a child; the outcome goes
// to standard error so that standard output holds the dialogue alone.
TEST_P(UserDisscard, AsksUntilAValidPositionOrNoNumber) {
    const Dialogue &d = GetParam();
    Outcome o = run_in_child(
        [&] {
            queue q = queue_of(d.values);
            queue after = queue_user_disscard(q);
            std::fputs(after == nullptr ? "null " : "", stderr);
            queue_dump(after == nullptr ? q : after, stderr);
            queue_destroy(after == nullptr ? q : after);
        },
        d.answers);
    EXPECT_TRUE(o.exited(0)) << o.err;
    EXPECT_EQ(o.out, d.out);
    EXPECT_EQ(o.err, d.result);
}

const std::string three = shown("[4, -2, 7]\n");

INSTANTIATE_TEST_SUITE_P(
    Answers, UserDisscard,
    ::testing::Values(
        Dialogue{"last position", {4, -2, 7}, "2\n", three + prompt(2), "[4, -2]\n"},
        Dialogue{"first position", {4, -2, 7}, "0\n", three + prompt(2), "[-2, 7]\n"},
        Dialogue{"out of range then good",
                 {4, -2, 7},
                 "3\n2\n",
                 three + prompt(2) + invalid + prompt(2),
                 "[4, -2]\n"},
        Dialogue{"minus one then good",
                 {4, -2, 7},
                 "-1\n1\n",
                 three + prompt(2) + invalid + prompt(2),
                 "[4, 7]\n"},
        Dialogue{"letter", {4, -2, 7}, "x\n", three + prompt(2) + invalid, "null [4, -2, 7]\n"},
        Dialogue{"out of range then letter",
                 {4, -2, 7},
                 "3\nb\n",
                 three + prompt(2) + invalid + prompt(2) + invalid,
                 "null [4, -2, 7]\n"},
        Dialogue{"closed input", {4, -2, 7}, "", three + prompt(2) + invalid, "null [4, -2, 7]\n"},
        Dialogue{"out of range then closed input",
                 {4, -2, 7},
                 "7\n",
                 three + prompt(2) + invalid + prompt(2) + invalid,
                 "null [4, -2, 7]\n"},
        Dialogue{"no newline after the answer", {4, -2, 7}, "1", three + prompt(2), "[4, 7]\n"},
        Dialogue{"too large for unsigned int is never reduced",
                 {4, -2, 7},
                 "4294967297\n99999999999999999999\n-4294967295\n0\n",
                 three + prompt(2) + invalid + prompt(2) + invalid + prompt(2) + invalid +
                     prompt(2),
                 "[-2, 7]\n"},
        Dialogue{
            "blanks around the answer", {4, -2, 7}, "  \n 1  \n", three + prompt(2), "[4, 7]\n"},
        Dialogue{"one element", {9}, "0\n", shown("[9]\n") + prompt(0), "[]\n"}));

TEST(UserDisscard, AbortsOnAnEmptyQueue) {
    Outcome o = run_in_child([] { queue_user_disscard(queue_empty()); }, "0\n");
    EXPECT_EQ(o.signal, SIGABRT);
    EXPECT_NE(o.err.find("size > 0"), std::string::npos) << o.err;
    EXPECT_EQ(o.out, "");
}

#ifdef QUEUE_DIALOGUE
// The example driver, as a user runs it: load, ask, print, free. Under the
// sanitizers its exit also checks that nothing leaked.
TEST(QueueDialogue, LoadsAsksAndPrintsTheRest) {
    TempFile file("empty: 0\n4 -2 7\n");
    Outcome o = run_program({QUEUE_DIALOGUE, file.path()}, "5\n1\n");
    EXPECT_TRUE(o.exited(0)) << o.err;
    EXPECT_EQ(o.out, three + prompt(2) + invalid + prompt(2) + "\nQuedan: [4, 7]\n");

    Outcome none = run_program({QUEUE_DIALOGUE, file.path()}, "q\n");
    EXPECT_TRUE(none.exited(1)) << none.err;
    EXPECT_EQ(none.out, three + prompt(2) + invalid);
}
#endif

} // namespace
