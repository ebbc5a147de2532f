// Deliberately broken stack modules, to show that the check program catches
// them. Compiled with STACK_TO_ARRAY_BOTTOM_FIRST, stack_to_array lists the
// elements bottom first; with STACK_POP_KEEPS_LAST, popping a one-element
// stack leaves it non-empty.
#include "adt/stack.h"

#include <cstdlib>

struct s_stack {
    int elements[16];
    unsigned int size;
};

stack stack_empty(void) {
    return static_cast<stack>(std::calloc(1, sizeof(s_stack)));
}

stack stack_push(stack s, int e) {
    s->elements[s->size++] = e;
    return s;
}

stack stack_pop(stack s) {
#ifdef STACK_POP_KEEPS_LAST
    if (s->size == 1) {
        return s;
    }
#endif
    s->size -= 1;
    return s;
}

bool stack_is_empty(stack s) {
    return s->size == 0;
}

unsigned int stack_size(stack s) {
    return s->size;
}

int *stack_to_array(stack s) {
    auto *array = static_cast<int *>(std::malloc(sizeof(int) * s->size));
    for (unsigned int i = 0; i < s->size; ++i) {
#ifdef STACK_TO_ARRAY_BOTTOM_FIRST
        array[i] = s->elements[i];
#else
        array[i] = s->elements[s->size - 1 - i];
#endif
    }
    return array;
}

stack stack_destroy(stack s) {
    std::free(s);
    return nullptr;
}
