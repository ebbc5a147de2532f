#include "child.h"

#include "building.h"
#include "failure.h"
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

namespace fs = std::filesystem;

namespace adtlab::check {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto memory_period = std::chrono::milliseconds(50);

// The words as a null-terminated argv, made before fork: a forked copy of a
// process with threads may not allocate.
std::vector<char *> argv_of(const std::vector<std::string> &words) {
    std::vector<char *> argv;
    for (const std::string &word : words) {
        argv.push_back(const_cast<char *>(word.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

// The environment with the sanitizers' options set for the child: no leak
// check, the memory limit as theirs, reports on standard error.
std::vector<std::string> child_environment(const Limits &limits) {
    std::vector<std::string> env;
    for (char **entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        if (text.rfind("ASAN_OPTIONS=", 0) != 0 && text.rfind("UBSAN_OPTIONS=", 0) != 0) {
            env.push_back(text);
        }
    }
    const std::string mib = std::to_string(limits.memory_mib);
    env.push_back("ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=0:hard_rss_limit_mb=" +
                  mib + ":max_allocation_size_mb=" + mib + ":disable_coredump=1");
    env.push_back("UBSAN_OPTIONS=print_stacktrace=0:halt_on_error=1");
    return env;
}

void set_limit(int resource, rlim_t soft, rlim_t hard) {
    const rlimit limit{soft, hard};
    setrlimit(resource, &limit);
}

// In the forked child: its own group, its limits, its folder, its streams.
[[noreturn]] void become_child(const Limits &limits, const fs::path &work, int in, int out,
                               int report, char *const argv[], char *const envp[]) {
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const rlim_t mib = rlim_t{1024} * 1024;
    set_limit(RLIMIT_CORE, 0, 0);
    set_limit(RLIMIT_CPU, limits.cpu_seconds, limits.cpu_seconds + 1);
    set_limit(RLIMIT_FSIZE, limits.file_mib * mib, limits.file_mib * mib);
    if (!sanitizers_in_use()) { // their shadow memory needs more address space
        set_limit(RLIMIT_AS, limits.memory_mib * mib, limits.memory_mib * mib);
    }
    if (chdir(work.c_str()) != 0 || dup2(in, STDIN_FILENO) < 0 || dup2(out, STDOUT_FILENO) < 0 ||
        dup2(out, STDERR_FILENO) < 0 || dup2(report, 3) < 0) {
        _exit(127);
    }
    execve(argv[0], argv, envp);
    _exit(127);
}

int open_or_fail(const fs::path &file, int flags) {
    const int fd = open(file.c_str(), flags | O_CLOEXEC, 0600);
    if (fd < 0) {
        fail("cannot open " + file.string() + ": " + std::strerror(errno));
    }
    return fd;
}

long long bytes_in(const fs::path &file) {
    struct stat status {};
    return stat(file.c_str(), &status) == 0 ? static_cast<long long>(status.st_size) : 0;
}

bool leader_ended(const Child &child) {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(child.pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid != 0;
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
        if (kill(-group, 0) != 0) {
            return;
        }
        usleep(1000);
    }
}

// Kills the whole group and keeps what is left in the report.
void stop_group(Child &child) {
    kill(-child.pid, SIGKILL);
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
    if (group_memory(child.pid) > limit) {
        child.ending = memory_limit_in_words(child.limits);
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

// "2 s", "0.5 s"
std::string seconds_in_words(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%g s", seconds);
    return text;
}

// The end of what this run wrote on its standard output and error, where a
// sanitizer's report is; the file is then cut back to its bound.
std::string output_of_run(const Child &child) {
    const fs::path file = output_file(child.work);
    const long long size = bytes_in(file);
    const long long from = std::max(child.output_start, size - 256LL * 1024);
    std::ifstream in(file, std::ios::binary);
    in.seekg(from);
    std::string text(static_cast<std::size_t>(std::max(0LL, size - from)), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (size > static_cast<long long>(output_bound)) {
        truncate(file.c_str(), static_cast<off_t>(output_bound));
    }
    return text;
}

// How a run that did not exit normally ended, in words.
std::string abnormal_end(const Child &child, int signal, const rusage &usage) {
    const Limits &limits = child.limits;
    const std::string fault = fault_in_output(output_of_run(child), memory_limit_in_words(limits));
    if (!fault.empty()) {
        return fault;
    }
    const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec);
    if (signal == SIGXCPU || (signal == SIGKILL && cpu >= limits.cpu_seconds)) {
        return "exceeded the processor time limit of " + seconds_in_words(limits.cpu_seconds);
    }
    if (signal == SIGXFSZ) {
        return "exceeded the file size limit of " + std::to_string(limits.file_mib) + " MiB";
    }
    if (static_cast<unsigned long long>(usage.ru_maxrss) >= limits.memory_mib * 1024ULL) {
        return memory_limit_in_words(limits);
    }
    if (signal != 0) {
        return "was killed by signal " + std::to_string(signal) + " (" + strsignal(signal) + ")";
    }
    return "";
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

int run_command(const std::vector<std::string> &command, std::string &output,
                const fs::path &directory) {
    std::vector<char *> argv = argv_of(command);
    const std::string cannot_run = "cannot run " + command[0] + "\n";
    int fds[2];
    make_pipe(fds);
    const pid_t pid = fork_process();
    if (pid == 0) {
        if (chdir(directory.c_str()) != 0 || dup2(fds[1], STDOUT_FILENO) < 0 ||
            dup2(fds[1], STDERR_FILENO) < 0) {
            _exit(127);
        }
        execvp(argv[0], argv.data());
        [[maybe_unused]] const ssize_t written =
            write(STDERR_FILENO, cannot_run.data(), cannot_run.size());
        _exit(127);
    }
    close(fds[1]);
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

std::string memory_limit_in_words(const Limits &limits) {
    return "exceeded the memory limit of " + std::to_string(limits.memory_mib) + " MiB";
}

Child start(const Harness &harness, const std::string &argument, const fs::path &input) {
    std::vector<std::string> words = isolation_command(harness.work);
    words.insert(words.end(), {harness.program.string(), argument});
    const std::vector<char *> argv = argv_of(words);
    const std::vector<std::string> environment = child_environment(harness.limits);
    const std::vector<char *> envp = argv_of(environment);
    // What the child leaves running comes to this process, to be reaped.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    Child child;
    child.limits = harness.limits;
    child.work = harness.work;
    child.output_start = bytes_in(output_file(harness.work));
    const int in = open_or_fail(input.empty() ? "/dev/null" : input, O_RDONLY);
    const int out = open_or_fail(output_file(harness.work), O_WRONLY | O_CREAT | O_APPEND);
    int fds[2];
    make_pipe(fds);
    child.deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                        std::chrono::duration<double>(harness.limits.seconds));
    child.pid = fork_process();
    if (child.pid == 0) {
        become_child(harness.limits, harness.work, in, out, fds[1], argv.data(), envp.data());
    }
    setpgid(child.pid, child.pid); // as the child does, whichever runs first
    close(fds[1]);
    close(in);
    close(out);
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

std::string finish(Child &child, bool timed_out) {
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
    if (!child.ending.empty()) {
        return child.ending;
    }
    if (timed_out) {
        return "did not finish within " + seconds_in_words(child.limits.seconds);
    }
    int signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 0;
    if (code > 128 && code < 128 + 65 && !isolation_command(child.work).empty()) {
        signal = code - 128; // bubblewrap passes a signal on as 128 + its number
    }
    if (signal == 0 && code == 0) {
        output_of_run(child); // only to keep the file within its bound
        return "";
    }
    return abnormal_end(child, signal, usage);
}

} // namespace adtlab::check
