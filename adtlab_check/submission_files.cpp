#include "submission_files.h"

#include "failure.h"
#include "launch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <set>

namespace fs = std::filesystem;

namespace adtlab::check {

namespace {

// What the file is when it is not a regular one, in words; "" when it is.
std::string kind_in_words(mode_t mode) {
    if (S_ISREG(mode)) {
        return "";
    }
    return S_ISLNK(mode)                    ? "a symbolic link"
           : S_ISFIFO(mode)                 ? "a FIFO"
           : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
           : S_ISSOCK(mode)                 ? "a socket"
           : S_ISDIR(mode)                  ? "a folder"
                                            : "not a regular file";
}

[[noreturn]] void refuse(const std::string &name, const std::string &why) {
    throw BuildFailure(name + ": " + why + "; refused\n");
}

// The whole file, read through a descriptor that cannot block or follow a
// link, whatever the path turned into since it was looked at.
std::string read_regular(const std::string &file, const std::string &name) {
    struct stat status {};
    if (lstat(file.c_str(), &status) != 0) {
        refuse(name, std::strerror(errno));
    }
    if (const std::string kind = kind_in_words(status.st_mode); !kind.empty()) {
        refuse(name, "it is " + kind + ", not a regular file");
    }
    const int fd = open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0 || fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        if (fd >= 0) {
            close(fd);
        }
        refuse(name, "it is not a regular file that can be read");
    }
    std::string bytes;
    char buffer[65536];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) {
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (bytes.size() > submission_file_bound) {
            close(fd);
            refuse(name,
                   "it is larger than " + std::to_string(submission_file_bound >> 20) + " MiB");
        }
    }
    close(fd);
    return bytes;
}

// An object must be ELF and an archive an archive: a linker script named
// sorts.o could bring in any file the linker can read.
void check_object(const std::string &name, const std::string &bytes, bool objects) {
    const std::string extension = fs::path(name).extension().string();
    if (extension != ".o" && extension != ".a") {
        return;
    }
    if (!objects) {
        refuse(name, "submissions are sources (give --objects to take objects and archives)");
    }
    const bool elf = bytes.rfind("\x7f"
                                 "ELF",
                                 0) == 0;
    const bool archive = bytes.rfind("!<arch>\n", 0) == 0;
    if (extension == ".o" ? !elf : !archive) {
        refuse(name, extension == ".o" ? "not an object file" : "not an archive of objects");
    }
}

// The name of the copy: the file's own, or with "-N" when it is taken.
std::string free_name(const std::string &file, std::set<std::string> &taken) {
    const fs::path path(file);
    std::string name = path.filename().string();
    for (int k = 2; !taken.insert(name).second; ++k) {
        name = path.stem().string() + "-" + std::to_string(k) + path.extension().string();
    }
    return name;
}

void write_copy(const fs::path &to, const std::string &bytes) {
    const int fd = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    const bool written =
        fd >= 0 && write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    if (fd >= 0) {
        close(fd);
    }
    if (!written || (drops_privilege() && chown(to.c_str(), sandbox_user, sandbox_user) != 0)) {
        fail("cannot copy a file into " + to.parent_path().string() + ": " + std::strerror(errno));
    }
}

} // namespace

std::vector<std::string> copy_submission(const std::vector<std::string> &files, const fs::path &box,
                                         bool objects) {
    std::set<std::string> taken;
    std::vector<std::pair<std::string, std::string>> copies; // every file read before any copy
    for (const std::string &file : files) {
        const std::string name = free_name(file, taken);
        std::string bytes = read_regular(file, fs::path(file).filename().string());
        check_object(name, bytes, objects);
        copies.emplace_back(name, std::move(bytes));
    }
    std::vector<std::string> names;
    for (const auto &[name, bytes] : copies) {
        write_copy(box / name, bytes);
        names.push_back(name);
    }
    return names;
}

} // namespace adtlab::check
