// adtlab-check on small modules of its kind in tests/check_modules/: sound
// ones conform, each faulty one is caught with the right report, and the
// checker survives code that loops, crashes or does not build.
#include "param_name.h"
#include "process.h"

#include <gtest/gtest.h>

#include <stdlib.h> // mkdtemp

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using adtlab::testing::Outcome;
using adtlab::testing::run_program;

struct Case {
    const char *kind;
    std::vector<std::string> files; // in tests/
    int status;
    std::vector<std::string> report;       // lines that the report holds
    std::vector<std::string> env = {};     // CC for a compiler without sanitizers
    std::vector<std::string> options = {}; // before the kind: --sorts
};

void PrintTo(const Case &c, std::ostream *os) {
    *os << c.kind << " " << c.files[0];
    for (const std::string &option : c.options) {
        *os << " " << option;
    }
}

class AdtlabCheck : public ::testing::TestWithParam<Case> {};

TEST_P(AdtlabCheck, ReportsWhatConformsAndWhatNot) {
    const Case &c = GetParam();
#if defined(__SANITIZE_ADDRESS__) // this system's flags, which modules share, need them
    if (!c.env.empty()) {
        GTEST_SKIP() << "a build without the sanitizers cannot share this system's flags";
    }
#endif
    // Generous but for the sort that never ends: the machine may be busy.
    const bool loops = c.files[0] == "check_modules/quick_loops.c";
    std::vector<std::string> command = {ADTLAB_CHECK, "--time-limit", loops ? "2" : "60"};
    command.insert(command.end(), c.options.begin(), c.options.end());
    command.push_back(c.kind);
    for (const std::string &file : c.files) {
        command.push_back(std::string(TESTS_DIR) + "/" + file);
    }
    Outcome o = run_program(command, "", c.env);
    EXPECT_TRUE(o.exited(c.status)) << "status " << o.status << ", signal " << o.signal << "\n"
                                    << o.out << o.err;
    for (const std::string &line : c.report) {
        EXPECT_NE((c.status == 2 ? o.err : o.out).find(line), std::string::npos)
            << "no \"" << line << "\" in\n"
            << o.out << o.err;
    }
}

// The module is built with the sanitizers, which report the crash.
const char *const crash = "insertion_sort: does not conform\n  it made a memory error (SEGV on "
                          "unknown address) on (4 values) -5 5 0 -5";

