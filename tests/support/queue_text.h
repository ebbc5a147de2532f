// Queues for the tests: one made from values, its dump as text, and an owner
// that destroys it.
#pragma once

#include "adt/queue.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace adtlab::testing {

// What queue_dump writes for q.
inline std::string dump_of(queue q) {
    char *text = nullptr;
    std::size_t length = 0;
    std::FILE *stream = open_memstream(&text, &length);
    queue_dump(q, stream);
    std::fclose(stream);
    std::string result(text, length);
    std::free(text);
    return result;
}

inline queue queue_of(const std::vector<int> &values) {
    queue q = queue_empty();
    for (int v : values) {
        q = queue_enqueue(q, v);
    }
    return q;
}

struct Owned {
    explicit Owned(queue q) : q(q) {}
    ~Owned() { queue_destroy(q); }
    Owned(const Owned &) = delete;
    Owned &operator=(const Owned &) = delete;
    queue q;
};

} // namespace adtlab::testing
