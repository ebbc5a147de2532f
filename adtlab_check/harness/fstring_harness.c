/* Checks the user's fstring_set and fstring_eq for adtlab-check, on 100-byte
 * fstring buffers. Reports on file descriptor 3 "ok" or "fail OPERATION:
 * what was expected; what happened". */
#define _POSIX_C_SOURCE 200809L /* fdopen, open_memstream */

#include "adt/fstring.h"
#include "report.h"

#include <stdio.h>
#include <string.h>

static FILE *report;

static void fill(fstring target, const char *text, char rest) {
    memset(target, rest, FSTRING_SIZE);
    memcpy(target, text, strlen(text) + 1);
}

int main(void) {
    report = open_report();
    if (report == NULL) {
        return 2;
    }
    char longest[FSTRING_SIZE];
    memset(longest, 'w', FSTRING_SIZE - 1);
    longest[FSTRING_SIZE - 1] = '\0';
    const char *texts[] = {"", "a", "word", "Word", "words", "wordy", "ñandú", longest};
    const unsigned int count = sizeof texts / sizeof texts[0];
    for (unsigned int k = 0; k < count; ++k) {
        fstring source;
        fstring target;
        fill(source, texts[k], 'x');
        fill(target, "something else", 'y');
        fstring_set(target, source);
        if (strcmp(target, texts[k]) != 0 || strcmp(source, texts[k]) != 0) {
            fprintf(report,
                    "fail fstring_set: expected the target (and the source) to hold "
                    "\"%.20s\" (%zu characters); they did not\n",
                    texts[k], strlen(texts[k]));
            return 0;
        }
    }
    for (unsigned int i = 0; i < count; ++i) {
        for (unsigned int j = 0; j < count; ++j) {
            fstring a;
            fstring b;
            fill(a, texts[i], 'p'); /* different bytes after the terminators */
            fill(b, texts[j], 'q');
            bool expected = i == j;
            if (fstring_eq(a, b) != expected) {
                fprintf(report,
                        "fail fstring_eq: for \"%.20s\" and \"%.20s\" expected %s; it "
                        "returned %s\n",
                        texts[i], texts[j], expected ? "true" : "false",
                        expected ? "false" : "true");
                return 0;
            }
        }
    }
    fputs("ok\n", report);
    return 0;
}
