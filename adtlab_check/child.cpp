#include "child.h"

#include "bubblewrap.h"
#include "building.h"
#include "failure.h"
#include "interruption.h"
#include "launch.h"
#include "sandbox.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace adtlab::check {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto memory_period = std::chrono::milliseconds(50);

// The children's environment: fixed, with the sanitizers' options: no leak
// check, no symbolizer and no watching thread to start (the filter denies
// both), the memory limit as an allocation's, reports on standard error.
std::vector<std::string> child_environment(const Limits &limits, const std::string &home) {
    std::vector<std::string> env = clean_environment(home);
    const std::string mib = std::to_string(limits.memory_mib);
    env.push_back("ASAN_OPTIONS=detect_leaks=0:symbolize=0:allocator_may_return_null=0:"
                  "max_allocation_size_mb=" +
                  mib + ":disable_coredump=1");
    env.push_back("UBSAN_OPTIONS=print_stacktrace=0:halt_on_error=1");
    return env;
}

int open_or_fail(const fs::path &file, int flags) {
    const int fd = open(file.c_str(), flags | O_CLOEXEC, 0600);
    if (fd < 0) {
        fail("cannot open " + file.string() + ": " + std::strerror(errno));
    }
    return fd;
}

// The input in a new file at `file`, open at its start.
int input_file(const fs::path &file, const std::string &input) {
    unlink(file.c_str());
    const int fd = open_or_fail(file, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW);
    for (std::size_t written = 0; written < input.size();) {
        const ssize_t n = write(fd, input.data() + written, input.size() - written);
        if (n <= 0) {
            fail("cannot write " + file.string() + ": " + std::strerror(errno));
        }
        written += static_cast<std::size_t>(n);
    }
    lseek(fd, 0, SEEK_SET);
    return fd;
}

long long bytes_in(int fd) {
    struct stat status {};
    return fstat(fd, &status) == 0 ? static_cast<long long>(status.st_size) : 0;
}

bool leader_ended(const Child &child) {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(child.pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid != 0;
}

// Kills the whole group and keeps what is left in the report.
void stop_group(Child &child) {
    kill(-child.pid, SIGKILL);
    kill(child.pid, SIGKILL); // before it made its group
    fcntl(child.report, F_SETFL, O_NONBLOCK);
    char buffer[65536];
    for (ssize_t n; !child.flooded && (n = read(child.report, buffer, sizeof buffer)) > 0;) {
        child.received += static_cast<std::size_t>(n);
        child.flooded = child.received > child.read_limit;
        child.pending.append(buffer, static_cast<std::size_t>(n));
    }
    child.stopped = true;
}

// Every period: stops the group when it holds more than its memory limit.
void watch_memory(Child &child) {
    const Clock::time_point now = Clock::now();
    if (now - child.measured < memory_period) {
        return;
    }
    child.measured = now;
    const unsigned long long limit = child.limits.memory_mib * 1024ULL * 1024ULL;
    if (tree_memory(child.pid) > limit) {
        child.ending = {EndingKind::memory_limit, 0, ""};
        stop_group(child);
    }
}

std::chrono::milliseconds wait_at_most(const Child &child) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(child.deadline - Clock::now());
    return std::clamp(left, std::chrono::milliseconds(0),
                      std::chrono::duration_cast<std::chrono::milliseconds>(memory_period));
}

// Reads what the report holds; false at its end or past the read limit.
bool read_report(Child &child) {
    char buffer[65536];
    const ssize_t n = read(child.report, buffer, sizeof buffer);
    if (n <= 0) {
        return false;
    }
    child.received += static_cast<std::size_t>(n);
    if (child.received > child.read_limit) {
        child.flooded = true; // a bound on what a module can make this process hold
        return false;
    }
    child.pending.append(buffer, static_cast<std::size_t>(n));
    return true;
}

// Waits for the leader to end, within the deadline and the memory limit.
void wait_for_leader(Child &child, bool &timed_out) {
    while (!child.stopped && !leader_ended(child)) {
        if (Clock::now() >= child.deadline) {
            timed_out = true;
            return;
        }
        watch_memory(child);
        poll(nullptr, 0, static_cast<int>(wait_at_most(child).count()));
    }
}

