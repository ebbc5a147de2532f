#include "adt/stack.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>

// The elements live in one growing block, bottom first, so the top is the
// last one.
struct s_stack {
    int *elements;
    unsigned int size;
    unsigned int capacity;
};

namespace {

void *allocate_or_abort(void *block, std::size_t bytes) {
    void *result = std::realloc(block, bytes);
    if (result == nullptr) {
        std::fputs("stack: out of memory\n", stderr);
        std::abort();
    }
    return result;
}

} // namespace

stack stack_empty(void) {
    auto *s = static_cast<stack>(allocate_or_abort(nullptr, sizeof(s_stack)));
    *s = s_stack{nullptr, 0, 0};
    return s;
}

stack stack_push(stack s, int e) {
    assert(s != nullptr);
    if (s->size == s->capacity) {
        assert(s->capacity < 0x80000000u);
        s->capacity = s->capacity == 0 ? 8 : s->capacity * 2;
        s->elements = static_cast<int *>(
            allocate_or_abort(s->elements, sizeof(int) * static_cast<std::size_t>(s->capacity)));
    }
    s->elements[s->size++] = e;
    return s;
}

stack stack_pop(stack s) {
    assert(s != nullptr);
    assert(s->size > 0);
    s->size -= 1;
    return s;
}

bool stack_is_empty(stack s) {
    assert(s != nullptr);
    return s->size == 0;
}

unsigned int stack_size(stack s) {
    assert(s != nullptr);
    return s->size;
}

int *stack_to_array(stack s) {
    assert(s != nullptr);
    if (s->size == 0) {
        return nullptr;
    }
    auto *array = static_cast<int *>(
        allocate_or_abort(nullptr, sizeof(int) * static_cast<std::size_t>(s->size)));
    for (unsigned int i = 0; i < s->size; ++i) {
        array[i] = s->elements[s->size - 1 - i];
    }
    return array;
}

stack stack_destroy(stack s) {
    if (s != nullptr) {
        std::free(s->elements);
        std::free(s);
    }
    return nullptr;
}
