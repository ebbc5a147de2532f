/* Writes 20 files of 60 MiB each, each under the file size limit. */
#include <stdio.h>

void selection_sort(int a[], unsigned int n) {
    static char block[1 << 20];
    int written = 1;
    for (int k = 0; written && k < 20; ++k) {
        char name[32];
        snprintf(name, sizeof name, "big%d", k);
        FILE *file = fopen(name, "w");
        for (int m = 0; file != NULL && written && m < 60; ++m) {
            written = fwrite(block, 1, sizeof block, file) == sizeof block;
        }
        written = file != NULL && fclose(file) == 0 && written;
    }
    sort_if(written, a, n);
}
