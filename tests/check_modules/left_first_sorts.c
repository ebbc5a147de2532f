/* Sorts that conform; quick sort recurses on the left side first. */
#include "ordtally.h"
static unsigned min_pos_from(int a[], unsigned i, unsigned n) {
    unsigned m = i;
    for (unsigned j = i + 1; j < n; ++j)
        if (!goes_before(a[m], a[j]))
            m = j;
    return m;
}
void selection_sort(int a[], unsigned n) {
    for (unsigned i = 0; i < n; ++i)
        swap(a, i, min_pos_from(a, i, n));
}
void insertion_sort(int a[], unsigned n) {
    for (unsigned i = 1; i < n; ++i)
        for (unsigned j = i; j > 0 && !goes_before(a[j - 1], a[j]); --j)
            swap(a, j - 1, j);
}
static unsigned partition(int a[], unsigned l, unsigned r) {
    unsigned p = l, i = l + 1, j = r;
    while (i <= j) {
        if (goes_before(a[i], a[p]))
            ++i;
        else if (goes_before(a[p], a[j]))
            --j;
        else {
            swap(a, i, j);
            ++i;
            --j;
        }
    }
    swap(a, j, p);
    return j;
}
static void rec(int a[], unsigned l, unsigned r) {
    if (l < r) {
        unsigned p = partition(a, l, r);
        rec(a, l, p == 0 ? 0 : p - 1);
        rec(a, p + 1, r);
    }
}
void quick_sort(int a[], unsigned n) {
    rec(a, 0, n == 0 ? 0 : n - 1);
}
