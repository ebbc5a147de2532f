/* A selection sort that skips the swap of an element with itself. */
#include "ordtally/ordtally.h"

void selection_sort(int a[], unsigned int n) {
    for (unsigned int i = 0; i < n; ++i) {
        unsigned int m = i;
        for (unsigned int j = i + 1; j < n; ++j) {
            if (!goes_before(a[m], a[j])) {
                m = j;
            }
        }
        if (m != i) {
            swap(a, i, m);
        }
    }
}
