/* A heap sort that conforms, and a three-way quick sort that sorts the side
 * before the pivot first, which adtlab-check takes partition by partition. */
#include "ordtally.h"
static void sift(int a[], unsigned i, unsigned size) {
    while (2 * i + 1 < size) {
        unsigned c = 2 * i + 1;
        if (c + 1 < size && !goes_before(a[c + 1], a[c]))
            c = c + 1;
        if (goes_before(a[c], a[i]))
            return;
        swap(a, i, c);
        i = c;
    }
}
void heap_sort(int a[], unsigned n) {
    for (unsigned i = n / 2; i > 0; --i)
        sift(a, i - 1, n);
    for (unsigned end = n; end > 1; --end) {
        swap(a, 0, end - 1);
        sift(a, 0, end - 1);
    }
}
static void rec(int a[], int l, int r) {
    if (l >= r)
        return;
    int lt = l, i = l + 1, gt = r;
    while (i <= gt) {
        if (!goes_before(a[i], a[lt]))
            swap(a, (unsigned)i, (unsigned)gt--);
        else if (!goes_before(a[lt], a[i]))
            swap(a, (unsigned)lt++, (unsigned)i++);
        else
            i++;
    }
    rec(a, l, lt - 1);
    rec(a, gt + 1, r);
}
void quick3_sort(int a[], unsigned n) {
    rec(a, 0, (int)n - 1);
}
