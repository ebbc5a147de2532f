/* Runs the user's sorts for adtlab-check, which sends the inputs and
 * compares what comes back. Each sort that is missing is reported as such:
 * the three are weak, so the program links without them.
 *
 * Protocol on file descriptor 3, one line each:
 *   missing NAME              the sort is not defined
 *   begin NAME K              input K of the battery starts
 *   c X Y R / s I J           one call of goes_before / swap
 *   end V...                  the array afterwards
 * The inputs come on standard input: "N V..." per input. */
#define _POSIX_C_SOURCE 200809L /* fdopen, open_memstream */

#include "ordtally/ordtally.h"
#include "report.h"

#include <stdio.h>
#include <stdlib.h>

#pragma weak selection_sort
#pragma weak insertion_sort
#pragma weak quick_sort
void selection_sort(int a[], unsigned int length);
void insertion_sort(int a[], unsigned int length);
void quick_sort(int a[], unsigned int length);

static FILE *report;

static void on_comparison(int x, int y, bool result, void *user) {
    (void)user;
    fprintf(report, "c %d %d %d\n", x, y, result ? 1 : 0);
}

static void on_swap(const int a[], unsigned int i, unsigned int j, void *user) {
    (void)a;
    (void)user;
    fprintf(report, "s %u %u\n", i, j);
}

int main(int argc, char *argv[]) {
    struct {
        const char *name;
        void (*sort)(int[], unsigned int);
    } sorts[] = {{"selection_sort", selection_sort},
                 {"insertion_sort", insertion_sort},
                 {"quick_sort", quick_sort}};
    report = open_report();
    if (report == NULL || argc != 2) {
        return 2;
    }
    for (int k = 0; k < 3; ++k) {
        if (sorts[k].name[0] != argv[1][0]) {
            continue;
        }
        if (sorts[k].sort == NULL) {
            fprintf(report, "missing %s\n", sorts[k].name);
            return 0;
        }
        const order_observer observer = {on_comparison, on_swap, NULL};
        unsigned int n;
        for (unsigned int input = 0; scanf("%u", &n) == 1; ++input) {
            int *a = malloc((n + 1) * sizeof *a);
            for (unsigned int i = 0; i < n; ++i) {
                if (scanf("%d", &a[i]) != 1) {
                    return 2;
                }
            }
            fprintf(report, "begin %s %u\n", sorts[k].name, input);
            fflush(report);
            watch_order(&observer);
            sorts[k].sort(a, n);
            watch_order(NULL);
            fputs("end", report);
            for (unsigned int i = 0; i < n; ++i) {
                fprintf(report, " %d", a[i]);
            }
            fputs("\n", report);
            fflush(report);
            free(a);
        }
    }
    return 0;
}
