/* A stack module of someone else's making, with only the five operations
 * that the stack check program relies on. The handle is the top node itself,
 * and the empty stack is NULL, so every push and pop returns a new handle. */
#include <stdbool.h>
#include <stdlib.h>

typedef struct s_stack {
    int value;
    struct s_stack *below;
} * stack;

stack stack_empty(void) {
    return NULL;
}

stack stack_push(stack s, int e) {
    stack top = malloc(sizeof *top);
    if (top == NULL) {
        abort();
    }
    top->value = e;
    top->below = s;
    return top;
}

stack stack_pop(stack s) {
    stack below = s->below;
    free(s);
    return below;
}

bool stack_is_empty(stack s) {
    return s == NULL;
}

int *stack_to_array(stack s) {
    unsigned int size = 0;
    for (stack n = s; n != NULL; n = n->below) {
        size++;
    }
    int *array = size == 0 ? NULL : malloc(size * sizeof *array);
    for (unsigned int k = 0; array != NULL && s != NULL; s = s->below) {
        array[k++] = s->value;
    }
    return array;
}