INSTANTIATE_TEST_SUITE_P(
    Modules, AdtlabCheck,
    ::testing::Values(
        Case{"sorts",
             {"check_modules/left_first_sorts.c"},
             0,
             {"selection_sort: conforms", "insertion_sort: conforms", "quick_sort: conforms"}},
        Case{"sorts",
             {"check_modules/selection_skips_self_swap.c"},
             1,
             {"selection_sort: does not conform\n  on (1 value) -19\n  call 1: expected swap(a, "
              "0, 0); got no more calls (0 comparisons and 0 swaps before it)",
              "insertion_sort: missing", "quick_sort: missing"}},
        Case{"sorts",
             {"check_modules/sorts_without_extern_c.cpp"},
             1,
             {"selection_sort: missing\n  it is defined as C++, under the name "
              "_Z14selection_sortPij, which C code does not call: declare it extern \"C\"",
              "insertion_sort: missing\n  it is defined as C++, under the name "
              "_Z14insertion_sortPij,",
              "quick_sort: missing\n"}},
        Case{"sorts",
             {"check_modules/selection_writes_to_report.c"},
             1,
             {"selection_sort: does not conform\n  on (0 values)\n  it wrote \"sorted\\n\" on "
              "file descriptor 3, the checker's channel, which a module must not use\n"}},
        Case{"sorts",
             {"check_modules/insertion_passes_equal.c"},
             1,
             {"insertion_sort: does not conform\n  on (2 values) 2 -2\n  call 1: expected "
              "goes_before(2, -2) -> false; got goes_before(-2, 2) -> true"}},
        Case{"sorts",
             {"check_modules/quick_last_pivot.c"},
             1,
             {"quick_sort: does not conform\n  on (2 values) 2 -2\n  call 1: expected "
              "goes_before(-2, 2) -> true; got goes_before(2, -2) -> false"}},
        Case{"sorts",
             {"check_modules/quick_loops.c"},
             1,
             {"quick_sort: does not conform\n  it did not finish within 2 s on (2 values) 2 -2"}},
        Case{"sorts", {"check_modules/insertion_crashes.c"}, 1, {crash}},
        Case{"sorts",
             {"check_modules/does_not_build.c"},
             1,
             {"does_not_build.c does not build:", "error: expected"}},
        Case{"queue",
             {"outside/list_queue.c"},
             0,
             {"queue_empty: conforms\nqueue_enqueue: conforms\nqueue_size: conforms\nqueue_dump: "
              "conforms\nqueue_disscard: conforms\n"}},
        Case{"queue",
             {"check_modules/queue_at_front.c"},
             1,
             {"queue_enqueue: does not conform\n  queue_dump(q, file) after queue_empty(), "
              "queue_enqueue of ",
              "queue_size: conforms"}},
        Case{"queue",
             {"check_modules/queue_discard_off_by_one.c"},
             1,
             {"queue_enqueue: conforms",
              "queue_disscard: does not conform\n  queue_dump(q, file) "
              "after queue_empty(), queue_enqueue of ",
              ", queue_disscard(q, 0): expected the dump to show "}},
        Case{"stack",
             {"outside/list_stack.c"},
             0,
             {"stack_empty: conforms\nstack_push: conforms\nstack_pop: conforms\nstack_is_empty: "
              "conforms\nstack_to_array: conforms\n"}},
        Case{"stack",
             {"check_modules/stack_bottom_first.c"},
             1,
             {"stack_push: does not conform\n  stack_to_array(s) after stack_empty(), stack_push "
              "of ",
              "stack_is_empty: conforms"}},
        Case{"fstring",
             {"../adt/fstring.cpp"},
             0,
             {"fstring_set: conforms\nfstring_eq: conforms\n"}}));

// Learners' common slips, each named for what it is: debug printing left
// in, a fork, a write on descriptor 3 taken for a free one, a compiler
// killed by the build's limits, a swap one past the end.
INSTANTIATE_TEST_SUITE_P(
    Slips, AdtlabCheck,
    ::testing::Values(
        Case{"sorts",
             {"check_modules/selection_prints_debug.c"},
             1,
             {"selection_sort: does not conform\n  it printed more than 64 MiB on standard output "
              "and error (the file size limit: take out debug printing) on (0 values)\n"}},
        Case{"sorts",
             {"check_modules/selection_forks.c"},
             1,
             {"selection_sort: does not conform\n  it tried to start another process or a thread "
              "(fork, clone), which is denied on (0 values)\n"}},
        Case{"queue",
             {"check_modules/queue_writes_on_descriptor_3.c"},
             1,
             {"queue_empty: does not conform\n  in queue_size(q) after queue_empty()\n  it wrote "
              "\"size is 0\\n\" on file descriptor 3, the checker's channel, which a module must "
              "not use\n",
              "queue_enqueue: conforms\n"}},
        Case{"sorts",
             {"check_modules/left_first_sorts.c"},
             1,
             {"left_first_sorts.c does not build:\nthe compiler was killed by signal 9 (SIGKILL), "
              "most likely by the build's memory or time limit\n"},
             {"CC=" TESTS_DIR "/check_modules/cc_killed.sh"}},
        Case{"sorts",
             {"check_modules/selection_swaps_past_end.c"},
             1,
             {"selection_sort: does not conform\n  on (1 value) -19\n  call 1: swap(a, 0, 1) on 1 "
              "value: position 1 is past the end\n"}}));

