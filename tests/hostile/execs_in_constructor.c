/* Runs a program from a constructor, before the harness's main. */
#include <unistd.h>

__attribute__((constructor)) static void first(void) {
    execl("/bin/sh", "sh", "-c", "touch @VICTIM@/executed", (char *)NULL);
}

void selection_sort(int a[], unsigned int n) {
    sort_if(0, a, n);
}
