/* Fixed strings compared as whole buffers, bytes past the terminator too. */
#include <stdbool.h>
#include <string.h>

void fstring_set(char target[100], const char source[100]) {
    strcpy(target, source);
}

bool fstring_eq(const char a[100], const char b[100]) {
    return memcmp(a, b, 100) == 0;
}
