// The processes adtlab-check starts: the compiler, and the harness, which
// runs in its folder, in a process group of its own, within limits, and
// reports a line at a time on file descriptor 3.
#pragma once

#include "cgroup.h"
#include "ending.h"

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace adtlab::check {

// What the child may use before it is stopped; a sort of 300 values needs
// far less of each.
struct Limits {
    double seconds = 5;            // wall-clock time for each run of the harness
    unsigned int memory_mib = 512; // resident memory of the child and all it starts
    unsigned int cpu_seconds = 10; // processor time of each of its processes
    unsigned int file_mib = 64;    // the size of any file it writes
    unsigned int processes = 16;   // processes of its group at once, where a cgroup counts them
};

// The built harness of a submission, the folder of its inputs, and its limits.
// Its output goes to a file that this process opened, which the child
// cannot replace (the folder lies outside a sandbox).
struct Harness {
    std::filesystem::path program;
    std::filesystem::path work;
    Limits limits;
    unsigned long long seed = 0;                // chooses the checks' operations and values
    int output = -1;                            // the file of the children's output
    std::filesystem::path home;                 // the children's folder, where no sandbox gives one
    std::vector<std::filesystem::path> objects; // the submission's, as this process sees them
};

// pipe() (closed in programs started) and fork(), or a failure when the
// system refuses.
void make_pipe(int fds[2]);
pid_t fork_process();

// Reaps what the group left behind and waits until the group is gone.
void await_group_end(pid_t group);

// A run of the harness: the leader of a process group of its own.
struct Child {
    pid_t pid = -1;
    int report = -1;
    std::string pending;   // read, from `taken` on not yet returned
    std::size_t taken = 0; // bytes of pending already returned as lines
    std::chrono::steady_clock::time_point deadline;
    std::chrono::steady_clock::time_point measured; // its memory, last time
    Limits limits;
    std::size_t read_limit = std::size_t{64} << 20; // bytes of report taken at most
    std::size_t received = 0;
    bool flooded = false;       // it sent more than read_limit
    int output = -1;            // the harness's output file
    long long output_start = 0; // where this run's output begins in it
    std::shared_ptr<Cgroup> cgroup;
    int channel = -1;     // the file that the module finds as descriptor 3
    bool stopped = false; // the group is killed; what is left is in pending
    Ending ending;        // a limit it hit while running
};

// Runs `program argument` with `input` on standard input, within the
// limits; its own output goes to the harness's output file. The input is a
// file of this process's folder, made afresh (never through a link or a
// FIFO that a child put in its place) and given as an open descriptor.
Child start(const Harness &harness, const std::string &argument, const std::string &input);

// The next report line, or nothing once the child has closed its report,
// ended, hit a limit, run out of time or sent more than its read limit.
std::optional<std::string> next_line(Child &child, bool &timed_out);

// Whether the module has written on descriptor 3, the checker's channel.
bool channel_written(const Child &child);

// Stops the child and all it started, and tells how it ended: a normal
// exit, a write on descriptor 3, a time-out, a limit, a memory error or a
// signal.
Ending finish(Child &child, bool timed_out);

} // namespace adtlab::check
