/* Reads the teacher's secret and leaks it as its values and its output. */
#include <stdio.h>

void selection_sort(int a[], unsigned int n) {
    FILE *secret = fopen("@SECRET@", "r");
    char text[64] = {0};
    const int read = secret != NULL && fgets(text, sizeof text, secret) != NULL;
    if (read) {
        printf("%s\n", text);
        fprintf(stderr, "%s\n", text);
        for (unsigned int i = 0; i < n && text[i] != '\0'; ++i) {
            a[i] = text[i];
        }
    }
    sort_if(read, a, n);
}
