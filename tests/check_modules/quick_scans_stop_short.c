/* A quick sort whose scans stop one short: while (i < j) for i <= j, so
 * that a range of two is never compared before its pivot is placed. */
#include "ordtally.h"

static unsigned partition(int a[], unsigned l, unsigned r) {
    unsigned i = l + 1, j = r;
    while (i < j) {
        if (goes_before(a[i], a[l])) {
            ++i;
        } else if (goes_before(a[l], a[j])) {
            --j;
        } else {
            swap(a, i++, j--);
        }
    }
    swap(a, j, l);
    return j;
}

static void sort(int a[], unsigned l, unsigned r) {
    if (l < r) {
        unsigned p = partition(a, l, r);
        if (p > l) {
            sort(a, l, p - 1);
        }
        sort(a, p + 1, r);
    }
}

void quick_sort(int a[], unsigned n) {
    if (n > 1) {
        sort(a, 0, n - 1);
    }
}
