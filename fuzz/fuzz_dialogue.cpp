// Fuzzes queue_user_disscard with the input as the user's answers: it either
// removes one element or returns null with the queue untouched.
#include "exit_trap.h"
#include "lineload/lineload.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    fuzz::MemoryFile answers(data, size);
    if (std::freopen(answers.path(), "r", stdin) == nullptr) {
        std::abort();
    }
    queue q = queue_enqueue(queue_enqueue(queue_enqueue(queue_empty(), 4), -2), 7);
    queue after = queue_user_disscard(q);
    unsigned int expected = after == nullptr ? 3 : 2;
    if (queue_size(after == nullptr ? q : after) != expected) {
        std::abort();
    }
    queue_destroy(after == nullptr ? q : after);
    return 0;
}
