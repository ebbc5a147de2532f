/* A selection sort whose calls are right, but which then writes the array
 * itself. */
#include "ordtally.h"

void selection_sort(int a[], unsigned int n) {
    for (unsigned int i = 0; i < n; ++i) {
        unsigned int m = i;
        for (unsigned int j = i + 1; j < n; ++j) {
            if (!goes_before(a[m], a[j])) {
                m = j;
            }
        }
        swap(a, i, m);
    }
    if (n > 0) {
        a[0] = a[n - 1];
    }
}
