/* An insertion sort that walks past equal elements. */
#include "ordtally.h"

void insertion_sort(int a[], unsigned int n) {
    for (unsigned int i = 1; i < n; ++i) {
        for (unsigned int j = i; j > 0 && goes_before(a[j], a[j - 1]); --j) {
            swap(a, j - 1, j);
        }
    }
}
