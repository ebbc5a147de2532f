// A memory and process-count group of the kernel (cgroup v1, where this
// process may make one) for each run of a child: its memory counts what
// it holds in tmpfs and memory files too, which resident memory does not.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace adtlab::check {

class Cgroup {
  public:
    // A group limited to `memory_mib` MiB and `processes` processes; one
    // that could not be made limits nothing, and available() says so.
    Cgroup(unsigned int memory_mib, unsigned int processes);
    ~Cgroup();
    Cgroup(const Cgroup &) = delete;
    Cgroup &operator=(const Cgroup &) = delete;
    bool available() const { return !memory_.empty(); }
    // In a forked child: moves the calling process into the group, with no
    // allocation; false when it cannot.
    bool join() const;
    // Whether the group ran into its memory limit.
    bool hit_memory_limit() const;
    // Whether a process of the group was refused for its process limit.
    bool hit_process_limit() const;

  private:
    std::string memory_; // the group's folders, "" when none
    std::string pids_;
};

// "memory and processes: a cgroup each run" or why there is none; decided
// once per run.
std::string cgroup_in_words();

} // namespace adtlab::check
