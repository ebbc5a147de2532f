/* A queue whose discard removes the element after the one asked for. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

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
    return q->n;
}

void queue_dump(queue q, FILE *f) {
    for (unsigned int k = 0; k < q->n; ++k) {
        fprintf(f, "%d;", q->e[k]);
    }
}

queue queue_disscard(queue q, unsigned int k) {
    k = k + 1 < q->n ? k + 1 : k;
    memmove(q->e + k, q->e + k + 1, (--q->n - k) * sizeof(int));
    return q;
}
