/* A queue module of someone else's making, with only the five operations
 * that lineload relies on: a singly linked list with a tail pointer, and a
 * dump of its own, "front 4 -2 7 back". */
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
    node *previous = NULL;
    for (unsigned int k = 0; k < position; ++k) {
        previous = *link;
        link = &(*link)->next;
    }
    node *gone = *link;
    *link = gone->next;
    if (q->back == gone) {
        q->back = previous;
    }
    free(gone);
    q->size--;
    return q;
}
