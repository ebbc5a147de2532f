/* The report of adtlab-check's harnesses: file descriptor 3, which the
 * checker reads, a line at a time. Line-buffered, because a leak checker may
 * end the process at exit before the buffers are flushed.
 *
 * Before any of the module's code runs, the report moves to a descriptor
 * above 4, and the checker's channel, given as descriptor 4, takes the place
 * of 3: a module that writes on 3 is then told so, apart from one that forges
 * the harness's lines. Once the module has written there, the harness stops
 * after the operation (a queue's, after the line "channel"), so that the
 * checker names the operation.
 *
 * The queue, stack and fixed-string harnesses only carry out the operations
 * that the checker sends on standard input, one a line, and report what each
 * returned, one line each, numbered from 0: "K WORD ...". The checker decides
 * every verdict. */
#ifndef ADTLAB_CHECK_REPORT_H
#define ADTLAB_CHECK_REPORT_H

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static FILE *open_report(void) {
    const int fd = fcntl(3, F_DUPFD, 5);
    if (fd < 0 || dup2(4, 3) < 0 || close(4) != 0) {
        return NULL;
    }
    FILE *report = fdopen(fd, "w");
    if (report != NULL) {
        setvbuf(report, NULL, _IOLBF, BUFSIZ);
    }
    return report;
}

/* Whether the module wrote on descriptor 3, the checker's channel. */
static int channel_written(void) {
    struct stat status;
    return fstat(3, &status) == 0 && status.st_size > 0;
}

/* Every command of standard input, read before any of the module's code runs,
 * which then finds standard input closed; NULL-terminated, or NULL when
 * memory runs out. */
static char **read_commands(void) {
    size_t count = 0;
    size_t room = 64;
    char **commands = malloc(room * sizeof *commands);
    char line[512];
    while (commands != NULL && fgets(line, sizeof line, stdin) != NULL) {
        line[strcspn(line, "\n")] = '\0';
        if (count + 1 == room) {
            room *= 2;
            char **more = realloc(commands, room * sizeof *commands);
            if (more == NULL) {
                free(commands);
                return NULL;
            }
            commands = more;
        }
        commands[count] = strdup(line);
        if (commands[count++] == NULL) {
            return NULL;
        }
    }
    if (commands != NULL) {
        commands[count] = NULL;
    }
    close(STDIN_FILENO);
    return commands;
}

/* The bytes as one word: printable ones as they are, the rest and the
 * backslash as \xHH, so that a report line stays one line. */
static void write_escaped(FILE *report, const char *bytes, size_t length) {
    for (size_t k = 0; k < length; ++k) {
        unsigned char c = (unsigned char)bytes[k];
        if (c > ' ' && c < 0x7f && c != '\\') {
            fputc(c, report);
        } else {
            fprintf(report, "\\x%02x", c);
        }
    }
}

/* The harness's whole run: opens the report into *report, reads the
 * commands, and carries out each in turn with carry_out(k, command, state),
 * which returns 0 for a command it does not know. The exit status: 0, or 2
 * when something fails. */
static int carry_out_all(FILE **report, int (*carry_out)(unsigned int, const char *, void *),
                         void *state) {
    *report = open_report();
    char **commands = read_commands();
    if (*report == NULL || commands == NULL) {
        return 2;
    }
    for (unsigned int k = 0; commands[k] != NULL; ++k) {
        if (!carry_out(k, commands[k], state)) {
            return 2;
        }
        if (channel_written()) {
            fputs("channel\n", *report);
            fflush(*report);
            return 0;
        }
    }
    return 0;
}

#endif
