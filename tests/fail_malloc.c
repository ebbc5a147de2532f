/* Preloaded into a program under test: malloc fails for blocks of exactly
 * ADTLAB_FAIL_MALLOC_SIZE bytes, and works as usual for every other size. */
#include <stdlib.h>

void *__libc_malloc(size_t size);

void *malloc(size_t size) {
    const char *failing = getenv("ADTLAB_FAIL_MALLOC_SIZE");
    if (failing != NULL && size == strtoull(failing, NULL, 10)) {
        return NULL;
    }
    return __libc_malloc(size);
}
