/* Carries out fstring_set and fstring_eq for adtlab-check on 100-byte
 * buffers. A buffer is given as its text in hex ("-" for none) and the byte
 * in hex that fills it past the terminator:
 *   set SOURCE FILL TARGET FILL -> K set TARGET SOURCE   (each afterwards, in
 *                                  hex up to its terminator, or all 100 bytes)
 *   eq A FILL B FILL            -> K bool true|false */
#define _POSIX_C_SOURCE 200809L /* fdopen, strdup */

#include "adt/fstring.h"
#include "report.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static FILE *report;

static int hex_digit(char c) {
    const char *digits = "0123456789abcdef";
    const char *at = c == '\0' ? NULL : strchr(digits, c);
    return at == NULL ? -1 : (int)(at - digits);
}

/* The buffer: the text, its terminator, then the fill; 0 when the words do
 * not make one. */
static int fill(fstring buffer, const char *text, const char *rest) {
    size_t length = strcmp(text, "-") == 0 ? 0 : strlen(text) / 2;
    if (length >= FSTRING_SIZE || strlen(rest) != 2 || hex_digit(rest[0]) < 0 ||
        hex_digit(rest[1]) < 0) {
        return 0;
    }
    memset(buffer, hex_digit(rest[0]) * 16 + hex_digit(rest[1]), FSTRING_SIZE);
    for (size_t k = 0; k < length; ++k) {
        int high = hex_digit(text[2 * k]);
        int low = hex_digit(text[2 * k + 1]);
        if (high < 0 || low < 0) {
            return 0;
        }
        buffer[k] = (char)(high * 16 + low);
    }
    buffer[length] = '\0';
    return 1;
}

static void write_hex(const fstring buffer) {
    fputc(' ', report);
    for (size_t k = 0; k < FSTRING_SIZE; ++k) {
        fprintf(report, "%02x", (unsigned char)buffer[k]);
        if (buffer[k] == '\0') {
            return;
        }
    }
}

/* Carries out command k; 0 when it is none of the above. */
static int carry_out(unsigned int k, const char *command, void *state) {
    (void)state;
    char operation[8];
    char text[2][2 * FSTRING_SIZE + 1];
    char rest[2][3];
    int fields =
        sscanf(command, "%7s %200s %2s %200s %2s", operation, text[0], rest[0], text[1], rest[1]);
    fstring a;
    fstring b;
    if (fields != 5 || !fill(a, text[0], rest[0]) || !fill(b, text[1], rest[1])) {
        return 0;
    }
    if (strcmp(operation, "set") == 0) {
        fstring_set(b, a);
        fprintf(report, "%u set", k);
        write_hex(b);
        write_hex(a);
        fputc('\n', report);
    } else if (strcmp(operation, "eq") == 0) {
        fprintf(report, "%u bool %s\n", k, fstring_eq(a, b) ? "true" : "false");
    } else {
        return 0;
    }
    return 1;
}

int main(void) {
    return carry_out_all(&report, carry_out, NULL);
}
