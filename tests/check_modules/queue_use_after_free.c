/* A linked-list queue that forgets to move its back pointer when it
 * discards the last node: enqueueing after that writes into freed memory. */
#include <stdio.h>
#include <stdlib.h>

typedef struct node {
    int value;
    struct node *next;
} node;

typedef struct s_queue {
    node *front;
    node *back;
    unsigned int size;
} * queue;

queue queue_empty(void) {
    queue q = calloc(1, sizeof *q);
    if (q == NULL) {
        abort();
    }
    return q;
}

queue queue_enqueue(queue q, int e) {
    node *n = malloc(sizeof *n);
    if (n == NULL) {
        abort();
    }
    n->value = e;
    n->next = NULL;
    if (q->back == NULL) {
        q->front = n;
    } else {
        q->back->next = n;
    }
    q->back = n;
    q->size++;
    return q;
}

unsigned int queue_size(queue q) {
    return q->size;
}

void queue_dump(queue q, FILE *file) {
    fputs("front", file);
    for (node *n = q->front; n != NULL; n = n->next) {
        fprintf(file, " %d", n->value);
    }
    fputs(" back\n", file);
}

queue queue_disscard(queue q, unsigned int position) {
    node **link = &q->front;
    for (unsigned int k = 0; k < position; ++k) {
        link = &(*link)->next;
    }
    node *gone = *link;
    *link = gone->next;
    free(gone);
    q->size--;
    return q;
}
