/* A heap sort that compares the left child with the right one, not the
 * right with the left: it still sorts, but its calls differ. */
#include "ordtally.h"
static void sift(int a[], unsigned i, unsigned size) {
    while (2 * i + 1 < size) {
        unsigned c = 2 * i + 1;
        if (c + 1 < size && goes_before(a[c], a[c + 1]))
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
