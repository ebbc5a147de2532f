/* A quick sort that takes the last element as its pivot. */
#include "ordtally.h"

static void sort(int a[], int l, int r) {
    if (l >= r) {
        return;
    }
    int i = l;
    for (int j = l; j < r; ++j) {
        if (goes_before(a[j], a[r])) {
            swap(a, (unsigned)i++, (unsigned)j);
        }
    }
    swap(a, (unsigned)i, (unsigned)r);
    sort(a, l, i - 1);
    sort(a, i + 1, r);
}

void quick_sort(int a[], unsigned int n) {
    sort(a, 0, (int)n - 1);
}