// The end of what this run wrote on its standard output and error, where a
// sanitizer's report is; the file is then cut back to its bound.
std::string output_of_run(const Child &child) {
    const long long size = bytes_in(child.output);
    const long long from = std::max(child.output_start, size - 256LL * 1024);
    std::string text = read_output(child.output, from, static_cast<std::size_t>(size - from));
    if (size > static_cast<long long>(output_bound)) {
        [[maybe_unused]] const int cut = ftruncate(child.output, static_cast<off_t>(output_bound));
    }
    return text;
}

// How a run that did not exit normally ended; `output` is the end of what
// it wrote, `printed_to_limit` whether that reached the file size limit.
Ending abnormal_end(const Child &child, int signal, const rusage &usage, const std::string &output,
                    bool printed_to_limit) {
    const Limits &limits = child.limits;
    if (signal == SIGSYS) {
        return {EndingKind::filtered, signal, ""};
    }
    if (signal == SIGKILL && child.cgroup && child.cgroup->hit_memory_limit()) {
        return {EndingKind::memory_limit, 0, ""};
    }
    if (Ending fault = fault_in_output(output); fault.kind != EndingKind::exited) {
        return fault;
    }
    const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec);
    if (signal == SIGXCPU || (signal == SIGKILL && cpu >= limits.cpu_seconds)) {
        return {EndingKind::cpu_limit, signal, ""};
    }
    if (signal == SIGXFSZ) {
        return {printed_to_limit ? EndingKind::output_limit : EndingKind::file_limit, signal, ""};
    }
    if (static_cast<unsigned long long>(usage.ru_maxrss) >= limits.memory_mib * 1024ULL) {
        return {EndingKind::memory_limit, 0, ""};
    }
    if (child.cgroup && child.cgroup->hit_process_limit()) {
        return {EndingKind::process_limit, signal, ""};
    }
    if (signal != 0) {
        return {EndingKind::signal, signal, ""};
    }
    return {};
}

// What the module wrote on descriptor 3, its first bytes; "" for nothing.
std::string channel_text(const Child &child) {
    char bytes[40];
    const ssize_t n = child.channel < 0 ? 0 : pread(child.channel, bytes, sizeof bytes, 0);
    return n > 0 ? std::string(bytes, static_cast<std::size_t>(n)) : "";
}

// How the reaped child ended, from its status and what it wrote.
Ending how_it_ended(const Child &child, bool timed_out, int status, const rusage &usage,
                    const std::string &output, bool printed_to_limit) {
    if (child.ending.kind != EndingKind::exited) {
        return child.ending;
    }
    if (timed_out) {
        return {EndingKind::timed_out, 0, ""};
    }
    int signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 0;
    if (code > 128 && code < 128 + 65 && in_bubblewrap()) {
        signal = code - 128; // bubblewrap passes a signal on as 128 + its number
    }
    if (signal == 0 && is_denial(code)) {
        return {EndingKind::denied_call, code, ""};
    }
    if (code == 126 || (code == 3 && signal == 0)) {
        return {code == 126 ? EndingKind::not_started : EndingKind::no_filter, code, ""};
    }
    if (signal == 0 && code == 0) {
        return {};
    }
    return abnormal_end(child, signal, usage, output, printed_to_limit);
}

} // namespace

void make_pipe(int fds[2]) {
    if (pipe2(fds, O_CLOEXEC) != 0) {
        fail("cannot make a pipe");
    }
}

pid_t fork_process() {
    const pid_t pid = fork();
    if (pid < 0) {
        fail(std::string("cannot start a process: ") + std::strerror(errno));
    }
    return pid;
}

// A killed process lasts until the kernel has torn it down. What the group
// left behind was handed to this process (a subreaper, see start), which
// reaps it here, so that nothing of the group outlives the check. Tearing
// down a large process on a busy machine can take seconds; past this
// deadline the group is left to the kernel.
void await_group_end(pid_t group) {
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (Clock::now() < deadline) {
        while (waitpid(-group, nullptr, WNOHANG) > 0) {
        }
        if (kill(-group, 0) != 0 && kill(group, 0) != 0) {
            return;
        }
        usleep(1000);
    }
}

