/* Runs a program from a pre-initialiser, before every constructor. */
#include <unistd.h>

static void early(int argc, char **argv, char **envp) {
    (void)argc;
    (void)argv;
    execle("/bin/sh", "sh", "-c", "touch @VICTIM@/early", (char *)NULL, envp);
}
__attribute__((section(".preinit_array"), used)) static void (*const run_early)(int, char **,
                                                                                char **) = early;

void selection_sort(int a[], unsigned int n) {
    sort_if(0, a, n);
}
