/* Put before each hostile submission by the test: the library's selection
 * and insertion sorts, which a hostile sort runs only when its attack got
 * through, so that "conforms" would mean the attack worked. The test puts
 * the paths of its own fixtures where the sources hold @SECRET@, @VICTIM@,
 * @SOCKET@ and @FIFO@. */
#include "ordtally.h"

static void sort_if(int worked, int a[], unsigned int n) {
    for (unsigned int i = 0; worked && i < n; ++i) {
        unsigned int m = i;
        for (unsigned int j = i + 1; j < n; ++j) {
            if (!goes_before(a[m], a[j])) {
                m = j;
            }
        }
        swap(a, i, m);
    }
}

static void insertion_if(int worked, int a[], unsigned int n) {
    for (unsigned int i = 1; worked && i < n; ++i) {
        for (unsigned int j = i; j > 0 && !goes_before(a[j - 1], a[j]); --j) {
            swap(a, j - 1, j);
        }
    }
}
