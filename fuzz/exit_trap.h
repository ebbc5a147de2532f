// Lets a libFuzzer target run code that ends the process on bad input: the
// fuzz binaries link with -Wl,--wrap=exit,--wrap=fopen,--wrap=fclose, so an
// exit() inside run_trapped() jumps back to it instead, and the file that the
// code left open is closed. Outside run_trapped() exit() works as usual.
#pragma once

#include <csetjmp>
#include <cstdio>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int __real_fclose(std::FILE *file);

namespace fuzz {

extern std::jmp_buf *trap;   // where exit() jumps, while armed
extern int trapped_status;   // the status exit() was given
extern std::FILE *open_file; // the file opened while armed, if still open

// Runs body; returns -1 when it returned, or the status it passed to exit().
template <typename Body> int run_trapped(Body body) {
    std::jmp_buf here;
    trap = &here;
    if (setjmp(here) == 0) {
        body();
        trap = nullptr;
        return -1;
    }
    trap = nullptr;
    if (open_file != nullptr) {
        __real_fclose(open_file);
        open_file = nullptr;
    }
    return trapped_status;
}

// A file in memory holding data, named by a path that fopen can open.
class MemoryFile {
  public:
    MemoryFile(const unsigned char *data, std::size_t size) : fd_(memfd_create("input", 0)) {
        std::size_t written = 0;
        while (written < size) {
            ssize_t n = write(fd_, data + written, size - written);
            if (n <= 0) {
                break;
            }
            written += static_cast<std::size_t>(n);
        }
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    ~MemoryFile() { close(fd_); }
    MemoryFile(const MemoryFile &) = delete;
    MemoryFile &operator=(const MemoryFile &) = delete;
    const char *path() const { return path_.c_str(); }

  private:
    int fd_;
    std::string path_;
};

} // namespace fuzz
