/* Checks the user's queue module for adtlab-check: the five operations that
 * the queue loader relies on. Reports on file descriptor 3 "ok" or
 * "fail OPERATION: what was expected; what happened", and stops at the
 * first failure. Elements are read back from queue_dump's text: its numbers
 * above 7000 in magnitude, in the order shown, whatever its punctuation. */
#define _POSIX_C_SOURCE 200809L /* fdopen, open_memstream */

#include "adt/queue.h"
#include "report.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static FILE *report;

/* The elements that the dump shows, into shown[]; returns how many. */
static unsigned int dumped(queue q, int shown[], unsigned int room) {
    char *text = NULL;
    size_t length = 0;
    FILE *stream = open_memstream(&text, &length);
    queue_dump(q, stream);
    fclose(stream);
    unsigned int count = 0;
    for (char *p = text; *p != '\0';) {
        char *end;
        long value = strtol(p, &end, 10);
        if (end == p) {
            ++p;
            continue;
        }
        if ((value > 7000 || value < -7000) && count < room) {
            shown[count++] = (int)value;
        }
        p = end;
    }
    free(text);
    return count;
}

static const char *list(const int values[], unsigned int n) {
    static char text[4096];
    size_t used = 0;
    text[0] = '\0';
    for (unsigned int k = 0; k < n && used < sizeof text - 16; ++k) {
        used += (size_t)snprintf(text + used, sizeof text - used, k == 0 ? "%d" : " %d", values[k]);
    }
    return n == 0 ? "(none)" : text;
}

static int element(unsigned int k) {
    return (int)(7001 + k) * (k % 2 == 0 ? 1 : -1);
}

/* The queue's size and dump against the elements expected. */
static void expect(queue q, const int expected[], unsigned int n, const char *operation,
                   const char *after) {
    int shown[512];
    unsigned int size = queue_size(q);
    if (size != n) {
        fprintf(report, "fail queue_size: after %s, expected %u; it returned %u\n", after, n, size);
        exit(0);
    }
    unsigned int count = dumped(q, shown, 512);
    if (count != n || memcmp(shown, expected, n * sizeof *shown) != 0) {
        fprintf(report, "fail %s: after %s, expected the dump to show %s;", operation, after,
                list(expected, n));
        fprintf(report, " it showed %s\n", list(shown, count));
        exit(0);
    }
}

int main(void) {
    report = open_report();
    if (report == NULL) {
        return 2;
    }
    int expected[512];
    char after[128];
    expect(queue_empty(), expected, 0, "queue_empty", "queue_empty()");
    /* Enqueueing adds at the back, in order, whatever handle comes back. */
    queue q = queue_empty();
    for (unsigned int n = 1; n <= 300; ++n) {
        q = queue_enqueue(q, element(n - 1));
        expected[n - 1] = element(n - 1);
        snprintf(after, sizeof after, "enqueueing %u elements into a new queue", n);
        expect(q, expected, n, "queue_enqueue", after);
    }
    /* Discarding position k removes exactly that element, order kept. */
    for (unsigned int n = 1; n <= 9; ++n) {
        for (unsigned int k = 0; k < n; ++k) {
            queue r = queue_empty();
            for (unsigned int i = 0; i < n; ++i) {
                r = queue_enqueue(r, element(i));
            }
            r = queue_disscard(r, k);
            unsigned int m = 0;
            for (unsigned int i = 0; i < n; ++i) {
                if (i != k) {
                    expected[m++] = element(i);
                }
            }
            snprintf(after, sizeof after, "queue_disscard(q, %u) on a queue of %u", k, n);
            expect(r, expected, m, "queue_disscard", after);
        }
    }
    fputs("ok\n", report);
    return 0;
}
