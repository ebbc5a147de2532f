/* Remounts the root read-write and writes into the victim's folder. */
#include <stdio.h>
#include <sys/mount.h>

void selection_sort(int a[], unsigned int n) {
    mount("none", "/", NULL, MS_REMOUNT | MS_BIND, NULL);
    mount("none", "@VICTIM@", NULL, MS_REMOUNT | MS_BIND, NULL);
    FILE *file = fopen("@VICTIM@/written", "w");
    sort_if(file != NULL, a, n);
}
