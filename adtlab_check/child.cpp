#include "child.h"

#include "failure.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace adtlab::check {

void make_pipe(int fds[2]) {
    if (pipe(fds) != 0) {
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

Child start(const Harness &harness, const std::string &argument,
            const std::filesystem::path &input) {
    const std::filesystem::path &program = harness.program;
    int fds[2];
    make_pipe(fds);
    Child child;
    child.limits = harness.limits;
    child.deadline = std::chrono::steady_clock::now() +
                     std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                         std::chrono::duration<double>(harness.limits.seconds));
    child.pid = fork_process();
    if (child.pid == 0) {
        int in = open(input.empty() ? "/dev/null" : input.c_str(), O_RDONLY);
        int null = open("/dev/null", O_WRONLY);
        dup2(in, STDIN_FILENO);
        dup2(null, STDOUT_FILENO); // the module's own output is not the report
        dup2(null, STDERR_FILENO);
        dup2(fds[1], 3);
        execl(program.c_str(), program.c_str(), argument.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    child.report = fds[0];
    return child;
}

std::optional<std::string> next_line(Child &child, bool &timed_out) {
    while (true) {
        std::size_t newline = child.pending.find('\n');
        if (newline != std::string::npos) {
            std::string line = child.pending.substr(0, newline);
            child.pending.erase(0, newline + 1);
            return line;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            child.deadline - std::chrono::steady_clock::now());
        pollfd fd{child.report, POLLIN, 0};
        if (left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) == 0) {
            timed_out = true;
            return std::nullopt;
        }
        char buffer[65536];
        ssize_t n = read(child.report, buffer, sizeof buffer);
        if (n <= 0) {
            return std::nullopt;
        }
        child.received += static_cast<std::size_t>(n);
        if (child.received > child.read_limit) {
            child.flooded = true; // a bound on what a module can make this process hold
            return std::nullopt;
        }
        child.pending.append(buffer, static_cast<std::size_t>(n));
    }
}

// "2 s", "0.5 s"
std::string seconds_in_words(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%g s", seconds);
    return text;
}

std::string finish(Child &child, bool timed_out) {
    if (timed_out) {
        kill(child.pid, SIGKILL);
    }
    close(child.report);
    int status = 0;
    waitpid(child.pid, &status, 0);
    if (timed_out) {
        return "did not finish within " + seconds_in_words(child.limits.seconds);
    }
    if (WIFSIGNALED(status)) {
        return "was killed by signal " + std::to_string(WTERMSIG(status)) + " (" +
               strsignal(WTERMSIG(status)) + ")";
    }
    return "";
}

} // namespace adtlab::check
