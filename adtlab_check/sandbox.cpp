#include "sandbox.h"

#include "child.h"
#include "failure.h"

#include <stdlib.h> // mkdtemp
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace adtlab::check {

namespace {

struct Isolation {
    std::string bubblewrap; // its path, or "" when not in use
    std::string words;
};

std::string find_bubblewrap() {
    const char *path = std::getenv("PATH");
    std::istringstream dirs(path != nullptr ? path : "");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const fs::path candidate = fs::path(dir.empty() ? "." : dir) / "bwrap";
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate.string();
        }
    }
    return access("/usr/bin/bwrap", X_OK) == 0 ? "/usr/bin/bwrap" : "";
}

// No network, no other process to see, the whole file system read-only but
// the folder, a minimal /dev and /proc; gone with adtlab-check.
std::vector<std::string> bubblewrap_words(const std::string &bubblewrap, const fs::path &work) {
    return {bubblewrap,
            "--unshare-all",
            "--die-with-parent",
            "--ro-bind",
            "/",
            "/",
            "--dev",
            "/dev",
            "--proc",
            "/proc",
            "--bind",
            work.string(),
            work.string(),
            "--chdir",
            work.string(),
            "--"};
}

std::string first_line(const std::string &text) {
    std::string line = text.substr(0, text.find('\n'));
    return line.empty() ? "it ended at once with no message" : line;
}

// Bubblewrap when it is installed, not turned off, and runs a program.
Isolation probe_isolation() {
    const char *off = std::getenv("ADTLAB_CHECK_NO_BWRAP");
    if (off != nullptr && *off != '\0' && std::string(off) != "0") {
        return {"", "limits only: bubblewrap is turned off by ADTLAB_CHECK_NO_BWRAP"};
    }
    const std::string bubblewrap = find_bubblewrap();
    if (bubblewrap.empty()) {
        return {"", "limits only: bubblewrap is not installed"};
    }
    const PrivateFolder folder;
    std::vector<std::string> command = bubblewrap_words(bubblewrap, folder.path());
    command.emplace_back("/bin/true");
    std::string output;
    if (run_command(command, output, folder.path()) != 0) {
        return {"", "limits only: bubblewrap could not start: " + first_line(output)};
    }
    return {bubblewrap, "bubblewrap: no network, read-only file system but its private folder"};
}

const Isolation &isolation() {
    static const Isolation decided = probe_isolation();
    return decided;
}

// `text` from `from` to the first of `ends`, or to its end.
std::string cut(const std::string &text, std::size_t from,
                std::initializer_list<const char *> ends) {
    std::size_t end = text.size();
    for (const char *mark : ends) {
        end = std::min(end, text.find(mark, from));
    }
    return text.substr(from, std::min<std::size_t>(end - from, 100));
}

} // namespace

PrivateFolder::PrivateFolder(bool keep) : keep_(keep) {
    const char *tmpdir = std::getenv("TMPDIR");
    std::string pattern = tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp";
    pattern += "/adtlab-check-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        fail("cannot make a working folder");
    }
    path_ = pattern;
}

PrivateFolder::~PrivateFolder() {
    if (keep_) {
        std::fprintf(stderr, "adtlab-check: kept the working folder %s\n", path_.c_str());
        return;
    }
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string isolation_in_words() {
    return isolation().words;
}

std::vector<std::string> isolation_command(const fs::path &work) {
    const Isolation &decided = isolation();
    if (decided.bubblewrap.empty()) {
        return {};
    }
    return bubblewrap_words(decided.bubblewrap, work);
}

fs::path output_file(const fs::path &work) {
    return work / "output.txt";
}

std::string captured_output(const fs::path &work) {
    std::ifstream in(output_file(work), std::ios::binary);
    std::string text(output_bound, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

unsigned long long group_memory(pid_t group) {
    static const long page = sysconf(_SC_PAGESIZE);
    unsigned long long total = 0;
    std::error_code error;
    for (const fs::directory_entry &entry : fs::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        std::getline(stat, line);
        // After the name in parentheses: state, parent, group, ... the
        // resident pages 21 fields after the state.
        std::istringstream fields(line.substr(line.rfind(')') + 1));
        std::array<std::string, 22> field;
        for (std::string &f : field) {
            fields >> f;
        }
        if (fields && field[2] == std::to_string(group)) {
            total += std::strtoull(field[21].c_str(), nullptr, 10) *
                     static_cast<unsigned long long>(page);
        }
    }
    return total;
}

std::string fault_in_output(const std::string &output, const std::string &memory_limit) {
    for (const char *sign :
         {"std::bad_alloc", "hard rss limit exhausted", "requested allocation size",
          "allocator is out of memory", "out-of-memory", "out of memory: an allocation failed"}) {
        if (output.find(sign) != std::string::npos) {
            return memory_limit;
        }
    }
    const std::string memory = "ERROR: AddressSanitizer: ";
    if (std::size_t at = output.find(memory); at != std::string::npos) {
        return "made a memory error (" +
               cut(output, at + memory.size(), {" on address", " on 0x", " (pc", " 0x", "\n"}) +
               ")";
    }
    const std::string undefined = "runtime error: ";
    if (std::size_t at = output.find(undefined); at != std::string::npos) {
        return "did something undefined (" + cut(output, at + undefined.size(), {"\n"}) + ")";
    }
    return "";
}

} // namespace adtlab::check
