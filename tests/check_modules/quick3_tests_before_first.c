/* A three-way quick sort that asks whether a value goes before the pivot
 * first: it still sorts, but it partitions with other calls. */
#include "ordtally.h"
static void rec(int a[], int l, int r) {
    if (l >= r)
        return;
    int lt = l, i = l + 1, gt = r;
    while (i <= gt) {
        if (!goes_before(a[lt], a[i]))
            swap(a, (unsigned)lt++, (unsigned)i++);
        else if (!goes_before(a[i], a[lt]))
            swap(a, (unsigned)i, (unsigned)gt--);
        else
            i++;
    }
    rec(a, l, lt - 1);
    rec(a, gt + 1, r);
}
void quick3_sort(int a[], unsigned n) {
    rec(a, 0, (int)n - 1);
}
