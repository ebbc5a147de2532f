/* A queue that works, but whose queue_size prints its answer on file
 * descriptor 3 as well, taken for a free one. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

typedef struct s_queue {
    int e[1024];
    unsigned int n;
} * queue;

queue queue_empty(void) {
    return calloc(1, sizeof(struct s_queue));
}

queue queue_enqueue(queue q, int x) {
    q->e[q->n++] = x;
    return q;
}

unsigned int queue_size(queue q) {
    dprintf(3, "size is %u\n", q->n);
    return q->n;
}

void queue_dump(queue q, FILE *f) {
    for (unsigned int k = 0; k < q->n; ++k) {
        fprintf(f, "%d;", q->e[k]);
    }
}

queue queue_disscard(queue q, unsigned int k) {
    memmove(q->e + k, q->e + k + 1, (--q->n - k) * sizeof(int));
    return q;
}