// The child's command: the harness in a fresh sandbox, or as it is.
std::vector<std::string> child_command(const Harness &harness, const std::string &argument) {
    if (!in_bubblewrap()) {
        return {harness.program.string(), argument};
    }
    const unsigned long long file_bytes = harness.limits.file_mib * (1ULL << 20);
    std::vector<std::string> words = run_sandbox(harness.program, file_bytes);
    words.insert(words.end(), {sandbox_harness, argument});
    return words;
}

Child start(const Harness &harness, const std::string &argument, const std::string &input) {
    const Limits &limits = harness.limits;
    // What the child leaves running comes to this process, to be reaped.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    Child child;
    child.limits = limits;
    child.output = harness.output;
    child.output_start = bytes_in(harness.output);
    child.cgroup = std::make_shared<Cgroup>(limits.memory_mib, limits.processes);
    const int in = input_file(harness.work / "input.txt", input);
    child.channel = input_file(harness.work / "channel.txt", "");
    int fds[2];
    make_pipe(fds);
    const unsigned long long mib = 1ULL << 20;
    Launch what{child_command(harness, argument),
                child_environment(limits, in_bubblewrap() ? sandbox_work : harness.home.string()),
                in_bubblewrap() ? fs::path("/") : harness.home,
                {limits.cpu_seconds, limits.file_mib * mib,
                 // the sanitizers' shadow memory needs more address space
                 sanitizers_in_use() ? 0 : limits.memory_mib * mib},
                child.cgroup.get(),
                in,
                harness.output,
                fds[1],
                child.channel};
    child.deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                        std::chrono::duration<double>(limits.seconds));
    child.pid = launch(what);
    close(fds[1]);
    close(in);
    child.report = fds[0];
    child.measured = Clock::now();
    return child;
}

std::optional<std::string> next_line(Child &child, bool &timed_out) {
    while (true) {
        const std::size_t newline = child.pending.find('\n', child.taken);
        if (newline != std::string::npos) {
            std::string line = child.pending.substr(child.taken, newline - child.taken);
            child.taken = newline + 1;
            return line;
        }
        child.pending.erase(0, child.taken); // once per read, not once per line
        child.taken = 0;
        if (child.stopped || child.flooded) {
            return std::nullopt;
        }
        if (interruption() != 0) {
            stop_group(child);
            return std::nullopt;
        }
        if (Clock::now() >= child.deadline) {
            timed_out = true;
            return std::nullopt;
        }
        pollfd fd{child.report, POLLIN, 0};
        if (poll(&fd, 1, static_cast<int>(wait_at_most(child).count())) > 0 &&
            !read_report(child)) {
            return std::nullopt;
        }
        if (fd.revents == 0 && leader_ended(child)) {
            stop_group(child); // what it started may hold the report open
        }
        watch_memory(child);
    }
}

bool channel_written(const Child &child) {
    return child.channel >= 0 && bytes_in(child.channel) > 0;
}

Ending finish(Child &child, bool timed_out) {
    if (!child.stopped) {
        if (!timed_out) {
            wait_for_leader(child, timed_out);
        }
        stop_group(child);
    }
    close(child.report);
    int status = 0;
    rusage usage{};
    wait4(child.pid, &status, 0, &usage);
    await_group_end(child.pid);
    forget_group(child.pid);
    const long long file_bytes = static_cast<long long>(child.limits.file_mib) << 20;
    const bool printed_to_limit = bytes_in(child.output) >= file_bytes;
    const std::string output = output_of_run(child); // also cuts the file back to its bound
    const std::string written = channel_text(child);
    const long long total = std::min(bytes_in(child.channel), 1LL << 30);
    close(child.channel);
    if (!written.empty()) {
        return {EndingKind::wrote_on_channel, static_cast<int>(total), written};
    }
    return how_it_ended(child, timed_out, status, usage, output, printed_to_limit);
}

} // namespace adtlab::check
