/* Checks the user's stack module for adtlab-check: what the stack check
 * program relies on, over many elements. Reports on file descriptor 3 "ok"
 * or "fail OPERATION: what was expected; what happened". */
#define _POSIX_C_SOURCE 200809L /* fdopen, open_memstream */

#include "adt/stack.h"
#include "report.h"

#include <stdio.h>
#include <stdlib.h>

static FILE *report;

/* The stack's array against values[0..n-1], top first; freed with free. */
static void expect(stack s, unsigned int n, const char *after) {
    if (stack_is_empty(s) != (n == 0)) {
        fprintf(report, "fail stack_is_empty: after %s, expected %s; it returned %s\n", after,
                n == 0 ? "true" : "false", n == 0 ? "false" : "true");
        exit(0);
    }
    int *array = stack_to_array(s);
    if (n > 0 && array == NULL) {
        fprintf(report, "fail stack_to_array: after %s, expected an array; it returned NULL\n",
                after);
        exit(0);
    }
    for (unsigned int k = 0; k < n; ++k) {
        int top_down = (int)(n - k); /* pushed 1, 2, ..., n */
        if (array[k] != top_down) {
            fprintf(report,
                    "fail stack_to_array: after %s, expected array[%u] == %d (top first);"
                    " it was %d\n",
                    after, k, top_down, array[k]);
            exit(0);
        }
    }
    free(array);
}

int main(void) {
    report = open_report();
    if (report == NULL) {
        return 2;
    }
    char after[128];
    for (unsigned int n = 0; n <= 200; n += (n < 10 ? 1 : 19)) {
        stack s = stack_empty();
        for (unsigned int k = 1; k <= n; ++k) {
            s = stack_push(s, (int)k);
        }
        snprintf(after, sizeof after, "pushing 1 to %u", n);
        expect(s, n, after);
        for (unsigned int m = n; m > 0; --m) {
            s = stack_pop(s);
            snprintf(after, sizeof after, "pushing 1 to %u and popping %u", n, n - m + 1);
            expect(s, m - 1, after);
        }
        s = stack_push(s, 1);
        snprintf(after, sizeof after, "emptying a stack of %u and pushing 1", n);
        expect(s, 1, after);
    }
    fputs("ok\n", report);
    return 0;
}
