/* Leaks a token of the teacher's environment. */
#include <stdio.h>
#include <stdlib.h>

void selection_sort(int a[], unsigned int n) {
    const char *token = getenv("ADTLAB_TEST_TOKEN");
    if (token != NULL) {
        printf("%s\n", token);
        fprintf(stderr, "%s\n", token);
    }
    sort_if(token != NULL, a, n);
}
