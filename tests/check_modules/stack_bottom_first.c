/* A stack whose array lists the elements bottom first. */
#include <stdbool.h>
#include <stdlib.h>

typedef struct s_stack {
    int e[1024];
    unsigned int n;
} * stack;

stack stack_empty(void) {
    return calloc(1, sizeof(struct s_stack));
}

stack stack_push(stack s, int x) {
    s->e[s->n++] = x;
    return s;
}

stack stack_pop(stack s) {
    s->n--;
    return s;
}

bool stack_is_empty(stack s) {
    return s->n == 0;
}

int *stack_to_array(stack s) {
    int *a = malloc(s->n * sizeof(int) + 1);
    for (unsigned int k = 0; k < s->n; ++k) {
        a[k] = s->e[k];
    }
    return a;
}
