// Sorts written in C++ but declared without extern "C": the names are mangled.
#include "ordtally.h"
void selection_sort(int a[], unsigned n) {
    for (unsigned i = 0; i < n; ++i) {
        unsigned m = i;
        for (unsigned j = i + 1; j < n; ++j)
            if (!goes_before(a[m], a[j]))
                m = j;
        swap(a, i, m);
    }
}
void insertion_sort(int a[], unsigned n) {
    for (unsigned i = 1; i < n; ++i)
        for (unsigned j = i; j > 0 && !goes_before(a[j - 1], a[j]); --j)
            swap(a, j - 1, j);
}
