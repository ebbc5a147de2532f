/* An insertion sort that writes far outside its array. */
#include "ordtally.h"

#include <signal.h>

void insertion_sort(int a[], unsigned int n) {
    if (n > 3) {
        raise(SIGSEGV);
    }
    for (unsigned int i = 1; i < n; ++i) {
        for (unsigned int j = i; j > 0 && !goes_before(a[j - 1], a[j]); --j) {
            swap(a, j - 1, j);
        }
    }
}
