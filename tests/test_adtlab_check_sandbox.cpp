// adtlab-check on submissions that misbehave: each limit is reported as that
// limit, and nothing is left behind, neither in the caller's directory nor
// in $TMPDIR nor as a process, with bubblewrap and without, nor when the run
// is interrupted.
#include "process.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h> // mkdtemp, setenv
#include <string.h> // sigabbrev_np
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

using adtlab::testing::Outcome;
using adtlab::testing::run_program;

struct Misbehaving {
    const char *what;
    const char *kind;
    const char *file; // in tests/check_modules/
    int status;
    std::vector<std::string> report; // lines that the report holds
    bool sanitizers = true;          // false: built by a compiler without them
    std::vector<std::string> options = {};
};

void PrintTo(const Misbehaving &m, std::ostream *os) {
    *os << m.what;
}

// The processes whose working directory lies in `folder`.
std::vector<std::string> processes_in(const fs::path &folder) {
    std::vector<std::string> found;
    std::error_code error;
    for (const fs::directory_entry &entry : fs::directory_iterator("/proc", error)) {
        std::error_code gone;
        const fs::path cwd = fs::read_symlink(entry.path() / "cwd", gone);
        if (!gone && cwd.string().rfind(folder.string(), 0) == 0) {
            found.push_back(entry.path().filename().string());
        }
    }
    return found;
}

// The processes in `folder`, once none is left or after a deadline that only
// a process that outlives the check reaches, however busy the machine.
std::vector<std::string> processes_left_in(const fs::path &folder) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::vector<std::string> found = processes_in(folder);
    while (!found.empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        found = processes_in(folder);
    }
    return found;
}

class AdtlabCheckSandbox : public ::testing::TestWithParam<std::tuple<Misbehaving, bool>> {};

TEST_P(AdtlabCheckSandbox, NamesTheLimitAndLeavesNothingBehind) {
    const auto &[m, bubblewrap] = GetParam();
#if defined(__SANITIZE_ADDRESS__) // this system's flags, which modules share, need them
    if (!m.sanitizers) {
        GTEST_SKIP() << "a build without the sanitizers cannot share this system's flags";
    }
#endif
    std::string root = "/tmp/adtlab-check-sandbox-XXXXXX";
    ASSERT_NE(mkdtemp(root.data()), nullptr);
    const fs::path caller = fs::path(root) / "caller";
    const fs::path tmpdir = fs::path(root) / "tmp";
    fs::create_directories(caller);
    fs::create_directories(tmpdir);
    for (const fs::path &folder : {fs::path(root), tmpdir}) { // for user 65534, as root
        fs::permissions(folder, fs::perms::others_exec, fs::perm_options::add);
    }
    std::vector<std::string> env = {"TMPDIR=" + tmpdir.string(),
                                    std::string("ADTLAB_CHECK_NO_BWRAP=") +
                                        (bubblewrap ? "" : "1")};
    if (!m.sanitizers) {
        env.push_back("CC=" TESTS_DIR "/check_modules/cc_without_sanitizers.sh");
    }
    std::vector<std::string> command = {
        "/bin/sh",      "-c", "cd \"$0\" && exec \"$@\"", caller.string(), ADTLAB_CHECK,
        "--time-limit", "60"};
    command.insert(command.end(), m.options.begin(), m.options.end());
    if (!bubblewrap) {
        command.emplace_back("--no-sandbox"); // as root, it would refuse
    }
    command.insert(command.end(), {m.kind, std::string(TESTS_DIR "/check_modules/") + m.file});
    const Outcome o = run_program(command, "", env);
    EXPECT_TRUE(o.exited(m.status)) << o.out << o.err;
    const std::string isolation = bubblewrap ? "isolation: bubblewrap: no network"
                                             : "isolation: limits only: bubblewrap is turned off";
    EXPECT_NE(o.out.find(isolation), std::string::npos) << o.out;
    for (const std::string &line : m.report) {
        EXPECT_NE(o.out.find(line), std::string::npos) << "no \"" << line << "\" in\n" << o.out;
    }
    EXPECT_EQ(processes_left_in(root), std::vector<std::string>{});
    EXPECT_TRUE(fs::is_empty(caller)) << "the caller's directory";
    EXPECT_TRUE(fs::is_empty(tmpdir)) << "$TMPDIR";
    fs::remove_all(root);
}

const char *const hungry = "it exceeded the memory limit of 512 MiB on (0 values)";