// Modules that write on descriptor 3 or find the harness's report and
// write into it, sorts that bypass goes_before or swap, and faults that mixed operations or bytes
// past a terminator show: none conforms, and the report says why.
INSTANTIATE_TEST_SUITE_P(
    Forging, AdtlabCheck,
    ::testing::Values(
        Case{"queue",
             {"check_modules/queue_forges_ok.c"},
             1,
             {"queue_empty: does not conform\n  in queue_empty()\n  it wrote \"ok\\n\" on file "
              "descriptor 3, the checker's channel, which a module must not use\n",
              "queue_disscard: does not conform\n"}},
        Case{"queue",
             {"check_modules/queue_floods_report.c"},
             1,
             {"queue_empty: does not conform\n  the harness's report ran over 16 MiB in "
              "queue_empty(): the module writes into it\n"}},
        Case{"queue",
             {"check_modules/queue_replays_answer.c"},
             1,
             {"queue_enqueue: does not conform\n  in queue_enqueue(q, ",
              ") after queue_empty()\n  the harness's report has a malformed line: 0 done\n"}},
        Case{"sorts",
             {"check_modules/selection_fakes_end.c"},
             1,
             {"selection_sort: does not conform\n  on (0 values)\n  the harness's report has a "
              "malformed line: end 0\n"}},
        Case{"queue",
             {"check_modules/queue_use_after_free.c"},
             1,
             {"queue_disscard: does not conform\n  queue_dump(q, file) after queue_empty(), "
              "queue_enqueue(q, ",
              "), queue_disscard(q, 0), queue_enqueue(q, ", "): expected the dump to show ",
              "; it showed nothing\n"},
             {"CC=" TESTS_DIR "/check_modules/cc_without_sanitizers.sh"}},
        Case{"fstring",
             {"check_modules/fstring_compares_buffers.c"},
             1,
             {"fstring_set: conforms", "fstring_eq: does not conform\n  fstring_eq(\"\", \"\"): "
                                       "expected true; it returned false\n"}},
        Case{"sorts",
             {"check_modules/selection_writes_past_swap.c"},
             1,
             {"selection_sort: does not conform\n  on (2 values) 2 -2\n  the result differs from "
              "the library's though every call matched: change the array only through swap(a, i, "
              "j)\n"}},
        Case{"sorts",
             {"check_modules/sorts_bypass_calls.c"},
             1,
             {"insertion_sort: does not conform\n  on (2 values) 2 -2\n  call 2: expected swap(a, "
              "0, 1); got no more calls (1 comparison and 0 swaps before it)\n  it sorts every "
              "input correctly, but its calls differ from the library's at call 2: on these 2 "
              "values your sort stops after 1 comparison and 0 swaps as the library's; the "
              "library's call 2 swaps positions 0 and 1 (swap(a, 0, 1))\n",
              "quick_sort: does not conform\n  on (2 values) 2 -2\n  call 1: expected "
              "goes_before(-2, 2) -> true; got no more calls (0 comparisons and 0 swaps before "
              "it)\n  on these 2 values your sort makes no call; the library's call 1 compares "
              "-2 with 2 (goes_before(-2, 2) -> true)\n"}}));

