/* A selection sort that conforms, but first starts a process that keeps
 * running, and keeps the harness's report open, long after it returns. */
#include "ordtally.h"

#include <unistd.h>

void selection_sort(int a[], unsigned int n) {
    static int started;
    if (!started) {
        started = 1;
        if (fork() == 0) {
            sleep(120);
            _exit(0);
        }
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
