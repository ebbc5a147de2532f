/* A source with a syntax error. */
void quick_sort(int a[], unsigned int n) {
    a[0] = n
}
