/* Says in its selection sort's report that insertion sort is missing, and
 * defines a right insertion sort: only the selection sort is charged. */
#include <unistd.h>

void selection_sort(int a[], unsigned int n) {
    static const char forged[] = "missing insertion_sort\n";
    (void)!write(3, forged, sizeof forged - 1);
    sort_if(0, a, n);
}

void insertion_sort(int a[], unsigned int n) {
    insertion_if(1, a, n);
}
