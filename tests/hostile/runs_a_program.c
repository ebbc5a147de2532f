/* Runs a program through popen and trusts its answer. */
#include <stdio.h>

void selection_sort(int a[], unsigned int n) {
    FILE *program = popen("echo 1", "r");
    int answer = 0;
    sort_if(program != NULL && fscanf(program, "%d", &answer) == 1 && answer == 1, a, n);
}
