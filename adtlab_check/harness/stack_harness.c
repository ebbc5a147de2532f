/* Carries out stack operations for adtlab-check on up to four stacks at once.
 * Commands, SLOT from 0 to 3:
 *   empty SLOT    -> K done            is_empty SLOT -> K bool true|false
 *   push SLOT V   -> K done            array SLOT N  -> K array V... | K array null
 *   pop SLOT      -> K done
 * "array" reads the first N elements of stack_to_array's array and frees it. */
#define _POSIX_C_SOURCE 200809L /* fdopen, strdup */

#include "adt/stack.h"
#include "report.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define SLOTS 4

static FILE *report;

static void array(unsigned int k, stack s, unsigned int n) {
    int *elements = stack_to_array(s);
    fprintf(report, "%u array", k);
    if (elements == NULL) {
        fputs(" null\n", report);
        return;
    }
    for (unsigned int i = 0; i < n; ++i) {
        fprintf(report, " %d", elements[i]);
    }
    fputc('\n', report);
    free(elements);
}

/* Carries out command k; 0 when it is none of the above. */
static int carry_out(unsigned int k, const char *command, void *state) {
    stack *slots = state;
    char operation[16];
    unsigned int slot;
    int value = 0;
    int fields = sscanf(command, "%15s %u %d", operation, &slot, &value);
    if (fields < 2 || slot >= SLOTS) {
        return 0;
    }
    if (strcmp(operation, "empty") == 0) {
        slots[slot] = stack_empty();
    } else if (strcmp(operation, "push") == 0 && fields == 3) {
        slots[slot] = stack_push(slots[slot], value);
    } else if (strcmp(operation, "pop") == 0) {
        slots[slot] = stack_pop(slots[slot]);
    } else if (strcmp(operation, "is_empty") == 0) {
        fprintf(report, "%u bool %s\n", k, stack_is_empty(slots[slot]) ? "true" : "false");
        return 1;
    } else if (strcmp(operation, "array") == 0 && fields == 3 && value > 0) {
        array(k, slots[slot], (unsigned int)value);
        return 1;
    } else {
        return 0;
    }
    fprintf(report, "%u done\n", k);
    return 1;
}

int main(void) {
    stack slots[SLOTS] = {NULL};
    return carry_out_all(&report, carry_out, slots);
}
