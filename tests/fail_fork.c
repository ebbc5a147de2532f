/* Preloaded into a program under test: its Nth fork() fails with EAGAIN, N
 * from ADTLAB_FAIL_FORK_AT, and every other works as usual. The programs it
 * starts run without it. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdlib.h>
#include <unistd.h>

__attribute__((constructor)) static void not_in_children(void) {
    unsetenv("LD_PRELOAD");
}

pid_t fork(void) {
    static unsigned long forks;
    const char *failing = getenv("ADTLAB_FAIL_FORK_AT");
    if (failing != NULL && ++forks == strtoul(failing, NULL, 10)) {
        errno = EAGAIN;
        return -1;
    }
    union {
        void *object;
        pid_t (*function)(void);
    } next = {dlsym(RTLD_NEXT, "fork")};
    return next.function();
}
