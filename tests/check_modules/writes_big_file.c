/* A selection sort that writes 300 MB into a file of its working directory
 * before it sorts. */
#include "ordtally.h"

#include <stdio.h>
#include <string.h>

void selection_sort(int a[], unsigned int n) {
    static char chunk[1 << 20];
    memset(chunk, 'x', sizeof chunk);
    FILE *file = fopen("big.bin", "w");
    for (int k = 0; file != NULL && k < 300; ++k) {
        fwrite(chunk, 1, sizeof chunk, file);
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