// What a sort did at its first differing call, in words of that call and
// the input shown; a sort whose every result is right is told that only its
// calls differ (for quick sort, its partitions).
INSTANTIATE_TEST_SUITE_P(
    Words, AdtlabCheck,
    ::testing::Values(
        Case{"sorts",
             {"check_modules/quick_scans_stop_short.c"},
             1,
             {"\n  on these 2 values your sort's first call swaps positions 1 and 0 (swap(a, 1, "
              "0)), before comparing any values; the library's compares -2 with 2 "
              "(goes_before(-2, 2) -> true)\n"}},
        Case{"sorts",
             {"check_modules/selection_skips_self_swap.c"},
             1,
             {"\n  it sorts every input correctly, but its calls differ from the library's at "
              "call 1: on this 1 value your sort makes no call; the library's call 1 swaps "
              "position 0 with itself (swap(a, 0, 0))\n"}},
        Case{"sorts",
             {"check_modules/quick_last_pivot.c"},
             1,
             {"\n  it sorts every input correctly, but partitions differently: the library "
              "takes the first element of positions 0 to 1, 2, as pivot and at call 1 compares "
              "-2 with 2 (goes_before(-2, 2) -> true); yours compares 2 with -2 (goes_before(2, "
              "-2) -> false)\n"}},
        Case{"sorts",
             {"check_modules/quick_skips_equal_pivot.c"},
             1,
             // The input it fails on may be one chosen from the seed, and its
             // first differing call a comparison or a swap.
             {"\n  it sorts every input correctly, but partitions differently: the library "
              "takes the first element of positions ",
              "; yours "}},
        Case{"sorts",
             {"check_modules/insertion_passes_equal.c"},
             1,
             {"\n  it sorts every input correctly, but its calls differ from the library's at "
              "call 1: on these 2 values your sort's first call compares -2 with 2 "
              "(goes_before(-2, 2) -> true); the library's compares 2 with -2 (goes_before(2, "
              "-2) -> false)\n"}}));

// Sorts that an assignment names with --sorts, checked call by call as the
// three are, in the table's order; a three-way quick sort partition by
// partition. The three it does not name are not checked, and those it names
// that the module lacks are missing.
const char *const heap_quick3 = "check_modules/heap_quick3_left_first.c";
const char *const conforms = ": conforms (70 inputs; results, counts and calls as the library's)\n";

INSTANTIATE_TEST_SUITE_P(
    Assigned, AdtlabCheck,
    ::testing::Values(
        Case{"sorts",
             {heap_quick3},
             0,
             {std::string("heap_sort") + conforms + "quick3_sort" + conforms + "seed: "},
             {},
             {"--sorts", "quick3,heap"}},
        Case{"sorts",
             {heap_quick3},
             1,
             {"selection_sort: missing\nheap_sort: conforms"},
             {},
             {"--sorts=heap,selection,heap"}},
        Case{"sorts",
             {heap_quick3},
             1,
             {"selection_sort: missing\ninsertion_sort: missing\nquick_sort: missing\nseed: "}},
        Case{"sorts",
             {"check_modules/heap_compares_children_other_way.c"},
             1,
             {"heap_sort: does not conform\n  on (3 values) 3 -1 2\n  call 1: expected "
              "goes_before(2, -1) -> false; got goes_before(-1, 2) -> true (0 comparisons and 0 "
              "swaps before it)\n  it sorts every input correctly, but its calls differ from the "
              "library's at call 1: on these 3 values your sort's first call compares -1 with 2 "
              "(goes_before(-1, 2) -> true); the library's compares 2 with -1 (goes_before(2, -1) "
              "-> false)\nseed: "},
             {},
             {"--sorts", "heap"}},
        Case{"sorts",
             {"check_modules/quick3_tests_before_first.c"},
             1,
             {"\nquick3_sort: does not conform\n  on (2 values) 2 -2\n  call 1: expected "
              "goes_before(-2, 2) -> true; got goes_before(2, -2) -> false (0 comparisons and 0 "
              "swaps before it)\n  it sorts every input correctly, but partitions differently: the "
              "library takes the first element of positions 0 to 1, 2, as pivot and at call 1 "
              "compares -2 with 2 (goes_before(-2, 2) -> true); yours compares 2 with -2 "
              "(goes_before(2, -2) -> false)\n"},
             {},
             {"--sorts", "heap,quick3"}}));

