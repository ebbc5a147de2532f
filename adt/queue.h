/*
 * queue: a queue of int, the small stand-in for the queue module that
 * lineload builds on.
 *
 * Operations that change a queue take its handle and return the handle to use
 * from then on: q = queue_enqueue(q, 7). The caller owns the queue and ends it
 * with queue_destroy(). Running out of memory aborts the program.
 */
#ifndef ADTLAB_QUEUE_H
#define ADTLAB_QUEUE_H

#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct s_queue *queue;

/* A new empty queue. */
queue queue_empty(void);

/* q with e added at the back. */
queue queue_enqueue(queue q, int e);

/* The number of elements. */
unsigned int queue_size(queue q);

/* Writes the elements front first on one line, as in "[4, -2, 7]\n". */
void queue_dump(queue q, FILE *file);

/* q without the element at position n, 0 being the front; n must be below
 * queue_size(q). */
queue queue_disscard(queue q, unsigned int n);

/* Frees q; returns NULL. */
queue queue_destroy(queue q);

#ifdef __cplusplus
}
#endif

#endif /* ADTLAB_QUEUE_H */
