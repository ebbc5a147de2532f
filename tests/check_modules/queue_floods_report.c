/* A queue whose queue_empty writes into the report without end, and never a
 * newline. */
#include <stdio.h>
#include <string.h>
#include <unistd.h>

typedef struct s_queue *queue;

queue queue_empty(void) {
    char block[4096];
    memset(block, 'x', sizeof block);
    while (write(3, block, sizeof block) > 0) {
    }
    _exit(0);
}

queue queue_enqueue(queue q, int e) {
    (void)e;
    return q;
}

unsigned int queue_size(queue q) {
    (void)q;
    return 0;
}

void queue_dump(queue q, FILE *file) {
    (void)q;
    (void)file;
}

queue queue_disscard(queue q, unsigned int n) {
    (void)n;
    return q;
}
