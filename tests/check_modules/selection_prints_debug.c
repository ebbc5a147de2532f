/* A selection sort left with its debug printing: a line for every
 * comparison it would make, 1 GiB of it, before it sorts. */
#include "ordtally.h"

#include <stdio.h>

void selection_sort(int a[], unsigned int n) {
    for (long k = 0; k < (1L << 30) / 32; ++k) {
        printf("debug: n = %u, step %ld\n", n, k);
    }
    for (unsigned int i = 0; i < n; ++i) {
        unsigned int least = i;
        for (unsigned int j = i + 1; j < n; ++j) {
            if (!goes_before(a[least], a[j])) {
                least = j;
            }
        }
        swap(a, i, least);
    }
}
