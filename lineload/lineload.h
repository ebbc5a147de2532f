/*
 * lineload: a queue of integers loaded from a text file, and the removal of
 * one element that the user picks on the terminal.
 *
 * The file begins, at its very first character, with "empty:" and a flag.
 * A nonzero flag means an empty queue and nothing after it is read; a flag
 * of 0 is followed by one or more integers, separated by whitespace, that
 * enter the queue in file order:
 *
 *     empty: 0
 *     4 -2 7
 */
#ifndef ADTLAB_LINELOAD_H
#define ADTLAB_LINELOAD_H

#include "adt/queue.h"

#ifdef __cplusplus
extern "C" {
#endif

/*
 * A new queue holding the integers of the file at filepath, owned by the
 * caller. On any problem it prints one message on standard error and ends
 * the process with status 1:
 *   "File does not exist.\n"  the file can't be opened;
 *   "Invalid array.\n"        no "empty:" header and flag at the start, a
 *                             flag of 0 without any integer, something that
 *                             is not an integer, or an integer outside the
 *                             int range.
 */
queue queue_from_file(const char *filepath);

/*
 * Shows q, asks on standard input for the position of an element and
 * returns q without it. A position out of range (a negative number
 * included) prints "Elemento inválido!" and asks again; an answer that is
 * not a number, or the end of input, prints it too and returns NULL, with q
 * unchanged and still the caller's. q must not be empty.
 */
queue queue_user_disscard(queue q);

#ifdef __cplusplus
}
#endif

#endif /* ADTLAB_LINELOAD_H */
