/* Runs the user's sorts for adtlab-check, which sends the inputs and
 * compares what comes back. Each sort that is missing is reported as such:
 * the sorts are weak, so the program links without them.
 *
 * Protocol on file descriptor 3, one line each:
 *   missing NAME_sort            the sort is not defined
 *   begin NAME_sort K            input K of the battery starts
 *   ["c", X, Y, R] / ["s", I, J] one call of goes_before / swap
 *   past I J                     a swap(a, I, J) past the end of the
 *                                input's array, which ends the run
 *                                before the swap touches it
 *   end K V...                   the array afterwards
 * The inputs come on standard input: "N V..." per input. */
#define _POSIX_C_SOURCE 200809L /* fdopen, open_memstream */

#include "ordtally/ordtally.h"
#include "report.h"
#include "sort_calls/sort_list.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#define DECLARE_WEAK_SORT(name)                                                                    \
    __attribute__((weak)) void name##_sort(int a[], unsigned int length);
ADTLAB_SORTS(DECLARE_WEAK_SORT)

struct sort {
    const char *name;
    void (*sort)(int[], unsigned int);
};

#define SORT_ENTRY(name) {#name, name##_sort},
static const struct sort sorts[] = {ADTLAB_SORTS(SORT_ENTRY)};

static FILE *report;

/* The input being sorted, whose bounds every swap on it is checked against. */
static const int *sorted_array;
static unsigned int sorted_length;

/* The module's swap, linked with --wrap=swap: out of bounds, it is reported
 * and never made. */
void __real_swap(int a[], unsigned int i, unsigned int j);
void __wrap_swap(int a[], unsigned int i, unsigned int j);
void __wrap_swap(int a[], unsigned int i, unsigned int j) {
    if (a == sorted_array && (i >= sorted_length || j >= sorted_length)) {
        fprintf(report, "past %u %u\n", i, j);
        fflush(report);
        _exit(0);
    }
    __real_swap(a, i, j);
}

static void on_comparison(int x, int y, bool result, void *user) {
    (void)user;
    fprintf(report, ADTLAB_COMPARISON_FORMAT "\n", x, y, result ? "true" : "false");
}

static void on_swap(const int a[], unsigned int i, unsigned int j, void *user) {
    (void)a;
    (void)user;
    fprintf(report, ADTLAB_SWAP_FORMAT "\n", i, j);
}

/* Sorts every input of standard input, reporting the calls and the result. */
static int run(const struct sort *sort) {
    const order_observer observer = {on_comparison, on_swap, NULL};
    unsigned int n;
    for (unsigned int input = 0; scanf("%u", &n) == 1; ++input) {
        int *a = malloc((n + 1) * sizeof *a);
        if (a == NULL) {
            return 2;
        }
        for (unsigned int i = 0; i < n; ++i) {
            if (scanf("%d", &a[i]) != 1) {
                return 2;
            }
        }
        fprintf(report, "begin %s_sort %u\n", sort->name, input);
        fflush(report);
        sorted_array = a;
        sorted_length = n;
        watch_order(&observer);
        sort->sort(a, n);
        watch_order(NULL);
        sorted_array = NULL;
        if (channel_written()) {
            return 0; /* the checker names this input */
        }
        fprintf(report, "end %u", input);
        for (unsigned int i = 0; i < n; ++i) {
            fprintf(report, " %d", a[i]);
        }
        fputs("\n", report);
        fflush(report);
        free(a);
    }
    return 0;
}

int main(int argc, char *argv[]) {
    report = open_report();
    if (report == NULL || argc != 2) {
        return 2;
    }
    for (size_t k = 0; k < sizeof sorts / sizeof sorts[0]; ++k) {
        if (strcmp(sorts[k].name, argv[1]) != 0) {
            continue;
        }
        if (sorts[k].sort == NULL) {
            fprintf(report, "missing %s_sort\n", sorts[k].name);
            return 0;
        }
        return run(&sorts[k]);
    }
    return 2;
}
