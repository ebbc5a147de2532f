/* Carries out queue operations for adtlab-check on up to four queues at once.
 * Commands, SLOT from 0 to 3:
 *   empty SLOT          -> K done        discard SLOT N -> K done
 *   enqueue SLOT V      -> K done        size SLOT      -> K size N
 *   dump SLOT           -> K dump TEXT   (the dumped text escaped, bounded) */
#define _POSIX_C_SOURCE 200809L /* fdopen, open_memstream, strdup */

#include "adt/queue.h"
#include "report.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define SLOTS 4
#define DUMP_ROOM 65536 /* bytes of a dump reported at most */

static FILE *report;

static void dump(unsigned int k, queue q) {
    char *text = NULL;
    size_t length = 0;
    FILE *stream = open_memstream(&text, &length);
    if (stream == NULL) {
        exit(2);
    }
    queue_dump(q, stream);
    fclose(stream);
    fprintf(report, "%u dump ", k);
    write_escaped(report, text, length < DUMP_ROOM ? length : DUMP_ROOM);
    fputc('\n', report);
    free(text);
}

/* Carries out command k; 0 when it is none of the above. */
static int carry_out(unsigned int k, const char *command, void *state) {
    queue *slots = state;
    char operation[16];
    unsigned int slot;
    int value = 0;
    int fields = sscanf(command, "%15s %u %d", operation, &slot, &value);
    if (fields < 2 || slot >= SLOTS) {
        return 0;
    }
    if (strcmp(operation, "empty") == 0) {
        slots[slot] = queue_empty();
    } else if (strcmp(operation, "enqueue") == 0 && fields == 3) {
        slots[slot] = queue_enqueue(slots[slot], value);
    } else if (strcmp(operation, "discard") == 0 && fields == 3 && value >= 0) {
        slots[slot] = queue_disscard(slots[slot], (unsigned int)value);
    } else if (strcmp(operation, "size") == 0) {
        fprintf(report, "%u size %u\n", k, queue_size(slots[slot]));
        return 1;
    } else if (strcmp(operation, "dump") == 0) {
        dump(k, slots[slot]);
        return 1;
    } else {
        return 0;
    }
    fprintf(report, "%u done\n", k);
    return 1;
}

int main(void) {
    queue slots[SLOTS] = {NULL};
    return carry_out_all(&report, carry_out, slots);
}
