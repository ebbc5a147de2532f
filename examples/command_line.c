#include "command_line.h"

#include <stdbool.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

_Noreturn void usage_error(const char *usage) {
    fputs(usage, stderr);
    exit(2);
}

int operands_only(int argc, char *argv[], const char *usage, const char *help) {
    int kept = 1;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const char *argument = argv[i];
        if (options && strcmp(argument, "--") == 0) {
            options = false;
        } else if (options && (strcmp(argument, "--help") == 0 || strcmp(argument, "-h") == 0)) {
            fputs(usage, stdout);
            fputs(help, stdout);
            exit(0);
        } else if (options && argument[0] == '-' && argument[1] != '\0') {
            usage_error(usage);
        } else {
            argv[kept++] = argv[i];
        }
    }
    return kept;
}
