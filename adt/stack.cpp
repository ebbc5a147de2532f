#include "adt/stack.h"

#include "int_block.h"

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

using adtlab::detail::allocate_or_abort;
using adtlab::detail::make_room;

stack stack_empty(void) {
    auto *s = static_cast<stack>(allocate_or_abort(nullptr, sizeof(s_stack), "stack"));
    *s = s_stack{nullptr, 0, 0};
    return s;
}

stack stack_push(stack s, int e) {
    assert(s != nullptr);
    make_room(s->elements, s->size, s->capacity, "stack");
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
        allocate_or_abort(nullptr, sizeof(int) * static_cast<std::size_t>(s->size), "stack"));
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
