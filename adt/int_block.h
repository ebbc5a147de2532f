// The growing block of ints that holds the elements of the queue and stack
// stand-ins. Running out of memory aborts: the stand-ins have no error path.
// Internal; not installed.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

namespace adtlab::detail {

inline void *allocate_or_abort(void *block, std::size_t bytes, const char *owner) {
    void *result = std::realloc(block, bytes);
    if (result == nullptr) {
        std::fprintf(stderr, "%s: out of memory\n", owner);
        std::abort();
    }
    return result;
}

// Makes room for one more element after the size in use, doubling the block.
inline void make_room(int *&elements, unsigned int size, unsigned int &capacity,
                      const char *owner) {
    if (size < capacity) {
        return;
    }
    assert(capacity < 0x80000000u);
    capacity = capacity == 0 ? 8 : capacity * 2;
    elements = static_cast<int *>(
        allocate_or_abort(elements, sizeof(int) * static_cast<std::size_t>(capacity), owner));
}

} // namespace adtlab::detail
