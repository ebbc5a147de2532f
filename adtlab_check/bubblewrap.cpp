#include "bubblewrap.h"

#include "cgroup.h"
#include "launch.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace adtlab::check {

namespace {

struct Isolation {
    std::string bubblewrap; // its path, or "" when not in use
    std::string why_not;    // why not, when not
};

bool unsandboxed_allowed = false;

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

// The system's folders, read-only: /usr, and the folders or links of the
// root that lead into it; the loader's cache and the alternatives (cc).
void add_system(std::vector<std::string> &words) {
    words.insert(words.end(), {"--ro-bind", "/usr", "/usr"});
    for (const char *name : {"/bin", "/sbin", "/lib", "/lib32", "/lib64", "/libx32"}) {
        std::error_code error;
        if (fs::is_symlink(name, error)) {
            words.insert(words.end(), {"--symlink", fs::read_symlink(name, error).string(), name});
        } else if (fs::is_directory(name, error)) {
            words.insert(words.end(), {"--ro-bind", name, name});
        }
    }
    for (const char *name : {"/etc/ld.so.cache", "/etc/alternatives"}) {
        words.insert(words.end(), {"--ro-bind-try", name, name});
    }
}

// No namespace shared, a user of no privilege, a session of its own, the
// system read-only, its own /proc and /dev (or /dev/null alone) and a
// bounded /tmp.
std::vector<std::string> base_words(const std::string &bubblewrap, unsigned long long tmpfs_bytes,
                                    bool devices = true) {
    const std::string uid = std::to_string(sandbox_user);
    std::vector<std::string> words = {bubblewrap,
                                      "--unshare-all",
                                      "--unshare-user",
                                      "--die-with-parent",
                                      "--new-session",
                                      "--cap-drop",
                                      "ALL",
                                      "--uid",
                                      uid,
                                      "--gid",
                                      uid,
                                      "--hostname",
                                      "adtlab-check"};
    add_system(words);
    if (devices) {
        words.insert(words.end(), {"--dev", "/dev"});
    } else {
        words.insert(words.end(), {"--tmpfs", "/dev", "--dev-bind", "/dev/null", "/dev/null"});
    }
    words.insert(words.end(),
                 {"--proc", "/proc", "--size", std::to_string(tmpfs_bytes), "--tmpfs", "/tmp"});
    return words;
}

// The root and /dev read-only, the working folder, then the command.
void finish_words(std::vector<std::string> &words, const char *directory) {
    words.insert(words.end(),
                 {"--remount-ro", "/dev", "--remount-ro", "/", "--chdir", directory, "--"});
}

std::string first_line(const std::string &text) {
    std::string line = text.substr(0, text.find('\n'));
    return line.empty() ? "it ended at once with no message" : line;
}

// Bubblewrap when it is installed, not turned off, and runs a program as
// the children will run.
Isolation probe() {
    const char *off = std::getenv("ADTLAB_CHECK_NO_BWRAP");
    if (off != nullptr && *off != '\0' && std::string(off) != "0") {
        return {"", "bubblewrap is turned off by ADTLAB_CHECK_NO_BWRAP"};
    }
    const std::string bubblewrap = find_bubblewrap();
    if (bubblewrap.empty()) {
        return {"", "bubblewrap is not installed"};
    }
    std::vector<std::string> command = base_words(bubblewrap, 1 << 20);
    finish_words(command, "/");
    command.emplace_back("/bin/true");
    std::string output;
    if (run_limited(command, output, {}) != 0) {
        return {"", "bubblewrap could not start: " + first_line(output)};
    }
    return {bubblewrap, ""};
}

const Isolation &isolation() {
    static const Isolation decided = probe();
    return decided;
}

} // namespace

void allow_without_sandbox() {
    unsandboxed_allowed = true;
}

bool in_bubblewrap() {
    return !isolation().bubblewrap.empty();
}

std::string isolation_in_words() {
    const std::string filtered = "; system calls filtered; " + cgroup_in_words();
    if (in_bubblewrap()) {
        return "bubblewrap: no network, no privilege (user " + std::to_string(sandbox_user) +
               ", no capabilities), a fresh root of the system read-only and bounded tmpfs "
               "folders, a session of its own" +
               filtered;
    }
    const std::string user =
        drops_privilege() ? "; run as user " + std::to_string(sandbox_user) + " (--no-sandbox)"
                          : "";
    return "limits only: " + isolation().why_not + user + filtered;
}

std::string isolation_refusal() {
    if (in_bubblewrap() || !drops_privilege() || unsandboxed_allowed) {
        return "";
    }
    return "refusing to run submissions as root without a sandbox (" + isolation().why_not +
           "): their code could read and change this machine's files; install bubblewrap, or "
           "give --no-sandbox to take that risk";
}

std::vector<std::string> run_sandbox(const fs::path &program, unsigned long long tmpfs_bytes) {
    std::vector<std::string> words = base_words(isolation().bubblewrap, tmpfs_bytes);
    words.insert(words.end(), {"--size", std::to_string(tmpfs_bytes), "--tmpfs", sandbox_work,
                               "--ro-bind", program.string(), sandbox_harness});
    finish_words(words, sandbox_work);
    return words;
}

std::vector<std::string> build_sandbox(const fs::path &resources, const fs::path &submission,
                                       const fs::path &compiler) {
    std::vector<std::string> words = base_words(isolation().bubblewrap, 256ULL << 20, false);
    words.insert(words.end(), {"--ro-bind", resources.string(), sandbox_resources, "--bind",
                               submission.string(), sandbox_submission});
    if (compiler.is_absolute() && compiler.string().rfind("/usr/", 0) != 0) {
        words.insert(words.end(), {"--ro-bind", compiler.string(), compiler.string()});
    }
    finish_words(words, sandbox_submission);
    return words;
}

} // namespace adtlab::check