INSTANTIATE_TEST_SUITE_P(
    Submissions, AdtlabCheckSandbox,
    ::testing::Combine(
        ::testing::Values(
            Misbehaving{"memory_hungry",
                        "sorts",
                        "memory_hungry_sorts.c",
                        1,
                        {std::string("selection_sort: does not conform\n  ") + hungry,
                         std::string("insertion_sort: does not conform\n  ") + hungry}},
            Misbehaving{"memory_hungry_without_sanitizers",
                        "sorts",
                        "memory_hungry_sorts.c",
                        1,
                        {std::string("selection_sort: does not conform\n  ") + hungry,
                         std::string("insertion_sort: does not conform\n  ") + hungry},
                        false},
            Misbehaving{"writes_a_big_file",
                        "sorts",
                        "writes_big_file.c",
                        1,
                        {"selection_sort: does not conform\n  it exceeded the file size limit of "
                         "64 MiB on (0 values)"}},
            Misbehaving{"queue_use_after_free",
                        "queue",
                        "queue_use_after_free.c",
                        1,
                        {"queue_disscard: does not conform\n  it made a memory error "
                         "(heap-use-after-free) in queue_enqueue(q, "}},
            Misbehaving{"spins",
                        "sorts",
                        "quick_loops.c",
                        1,
                        {"quick_sort: does not conform\n  it exceeded the processor time limit of "
                         "1 s on (2 values) 2 -2"},
                        true,
                        {"--cpu-limit", "1"}},
            Misbehaving{"leaves_a_process",
                        "sorts",
                        "leaves_a_process.c",
                        1,
                        {"selection_sort: does not conform\n  it tried to start another process "
                         "or a thread (fork, clone), which is denied",
                         "insertion_sort: missing"}}),
        ::testing::Bool()),
    [](const auto &info) {
        return std::string(std::get<0>(info.param).what) +
               (std::get<1>(info.param) ? "_in_bubblewrap" : "_limits_only");
    });

} // namespace

namespace {

// Whether `folder` holds a file named `name` at any depth.
bool holds(const fs::path &folder, const std::string &name) {
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (it->path().filename() == name) {
            return true;
        }
    }
    return false;
}

struct Interruption {
    int signal;
    const char *jobs;
};

class AdtlabCheckInterrupted : public ::testing::TestWithParam<Interruption> {};

// SIGINT or SIGTERM while a submission's sort loops: the checker ends by the
// signal, says so, kills every process, removes every folder, and writes no
// --output at all.
TEST_P(AdtlabCheckInterrupted, StopsEverythingAndLeavesNoOutput) {
    const Interruption &i = GetParam();
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    std::string root = "/tmp/adtlab-check-interrupted-XXXXXX";
    ASSERT_NE(mkdtemp(root.data()), nullptr);
    fs::permissions(root, fs::perms::others_exec, fs::perm_options::add);
    const fs::path tmpdir = fs::path(root) / "tmp";
    fs::create_directory(tmpdir);
    fs::permissions(tmpdir, fs::perms::others_exec, fs::perm_options::add);
    const fs::path output = fs::path(root) / "report.txt";
    const fs::path messages = fs::path(root) / "messages.txt";
    for (const char *student : {"a", "b"}) {
        fs::create_directory(fs::path(root) / student);
        fs::copy_file(TESTS_DIR "/check_modules/quick_loops.c",
                      fs::path(root) / student / "sorts.c");
    }
    const std::string a = root + "/a";
    const std::string b = root + "/b";
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        setenv("TMPDIR", tmpdir.c_str(), 1);
        const int err = open(messages.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(err, STDERR_FILENO);
        execl(ADTLAB_CHECK, ADTLAB_CHECK, "--jobs", i.jobs, "--time-limit", "600", "--cpu-limit",
              "600", "--output", output.c_str(), "sorts", a.c_str(), b.c_str(),
              static_cast<char *>(nullptr));
        _exit(127);
    }
    // The sorts run once a submission's output file is made; a checker that
    // ended before is reaped below.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!holds(tmpdir, "output.txt") && std::chrono::steady_clock::now() < deadline &&
           kill(pid, 0) == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(holds(tmpdir, "output.txt")) << "no check started";
    kill(pid, i.signal);
    int status = 0;
    const auto ended_by = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (waitpid(pid, &status, WNOHANG) == 0 && std::chrono::steady_clock::now() < ended_by) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == i.signal) << "status " << status;
    kill(pid, SIGKILL); // had it not ended
    waitpid(pid, nullptr, 0);
    std::ifstream in(messages);
    const std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(said.find(std::string("adtlab-check: interrupted by SIG") + sigabbrev_np(i.signal)),
              std::string::npos)
        << said;
    EXPECT_FALSE(fs::exists(output));
    EXPECT_TRUE(fs::is_empty(tmpdir)) << "$TMPDIR";
    const auto reaped_by = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!(waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD) &&
           std::chrono::steady_clock::now() < reaped_by) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << "a process outlived the check";
    fs::remove_all(root);
}

INSTANTIATE_TEST_SUITE_P(Signals, AdtlabCheckInterrupted,
                         ::testing::Values(Interruption{SIGINT, "1"}, Interruption{SIGTERM, "2"}),
                         [](const auto &info) {
                             return std::string(sigabbrev_np(info.param.signal)) + "_with_jobs_" +
                                    info.param.jobs;
                         });

} // namespace