// A compiler that starts too many processes is stopped by the build's
// cgroup, and the build's failure says so; where no cgroup counts them,
// there is no such limit to name.
TEST(AdtlabCheck, NamesTheBuildsProcessLimit) {
    const Outcome o = run_program({ADTLAB_CHECK, "--time-limit", "60", "sorts",
                                   TESTS_DIR "/check_modules/left_first_sorts.c"},
                                  "", {"CC=" TESTS_DIR "/check_modules/cc_forks.sh"});
    if (o.out.find("processes limited by a cgroup") == std::string::npos) {
        GTEST_SKIP() << "no cgroup here: " << o.out;
    }
    EXPECT_TRUE(o.exited(1)) << o.out << o.err;
    EXPECT_NE(o.out.find("left_first_sorts.c does not build:\n"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("\nthe compiler started too many processes (the build's limit is 64)\n"),
              std::string::npos)
        << o.out;
}

struct Usage {
    const char *what;
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;
};

void PrintTo(const Usage &u, std::ostream *os) {
    *os << u.what;
}

class AdtlabCheckUsage : public ::testing::TestWithParam<Usage> {};

TEST_P(AdtlabCheckUsage, TakesTheKindAfterTheOptions) {
    std::vector<std::string> command = {ADTLAB_CHECK};
    command.insert(command.end(), GetParam().args.begin(), GetParam().args.end());
    Outcome o = run_program(command);
    EXPECT_TRUE(o.exited(GetParam().status)) << o.out << o.err;
    // The isolation line depends on the machine.
    EXPECT_EQ(o.out.substr(0, o.out.find("isolation: ")), GetParam().out);
    EXPECT_EQ(o.err, GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, AdtlabCheckUsage,
    ::testing::Values(
        Usage{"unknown kind",
              {"lists", "x.c"},
              2,
              "",
              "adtlab-check: unknown kind 'lists' (sorts, queue, stack or fstring)\n"},
        Usage{"a kind after two dashes",
              {"--", "--help", "x.c"},
              2,
              "",
              "adtlab-check: unknown kind '--help' (sorts, queue, stack or fstring)\n"},
        Usage{
            "two dashes after the time limit",
            {"--time-limit", "60", "--seed", "3", "--", "stack", TESTS_DIR "/outside/list_stack.c"},
            0,
            "stack_empty: conforms\nstack_push: conforms\nstack_pop: conforms\nstack_is_empty: "
            "conforms\nstack_to_array: conforms\nseed: 3\n",
            ""},
        Usage{"an unknown sort",
              {"--sorts", "heap,merge", "sorts", "x.c"},
              2,
              "",
              "adtlab-check: unknown sort 'merge' in --sorts (selection, insertion, quick, "
              "bubble, shell, heap or quick3)\n"},
        Usage{"no sort",
              {"--sorts=", "sorts", "x.c"},
              2,
              "",
              "adtlab-check: unknown sort '' in --sorts (selection, insertion, quick, bubble, "
              "shell, heap or quick3)\n"},
        Usage{"sorts of a queue",
              {"--sorts", "heap", "queue", "x.c"},
              2,
              "",
              "adtlab-check: --sorts chooses the sorts to check; queue checks none\n"}),
    adtlab::testing::NameFromWhat());

// The seed chooses the operations and their values: the same seed repeats a
// failing module's report, another changes it.
class AdtlabCheckSeed : public ::testing::TestWithParam<Case> {};

TEST_P(AdtlabCheckSeed, RepeatsAReportForItsSeed) {
    const Case &c = GetParam();
    const auto run = [&c](const char *seed) {
        return run_program({ADTLAB_CHECK, "--time-limit", "60", "--seed", seed, c.kind,
                            std::string(TESTS_DIR) + "/" + c.files[0]});
    };
    const Outcome first = run("11");
    const Outcome again = run("11");
    const Outcome other = run("12");
    EXPECT_TRUE(first.exited(c.status)) << first.out << first.err;
    EXPECT_NE(first.out.find("seed: 11\n"), std::string::npos) << first.out;
    EXPECT_EQ(first.out, again.out);
    EXPECT_NE(first.out.substr(0, first.out.find("seed: ")),
              other.out.substr(0, other.out.find("seed: ")));
}

INSTANTIATE_TEST_SUITE_P(
    Seeds, AdtlabCheckSeed,
    ::testing::Values(Case{"queue", {"check_modules/queue_at_front.c"}, 1, {}},
                      Case{"stack", {"check_modules/stack_bottom_first.c"}, 1, {}}));

TEST(AdtlabCheck, MakesItsWorkingFolderInTmpdir) {
    Outcome o = run_program({ADTLAB_CHECK, "stack", TESTS_DIR "/outside/list_stack.c"}, "",
                            {"TMPDIR=/nonexistent/adtlab-check"});
    EXPECT_TRUE(o.exited(2));
    EXPECT_EQ(o.err, "adtlab-check: cannot make a working folder\n");
}

#if defined(__SANITIZE_ADDRESS__)
#define PRELOAD_WORKS 0 // the sanitizer runtime must be the first library loaded
#else
#define PRELOAD_WORKS 1
#endif

// A check that fails to build, or whose system calls fail, as well as one
// that runs: each leaves $TMPDIR as it found it.
struct Cleanup {
    const char *what;
    std::vector<std::string> files; // in tests/, checked as a queue
    int fork_that_fails;            // 0 for none
    int status;
    std::string err; // what standard error starts with
};

void PrintTo(const Cleanup &c, std::ostream *os) {
    *os << c.what;
}

class AdtlabCheckCleanup : public ::testing::TestWithParam<Cleanup> {};

TEST_P(AdtlabCheckCleanup, LeavesNoWorkingFolderBehind) {
    const Cleanup &c = GetParam();
    if (c.fork_that_fails != 0 && !PRELOAD_WORKS) {
        GTEST_SKIP() << "fork cannot be replaced under the sanitizers";
    }
    std::string tmpdir = "/tmp/adtlab-check-test-XXXXXX";
    ASSERT_NE(mkdtemp(tmpdir.data()), nullptr);
    fs::permissions(tmpdir, fs::perms::others_exec, fs::perm_options::add); // for user 65534
    std::vector<std::string> command = {ADTLAB_CHECK, "queue"};
    for (const std::string &file : c.files) {
        command.push_back(std::string(TESTS_DIR) + "/" + file);
    }
    std::vector<std::string> env = {"TMPDIR=" + tmpdir};
    if (c.fork_that_fails != 0) {
        env.push_back("LD_PRELOAD=" FAIL_FORK);
        env.push_back("ADTLAB_FAIL_FORK_AT=" + std::to_string(c.fork_that_fails));
    }
    Outcome o = run_program(command, "", env);
    EXPECT_TRUE(o.exited(c.status)) << o.out << o.err;
    EXPECT_EQ(o.err.substr(0, c.err.size()), c.err);
    EXPECT_TRUE(std::filesystem::is_empty(tmpdir)) << "in " << tmpdir;
    std::filesystem::remove_all(tmpdir);
}

// The forks: the sanitizers' trial (built, run), the harness's compilation,
// the file's, the link, the trial of bubblewrap, the harness.
INSTANTIATE_TEST_SUITE_P(
    Checks, AdtlabCheckCleanup,
    ::testing::Values(
        Cleanup{"conforms", {"outside/list_queue.c"}, 0, 0, ""},
        Cleanup{"does not build", {"check_modules/does_not_build.c"}, 0, 1, ""},
        Cleanup{"not a source",
                {"outside/list_queue.c", "CMakeLists.txt"},
                0,
                2,
                "adtlab-check: " TESTS_DIR "/CMakeLists.txt: not a C or C++ source"},
        Cleanup{"does not link", {"outside/list_queue.c", "outside/list_queue.c"}, 0, 1, ""},
        Cleanup{"no compiler started",
                {"outside/list_queue.c"},
                1,
                2,
                "adtlab-check: cannot start a process: Resource temporarily unavailable\n"},
        Cleanup{"no harness started",
                {"outside/list_queue.c"},
                7,
                2,
                "adtlab-check: cannot start a process: Resource temporarily unavailable\n"}),
    adtlab::testing::NameFromWhat());

} // namespace
