#include "sandbox.h"

#include "failure.h"
#include "launch.h"

#include <fcntl.h>
#include <stdlib.h> // mkdtemp
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace adtlab::check {

namespace {

// `text` from `from` to the first of `ends`, or to its end.
std::string cut(const std::string &text, std::size_t from,
                std::initializer_list<const char *> ends) {
    std::size_t end = text.size();
    for (const char *mark : ends) {
        end = std::min(end, text.find(mark, from));
    }
    return text.substr(from, std::min<std::size_t>(end - from, 100));
}

// The resident bytes of `root` and every process below it.
unsigned long long
memory_below(const std::map<pid_t, std::pair<pid_t, unsigned long long>> &processes, pid_t root) {
    std::set<pid_t> tree = {root};
    unsigned long long total = 0;
    for (bool grew = true; grew;) {
        grew = false;
        for (const auto &[pid, process] : processes) {
            if (tree.count(process.first) != 0 && tree.insert(pid).second) {
                grew = true;
            }
        }
    }
    for (pid_t pid : tree) {
        const auto found = processes.find(pid);
        total += found != processes.end() ? found->second.second : 0;
    }
    return total;
}

} // namespace

namespace {

fs::path &private_root() {
    static fs::path root;
    return root;
}

} // namespace

void PrivateFolder::place_in(const fs::path &root) {
    private_root() = root;
}

PrivateFolder::PrivateFolder(bool keep) : keep_(keep) {
    const char *tmpdir = std::getenv("TMPDIR");
    // A kept folder outlives the run's folder: it lies beside it.
    std::string pattern = !private_root().empty() && !keep       ? private_root().string()
                          : tmpdir != nullptr && *tmpdir != '\0' ? tmpdir
                                                                 : "/tmp";
    pattern += "/adtlab-check-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        fail("cannot make a working folder");
    }
    path_ = pattern;
    // As root: the children's user may pass through, not list or write.
    if (drops_privilege() && chmod(pattern.c_str(), 0711) != 0) {
        fail("cannot open the working folder to the children's user");
    }
}

PrivateFolder::~PrivateFolder() {
    if (keep_) {
        std::fprintf(stderr, "adtlab-check: kept the working folder %s\n", path_.c_str());
        return;
    }
    std::error_code error;
    fs::remove_all(path_, error);
    if (error) {
        std::fprintf(stderr, "adtlab-check: cannot remove the working folder %s: %s\n",
                     path_.c_str(), error.message().c_str());
    }
}

void check_reachable(const fs::path &folder) {
    if (!drops_privilege()) {
        return;
    }
    for (fs::path above = folder.parent_path(); !above.empty(); above = above.parent_path()) {
        struct stat status {};
        if (stat(above.c_str(), &status) == 0 && (status.st_mode & S_IXOTH) == 0) {
            fail("as root, the children run as user " + std::to_string(sandbox_user) +
                 ", who cannot reach " + above.string() +
                 " (give it o+x, or set TMPDIR to a folder open to others)");
        }
        if (above == above.root_path()) {
            return;
        }
    }
}

fs::path make_children_folder(const fs::path &path) {
    if (mkdir(path.c_str(), 0700) != 0 ||
        (drops_privilege() && chown(path.c_str(), sandbox_user, sandbox_user) != 0)) {
        fail("cannot make the folder " + path.string() + ": " + std::strerror(errno));
    }
    return path;
}

int open_output_file(const fs::path &folder) {
    const fs::path file = folder / "output.txt";
    const int fd =
        open(file.c_str(), O_RDWR | O_CREAT | O_EXCL | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        fail("cannot make " + file.string() + ": " + std::strerror(errno));
    }
    return fd;
}

std::string read_output(int output, long long from, std::size_t length) {
    std::string text(length, '\0');
    std::size_t got = 0;
    while (got < length) {
        const ssize_t n = pread(output, text.data() + got, length - got,
                                static_cast<off_t>(from + static_cast<long long>(got)));
        if (n <= 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    text.resize(got);
    return text;
}

std::string captured_output(int output) {
    return read_output(output, 0, output_bound);
}

unsigned long long tree_memory(pid_t root) {
    static const long page = sysconf(_SC_PAGESIZE);
    std::map<pid_t, std::pair<pid_t, unsigned long long>> processes; // parent, resident bytes
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
        if (fields) {
            processes[static_cast<pid_t>(std::stol(name))] = {
                static_cast<pid_t>(std::strtol(field[1].c_str(), nullptr, 10)),
                std::strtoull(field[21].c_str(), nullptr, 10) *
                    static_cast<unsigned long long>(page)};
        }
    }
    return memory_below(processes, root);
}

Ending fault_in_output(const std::string &output) {
    for (const char *sign :
         {"std::bad_alloc", "hard rss limit exhausted", "requested allocation size",
          "allocator is out of memory", "out-of-memory", "out of memory: an allocation failed"}) {
        if (output.find(sign) != std::string::npos) {
            return {EndingKind::memory_limit, 0, ""};
        }
    }
    const std::string memory = "ERROR: AddressSanitizer: ";
    if (std::size_t at = output.find(memory); at != std::string::npos) {
        return {EndingKind::memory_error, 0,
                cut(output, at + memory.size(), {" on address", " on 0x", " (pc", " 0x", "\n"})};
    }
    const std::string undefined = "runtime error: ";
    if (std::size_t at = output.find(undefined); at != std::string::npos) {
        return {EndingKind::undefined, 0, cut(output, at + undefined.size(), {"\n"})};
    }
    return {};
}

} // namespace adtlab::check
