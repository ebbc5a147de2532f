// Fuzzes queue_from_file: a load either fails with status 1 or gives a queue
// that dumps, and is freed.
#include "exit_trap.h"
#include "lineload/lineload.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    static std::FILE *sink = std::fopen("/dev/null", "w");
    fuzz::MemoryFile file(data, size);
    queue q = nullptr;
    int status = fuzz::run_trapped([&] { q = queue_from_file(file.path()); });
    if (status == -1) {
        queue_dump(q, sink);
        queue_destroy(q);
    } else if (status != 1) {
        std::abort();
    }
    return 0;
}
