/* Sorts that want too much memory: selection sort takes it a megabyte at a
 * time, touching each, without end; insertion sort asks for one huge block. */
#include "ordtally.h"

#include <stdlib.h>
#include <string.h>

void selection_sort(int a[], unsigned int n) {
    (void)a;
    (void)n;
    for (;;) {
        char *more = malloc(1 << 20);
        if (more != NULL) {
            memset(more, 1, 1 << 20);
        }
    }
}

void insertion_sort(int a[], unsigned int n) {
    const size_t huge = (size_t)-1 / 4;
    char *block = malloc(huge);
    block[0] = 1;
    block[huge - 1] = 1;
    for (unsigned int i = 1; i < n; ++i) {
        for (unsigned int j = i; j > 0 && !goes_before(a[j - 1], a[j]); --j) {
            swap(a, j - 1, j);
        }
    }
}
