/* An insertion sort that compares through goes_before but exchanges by
 * itself, and a quick sort that calls neither. */
#include "ordtally.h"

void insertion_sort(int a[], unsigned int n) {
    for (unsigned int i = 1; i < n; ++i) {
        for (unsigned int j = i; j > 0 && !goes_before(a[j - 1], a[j]); --j) {
            int t = a[j];
            a[j] = a[j - 1];
            a[j - 1] = t;
        }
    }
}

void quick_sort(int a[], unsigned int n) {
    for (unsigned int i = 1; i < n; ++i) {
        for (unsigned int j = i; j > 0 && a[j - 1] > a[j]; --j) {
            int t = a[j];
            a[j] = a[j - 1];
            a[j - 1] = t;
        }
    }
}
