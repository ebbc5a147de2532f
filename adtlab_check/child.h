// The processes adtlab-check starts: the compiler, and the harness, which
// runs with a deadline and reports a line at a time on file descriptor 3.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace adtlab::check {

// pipe() and fork(), or a failure when the system refuses.
void make_pipe(int fds[2]);
pid_t fork_process();

struct Child {
    pid_t pid = -1;
    int report = -1;
    std::string pending; // read but not yet a whole line
    std::chrono::steady_clock::time_point deadline;
};

// Runs `program argument` with `input` (or nothing) on standard input; its
// own output is thrown away.
Child start(const std::filesystem::path &program, const std::string &argument,
            const std::filesystem::path &input, int seconds);

// The next report line, or nothing once the child has closed its report or
// run out of time.
std::optional<std::string> next_line(Child &child, bool &timed_out);

// Stops the child and tells how it ended: "" for a normal exit.
std::string finish(Child &child, bool timed_out, int seconds);

} // namespace adtlab::check
