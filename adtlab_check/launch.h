// Starting a child: a new session and process group of its own, with no
// controlling terminal; its limits; a cgroup where there is one; not as
// root (a process of adtlab-check run as root drops to the unprivileged
// user first); a cleared environment; its streams the descriptors given.
#pragma once

#include "cgroup.h"

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace adtlab::check {

// The user and group that children run as when adtlab-check runs as root.
constexpr uid_t sandbox_user = 65534;

// Whether children drop root's privilege: adtlab-check runs as root.
bool drops_privilege();

// Limits of a process and all it starts; 0 for none.
struct ProcessLimits {
    unsigned int cpu_seconds = 0;
    unsigned long long file_bytes = 0;
    unsigned long long address_bytes = 0;
};

struct Launch {
    std::vector<std::string> command; // the program, by path, and its arguments
    std::vector<std::string> environment;
    std::filesystem::path directory = "/";
    ProcessLimits limits;
    const Cgroup *cgroup = nullptr;
    int in = -1; // standard input, output (and error) and file descriptors 3 and 4
    int out = -1;
    int report = -1;
    int channel = -1; // what a harness puts in place of 3 once it has moved its report
};

// Starts the child, or fails when the system makes no process; the child
// ends with status 126 when it cannot take its place (privilege, group,
// streams) and 127 when its program does not start.
pid_t launch(const Launch &what);

// How a command runs to its end: its folder, deadline, limits and group.
struct CommandRun {
    std::filesystem::path directory = "/";
    double seconds = 60;
    ProcessLimits limits;
    const Cgroup *cgroup = nullptr;
};

// The first bytes of a command's output and messages that are kept.
constexpr std::size_t command_output_bound = std::size_t{16} * 1024;

// Runs a command as a child, with /dev/null as its input, and returns its
// exit status: 128 + the signal that ended it, or 124 when it ran past its
// deadline (and was killed, with all it started). `output` gets the first
// command_output_bound bytes of what it wrote.
int run_limited(const std::vector<std::string> &command, std::string &output,
                const CommandRun &how);

// The fixed environment children start with: PATH, the locale, HOME.
std::vector<std::string> clean_environment(const std::string &home);

} // namespace adtlab::check
