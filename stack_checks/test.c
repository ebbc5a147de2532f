/* test: checks three properties of the stack module, one line each, and
 * stops at the first that fails through its assertion. It calls only
 * stack_empty, stack_push, stack_pop, stack_is_empty and stack_to_array, so
 * any stack module with those operations links; the stacks it builds live
 * until the process ends. */
#include "adt/stack.h"

#include <assert.h>
#include <stdio.h>
#include <stdlib.h>

/* The checks are assertions: a build without them would check nothing. */
#ifdef NDEBUG
#error "test needs assertions: build it without NDEBUG"
#endif

static void test_stack_pop_single_element(void) {
    stack s = stack_empty();
    s = stack_push(s, 10);
    s = stack_pop(s);
    assert(stack_is_empty(s));
    puts("stack_pop funciona correctamente para pilas de tamaño 1.");
}

static void test_insert_after_empty_stack(void) {
    stack s = stack_empty();
    s = stack_push(s, 10);
    assert(!stack_is_empty(s));
    puts("Se pueden volver a insertar elementos después de vaciar la pila.");
}

static void test_stack_to_array(void) {
    stack s = stack_empty();
    s = stack_push(s, 1);
    s = stack_push(s, 2);
    s = stack_push(s, 3);
    int *array = stack_to_array(s);
    assert(array != NULL);
    puts("stack_to_array devuelve un array válido para una pila no vacía.");
    assert(array[0] == 3);
    assert(array[1] == 2);
    assert(array[2] == 1);
    puts("stack_to_array devuelve los elementos en el orden correcto.");
    free(array);
}

int main(void) {
    /* A failed check aborts, which drops buffered output: keep each line
     * that passed printed even when stdout is a pipe or a file. */
    setvbuf(stdout, NULL, _IOLBF, BUFSIZ);
    test_stack_pop_single_element();
    test_insert_after_empty_stack();
    test_stack_to_array();
    puts("Todas las pruebas pasaron con éxito.");
    return 0;
}
