#include "launch.h"

#include "child.h"

#include "failure.h"
#include "interruption.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace adtlab::check {

namespace {

// The words as a null-terminated argv, made before fork: a forked copy of a
// process may not allocate.
std::vector<char *> pointers_to(const std::vector<std::string> &words) {
    std::vector<char *> pointers;
    for (const std::string &word : words) {
        pointers.push_back(const_cast<char *>(word.c_str()));
    }
    pointers.push_back(nullptr);
    return pointers;
}

void set_limit(int resource, rlim_t value) {
    if (value != 0) {
        const rlimit limit{value, value};
        setrlimit(resource, &limit);
    }
}

// Root's privilege given up for good: no groups, the unprivileged user, and
// no way back through set-user-ID programs.
bool drop_privilege() {
    return !drops_privilege() || (setgroups(0, nullptr) == 0 && setgid(sandbox_user) == 0 &&
                                  setuid(sandbox_user) == 0 && setuid(0) != 0);
}

// In the forked child: its session, limits, group, user and streams.
[[noreturn]] void become(const Launch &what, char *const argv[], char *const envp[]) {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    setsid(); // also a process group of its own, and no controlling terminal
    const ProcessLimits &limits = what.limits;
    const rlimit no_core{0, 0};
    setrlimit(RLIMIT_CORE, &no_core);
    if (limits.cpu_seconds != 0) {
        const rlimit cpu{limits.cpu_seconds, limits.cpu_seconds + 1};
        setrlimit(RLIMIT_CPU, &cpu);
    }
    set_limit(RLIMIT_FSIZE, limits.file_bytes);
    set_limit(RLIMIT_AS, limits.address_bytes);
    const bool placed = (what.cgroup == nullptr || what.cgroup->join()) && drop_privilege() &&
                        prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
                        prctl(PR_SET_PDEATHSIG, SIGKILL) == 0 && chdir(what.directory.c_str()) == 0;
    const bool streams = (what.in < 0 || dup2(what.in, STDIN_FILENO) >= 0) &&
                         (what.out < 0 || (dup2(what.out, STDOUT_FILENO) >= 0 &&
                                           dup2(what.out, STDERR_FILENO) >= 0)) &&
                         (what.report < 0 || dup2(what.report, 3) >= 0) &&
                         (what.channel < 0 || dup2(what.channel, 4) >= 0);
    if (!placed || !streams) {
        _exit(126);
    }
    close_range(what.channel < 0 ? 4 : 5, ~0U, 0); // nothing of this process's but the streams
    execve(argv[0], argv, envp);
    _exit(127);
}

// Reads the command's output until it closes it or the deadline passes;
// false at the deadline.
bool read_until(int fd, std::chrono::steady_clock::time_point deadline, std::string &output) {
    char buffer[4096];
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        if (interruption() != 0) {
            return false;
        }
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
            continue;
        }
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) {
            return true;
        }
        const std::size_t room =
            command_output_bound - std::min(output.size(), command_output_bound);
        output.append(buffer, std::min(room, static_cast<std::size_t>(n)));
    }
}

} // namespace

int run_limited(const std::vector<std::string> &command, std::string &output,
                const CommandRun &how) {
    int fds[2];
    make_pipe(fds);
    const int nothing = open("/dev/null", O_RDONLY | O_CLOEXEC);
    Launch what{
        command, clean_environment("/"), how.directory, how.limits, how.cgroup, nothing, fds[1],
        -1};
    const pid_t pid = launch(what);
    close(fds[1]);
    close(nothing);
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(how.seconds));
    const bool ended = read_until(fds[0], deadline, output);
    close(fds[0]);
    if (!ended) {
        kill(-pid, SIGKILL);
        kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    kill(-pid, SIGKILL); // what it left running
    await_group_end(pid);
    forget_group(pid);
    if (!ended) {
        return 124;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool drops_privilege() {
    return geteuid() == 0;
}

pid_t launch(const Launch &what) {
    const std::vector<char *> argv = pointers_to(what.command);
    const std::vector<char *> envp = pointers_to(what.environment);
    stop_if_interrupted();
    // Not interrupted between the fork and the note of the child.
    sigset_t blocked;
    sigset_t before;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    sigprocmask(SIG_BLOCK, &blocked, &before);
    const pid_t pid = fork();
    if (pid == 0) {
        become(what, argv.data(), envp.data());
    }
    if (pid > 0) {
        remember_group(pid);
    }
    sigprocmask(SIG_SETMASK, &before, nullptr);
    if (pid < 0) {
        fail(std::string("cannot start a process: ") + std::strerror(errno));
    }
    return pid;
}

std::vector<std::string> clean_environment(const std::string &home) {
    return {"PATH=/usr/bin:/bin", "LANG=C.UTF-8", "LC_ALL=C.UTF-8", "HOME=" + home};
}

} // namespace adtlab::check
