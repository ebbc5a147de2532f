/* A selection sort that moves the largest value to the end, but takes the
 * end to be position n - i rather than n - 1 - i: its first swap is one past
 * the array. */
#include "ordtally.h"

void selection_sort(int a[], unsigned int n) {
    for (unsigned int i = 0; i < n; ++i) {
        unsigned int largest = 0;
        for (unsigned int j = 1; j < n - i; ++j) {
            if (goes_before(a[largest], a[j])) {
                largest = j;
            }
        }
        swap(a, largest, n - i);
    }
}
