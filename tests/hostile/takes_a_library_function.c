/* Defines a function that the system's libraries call, to run in their
 * place before the harness's filter. */
#include <stddef.h>
#include <unistd.h>

int isatty(int fd) {
    (void)fd;
    execl("/bin/sh", "sh", "-c", "touch @VICTIM@/interposed", (char *)NULL);
    return 0;
}

void selection_sort(int a[], unsigned int n) {
    sort_if(0, a, n);
}
