#include "exit_trap.h"

#include <cstdlib>

extern "C" {
[[noreturn]] void __real_exit(int status);
std::FILE *__real_fopen(const char *path, const char *mode);
}

namespace fuzz {
std::jmp_buf *trap = nullptr;
int trapped_status = 0;
std::FILE *open_file = nullptr;
} // namespace fuzz

extern "C" {

[[noreturn]] void __wrap_exit(int status) {
    if (fuzz::trap != nullptr) {
        fuzz::trapped_status = status;
        std::longjmp(*fuzz::trap, 1);
    }
    __real_exit(status);
}

std::FILE *__wrap_fopen(const char *path, const char *mode) {
    std::FILE *file = __real_fopen(path, mode);
    if (fuzz::trap != nullptr) {
        fuzz::open_file = file;
    }
    return file;
}

int __wrap_fclose(std::FILE *file) {
    if (file == fuzz::open_file) {
        fuzz::open_file = nullptr;
    }
    return __real_fclose(file);
}
}
