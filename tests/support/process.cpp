#include "process.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <pty.h>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace adtlab::testing {
namespace {

// A pipe, or a pseudo-terminal whose master end is read.
struct Pipe {
    int read_end = -1;
    int write_end = -1;
    explicit Pipe(bool terminal = false) {
        int fds[2];
        if (terminal ? openpty(&fds[0], &fds[1], nullptr, nullptr, nullptr) != 0 : pipe(fds) != 0) {
            throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
        }
        read_end = fds[0];
        write_end = fds[1];
    }
};

// Feeds `input` to the child and drains its two output pipes without letting
// either side block on a full pipe.
void exchange(int to_child, int from_out, int from_err, const std::string &input,
              const std::function<bool(const Outcome &)> &until, pid_t child, Outcome &outcome) {
    std::size_t written = 0;
    if (input.empty()) {
        close(to_child);
        to_child = -1;
    }
    std::array<pollfd, 3> fds{};
    int open_outputs = 2;
    while (open_outputs > 0) {
        fds[0] = {to_child, POLLOUT, 0};
        fds[1] = {from_out, POLLIN, 0};
        fds[2] = {from_err, POLLIN, 0};
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw std::runtime_error("poll failed");
        }
        if (to_child >= 0 && (fds[0].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t n = write(to_child, input.data() + written, input.size() - written);
            if (n > 0) {
                written += static_cast<std::size_t>(n);
            }
            if (n < 0 || written == input.size()) {
                close(to_child);
                to_child = -1;
            }
        }
        for (int k = 1; k <= 2; ++k) {
            if (fds[k].fd < 0 || !(fds[k].revents & (POLLIN | POLLHUP | POLLERR))) {
                continue;
            }
            char buffer[4096];
            ssize_t n = read(fds[k].fd, buffer, sizeof buffer);
            if (n > 0) {
                (k == 1 ? outcome.out : outcome.err).append(buffer, static_cast<std::size_t>(n));
                if (until && !outcome.stopped && until(outcome)) {
                    outcome.stopped = true;
                    kill(child, SIGKILL);
                }
            } else {
                close(fds[k].fd);
                (k == 1 ? from_out : from_err) = -1;
                --open_outputs;
            }
        }
    }
    if (to_child >= 0) {
        close(to_child);
    }
}

Outcome run_forked(const std::function<void()> &in_child, const std::string &input,
                   bool terminal_stderr = false,
                   const std::function<bool(const Outcome &)> &until = {}) {
    std::fflush(nullptr);
    // A child that ends before reading all its input must not take the test
    // down with SIGPIPE; the write fails instead, and the child gets the
    // usual disposition back.
    std::signal(SIGPIPE, SIG_IGN);
    Pipe in, out, err(terminal_stderr);
    pid_t pid = fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        std::signal(SIGPIPE, SIG_DFL);
        dup2(in.read_end, STDIN_FILENO);
        dup2(out.write_end, STDOUT_FILENO);
        dup2(err.write_end, STDERR_FILENO);
        for (int fd : {in.read_end, in.write_end, out.read_end, out.write_end, err.read_end,
                       err.write_end}) {
            close(fd);
        }
        in_child();
        std::_Exit(127);
    }
    close(in.read_end);
    close(out.write_end);
    close(err.write_end);
    Outcome outcome;
    exchange(in.write_end, out.read_end, err.read_end, input, until, pid, outcome);
    int wstatus = 0;
    while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(wstatus)) {
        outcome.status = WEXITSTATUS(wstatus);
    } else if (WIFSIGNALED(wstatus)) {
        outcome.signal = WTERMSIG(wstatus);
    }
    return outcome;
}

// Where the programs under test run in an emulator (qemu-user, for 32-bit
// x86 on any kernel), the emulator's command; empty where they run natively.
std::vector<std::string> emulator() {
    std::vector<std::string> command;
#ifdef ADTLAB_TEST_EMULATOR
    std::string list = ADTLAB_TEST_EMULATOR;
    for (std::size_t start = 0, end = 0; start <= list.size(); start = end + 1) {
        end = std::min(list.find(';', start), list.size());
        command.push_back(list.substr(start, end - start));
    }
#endif
    return command;
}

} // namespace

bool programs_run_emulated() {
    return !emulator().empty();
}

Outcome run_program(const std::vector<std::string> &argv, const std::string &input,
                    const std::vector<std::string> &env) {
    Start start;
    start.input = input;
    start.env = env;
    return run_program(argv, start);
}

Outcome run_program(const std::vector<std::string> &argv, const Start &start) {
    std::vector<std::string> command = emulator();
    std::vector<std::string> own_env = start.env;
    if (!command.empty()) {
        // The environment goes to the emulated program, not the emulator.
        for (const std::string &entry : start.env) {
            command.insert(command.end(), {"-E", entry});
        }
        own_env.clear();
    }
    command.insert(command.end(), argv.begin(), argv.end());
    return run_forked(
        [&] {
            if (start.data_limit != 0) {
                rlimit limit{start.data_limit, start.data_limit};
                setrlimit(RLIMIT_DATA, &limit);
            }
            for (std::string &entry : own_env) {
                putenv(entry.data());
            }
            std::vector<char *> args;
            for (std::string &arg : command) {
                args.push_back(arg.data());
            }
            args.push_back(nullptr);
            execv(args[0], args.data());
            std::perror("execv");
        },
        start.input, start.terminal_stderr, start.until);
}

Outcome run_in_child(const std::function<void()> &body, const std::string &input) {
    return run_forked(
        [&] {
            body();
            std::fflush(nullptr);
            std::_Exit(0);
        },
        input);
}

std::vector<std::string> lines_of(const std::string &text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

TempFile::TempFile(const std::string &contents) {
    char path[] = "/tmp/adtlab_XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) {
        throw std::runtime_error("mkstemp failed");
    }
    std::size_t written = 0;
    while (written < contents.size()) {
        ssize_t n = write(fd, contents.data() + written, contents.size() - written);
        if (n <= 0) {
            close(fd);
            throw std::runtime_error("cannot write a temporary file");
        }
        written += static_cast<std::size_t>(n);
    }
    close(fd);
    path_ = path;
}

TempFile::~TempFile() {
    unlink(path_.c_str());
}

} // namespace adtlab::testing
