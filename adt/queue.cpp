#include "adt/queue.h"

#include "int_block.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The elements live in one growing block, front first.
struct s_queue {
    int *elements;
    unsigned int size;
    unsigned int capacity;
};

using adtlab::detail::allocate_or_abort;
using adtlab::detail::make_room;

queue queue_empty(void) {
    auto *q = static_cast<queue>(allocate_or_abort(nullptr, sizeof(s_queue), "queue"));
    *q = s_queue{nullptr, 0, 0};
    return q;
}

queue queue_enqueue(queue q, int e) {
    assert(q != nullptr);
    make_room(q->elements, q->size, q->capacity, "queue");
    q->elements[q->size++] = e;
    return q;
}

unsigned int queue_size(queue q) {
    assert(q != nullptr);
    return q->size;
}

void queue_dump(queue q, FILE *file) {
    assert(q != nullptr);
    std::fputc('[', file);
    for (unsigned int i = 0; i < q->size; ++i) {
        std::fprintf(file, i == 0 ? "%d" : ", %d", q->elements[i]);
    }
    std::fputs("]\n", file);
}

queue queue_disscard(queue q, unsigned int n) {
    assert(q != nullptr);
    assert(n < q->size);
    std::memmove(q->elements + n, q->elements + n + 1, sizeof(int) * (q->size - n - 1));
    q->size -= 1;
    return q;
}

queue queue_destroy(queue q) {
    if (q != nullptr) {
        std::free(q->elements);
        std::free(q);
    }
    return nullptr;
}
