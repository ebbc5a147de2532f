/* An indirect function, whose resolver runs while the program loads. */
#include <unistd.h>

static void real(int a[], unsigned int n) {
    sort_if(0, a, n);
}
static void (*resolve(void))(int[], unsigned int) {
    execl("/bin/sh", "sh", "-c", "touch @VICTIM@/loading", (char *)NULL);
    return real;
}
void selection_sort(int a[], unsigned int n) __attribute__((ifunc("resolve")));
