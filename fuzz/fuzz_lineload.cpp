// Fuzzes queue_from_file: a load either fails with status 1 or gives a queue
// that dumps, and is freed.
//
// A failed load leaves the queue it built to the end of the process, which
// here goes on: the binary links with -Wl,--wrap=queue_empty,--wrap=
// queue_enqueue, so the latest handle is known and freed after a failure.
#include "exit_trap.h"
#include "lineload/lineload.h"

#include <cstdlib>

namespace {
queue latest = nullptr;
}

extern "C" {
queue __real_queue_empty(void);
queue __real_queue_enqueue(queue q, int e);

queue __wrap_queue_empty(void) {
    return latest = __real_queue_empty();
}

queue __wrap_queue_enqueue(queue q, int e) {
    return latest = __real_queue_enqueue(q, e);
}
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    static std::FILE *sink = std::fopen("/dev/null", "w");
    fuzz::MemoryFile file(data, size);
    latest = nullptr;
    queue q = nullptr;
    int status = fuzz::run_trapped([&] { q = queue_from_file(file.path()); });
    if (status == -1) {
        queue_dump(q, sink);
    } else if (status != 1) {
        std::abort();
    }
    queue_destroy(latest);
    return 0;
}
