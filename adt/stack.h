/*
 * stack: a stack of int, the small stand-in for the stack module that the
 * stack check program exercises.
 *
 * Operations that change a stack take its handle and return the handle to
 * use from then on: s = stack_push(s, 7). The caller owns the stack and ends
 * it with stack_destroy(). Running out of memory aborts the program.
 */
#ifndef ADTLAB_STACK_H
#define ADTLAB_STACK_H

#ifdef __cplusplus
extern "C" {
#else
#include <stdbool.h>
#endif

typedef struct s_stack *stack;

/* A new empty stack. */
stack stack_empty(void);

/* s with e on top. */
stack stack_push(stack s, int e);

/* s without its top element; s must not be empty. */
stack stack_pop(stack s);

/* Whether s holds no element. */
bool stack_is_empty(stack s);

/* The number of elements. */
unsigned int stack_size(stack s);

/* A new array of the elements from the top down, allocated with malloc and
 * freed by the caller with free; NULL when s is empty. */
int *stack_to_array(stack s);

/* Frees s; returns NULL. */
stack stack_destroy(stack s);

#ifdef __cplusplus
}
#endif

#endif /* ADTLAB_STACK_H */
