// The processes adtlab-check starts: the compiler, and the harness, which
// runs with a deadline and reports a line at a time on file descriptor 3.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace adtlab::check {

// What the child may use before it is stopped.
struct Limits {
    double seconds = 5; // wall-clock time for each run of the harness
};

// The built harness of a submission, the folder it runs in, and its limits.
struct Harness {
    std::filesystem::path program;
    std::filesystem::path work;
    Limits limits;
    unsigned long long seed = 0; // chooses the checks' operations and values
};

// pipe() and fork(), or a failure when the system refuses.
void make_pipe(int fds[2]);
pid_t fork_process();

struct Child {
    pid_t pid = -1;
    int report = -1;
    std::string pending; // read but not yet a whole line
    std::chrono::steady_clock::time_point deadline;
    Limits limits;
    std::size_t read_limit = std::size_t{64} << 20; // bytes of report taken at most
    std::size_t received = 0;
    bool flooded = false; // it sent more than read_limit
};

// Runs `program argument` with `input` (or nothing) on standard input; its
// own output is thrown away.
Child start(const Harness &harness, const std::string &argument,
            const std::filesystem::path &input);

// The next report line, or nothing once the child has closed its report,
// run out of time or sent more than its read limit.
std::optional<std::string> next_line(Child &child, bool &timed_out);

// Stops the child and tells how it ended: "" for a normal exit.
std::string finish(Child &child, bool timed_out);

} // namespace adtlab::check
