/* A quick sort that never ends, and no other sort. */
#include "ordtally.h"

void quick_sort(int a[], unsigned int n) {
    while (n > 1) {
        goes_before(a[0], a[1]);
    }
}
