#include "cgroup.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <system_error>
#include <thread>

namespace fs = std::filesystem;

namespace adtlab::check {

namespace {

const char memory_root[] = "/sys/fs/cgroup/memory";
const char pids_root[] = "/sys/fs/cgroup/pids";

// This process's own group of `controller` ("/a/b"), from /proc/self/cgroup.
std::string own_group(const std::string &controller) {
    std::ifstream in("/proc/self/cgroup");
    for (std::string line; std::getline(in, line);) {
        const std::size_t first = line.find(':');
        const std::size_t second = line.find(':', first + 1);
        if (second != std::string::npos &&
            line.substr(first + 1, second - first - 1) == controller) {
            return line.substr(second + 1);
        }
    }
    return "";
}

// A new group under this process's own, or "" when it cannot be made.
std::string make_group(const char *root, const std::string &controller) {
    static std::atomic<unsigned int> count{0};
    const fs::path parent = fs::path(root) / fs::path(own_group(controller)).relative_path();
    const fs::path group =
        parent / ("adtlab-check-" + std::to_string(getpid()) + "-" + std::to_string(count++));
    std::error_code error;
    return fs::create_directory(group, error) ? group.string() : "";
}

bool write_text(const std::string &file, const std::string &text) {
    const int fd = open(file.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    return written;
}

std::string read_text(const std::string &file) {
    std::ifstream in(file);
    std::string text;
    std::getline(in, text);
    return text;
}

// Removes a group once the kernel has let its processes go.
void remove_group(const std::string &group) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (rmdir(group.c_str()) != 0 && errno == EBUSY &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

// Moves the calling process into `group`, with no allocation.
bool enter(const std::string &group) {
    char file[4096];
    char pid[32];
    std::snprintf(file, sizeof file, "%s/cgroup.procs", group.c_str());
    const int length = std::snprintf(pid, sizeof pid, "%d", static_cast<int>(getpid()));
    const int fd = open(file, O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool written = write(fd, pid, static_cast<std::size_t>(length)) == length;
    close(fd);
    return written;
}

} // namespace

Cgroup::Cgroup(unsigned int memory_mib, unsigned int processes)
    : memory_(make_group(memory_root, "memory")),
      pids_(memory_.empty() ? "" : make_group(pids_root, "pids")) {
    const std::string bytes = std::to_string(static_cast<unsigned long long>(memory_mib) << 20);
    // The swap limit too where swap is counted: swapped-out pages stay held.
    if (!memory_.empty() && (!write_text(memory_ + "/memory.limit_in_bytes", bytes) ||
                             (fs::exists(memory_ + "/memory.memsw.limit_in_bytes") &&
                              !write_text(memory_ + "/memory.memsw.limit_in_bytes", bytes)))) {
        remove_group(memory_);
        memory_.clear();
    }
    if (!pids_.empty() &&
        (memory_.empty() || !write_text(pids_ + "/pids.max", std::to_string(processes)))) {
        remove_group(pids_);
        pids_.clear();
    }
    if (!memory_.empty() && pids_.empty()) {
        remove_group(memory_);
        memory_.clear();
    }
}

Cgroup::~Cgroup() {
    for (const std::string *group : {&memory_, &pids_}) {
        if (!group->empty()) {
            remove_group(*group);
        }
    }
}

bool Cgroup::join() const {
    return memory_.empty() || (enter(memory_) && enter(pids_));
}

bool Cgroup::hit_memory_limit() const {
    if (memory_.empty()) {
        return false;
    }
    // The count of failures is not kept by every kernel; the peak is.
    const std::string failures = read_text(memory_ + "/memory.failcnt");
    const std::string peak = read_text(memory_ + "/memory.max_usage_in_bytes");
    const std::string limit = read_text(memory_ + "/memory.limit_in_bytes");
    return (!failures.empty() && failures != "0") ||
           std::strtoull(peak.c_str(), nullptr, 10) >= std::strtoull(limit.c_str(), nullptr, 10);
}

bool Cgroup::hit_process_limit() const {
    // "max N": how many times a fork was refused at pids.max.
    if (pids_.empty()) {
        return false;
    }
    const std::string events = read_text(pids_ + "/pids.events");
    return events.rfind("max ", 0) == 0 && events != "max 0";
}

std::string cgroup_in_words() {
    static const std::string words = [] {
        const Cgroup probe(64, 8);
        return probe.available()
                   ? std::string("memory (tmpfs and memory files included) and processes "
                                 "limited by a cgroup")
                   : std::string("no cgroup (") + memory_root +
                         " is not writable here): resident memory watched";
    }();
    return words;
}

} // namespace adtlab::check
