// Fuzzes array_from_file: a load either fails with status 1 or gives at most
// max_size words, each shorter than an fstring and free of whitespace.
#include "exit_trap.h"
#include "wordrow/wordrow.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    constexpr unsigned int max_size = 8;
    static fstring array[max_size];
    fuzz::MemoryFile file(data, size);
    unsigned int loaded = 0;
    int status = fuzz::run_trapped([&] { loaded = array_from_file(array, max_size, file.path()); });
    if (status == -1) {
        if (loaded > max_size) {
            std::abort();
        }
        for (unsigned int i = 0; i < loaded; ++i) {
            std::size_t length = strnlen(array[i], FSTRING_SIZE);
            if (length == 0 || length >= FSTRING_SIZE) {
                std::abort();
            }
            for (std::size_t k = 0; k < length; ++k) {
                if (std::isspace(static_cast<unsigned char>(array[i][k])) != 0) {
                    std::abort();
                }
            }
        }
    } else if (status != 1) {
        std::abort();
    }
    return 0;
}
