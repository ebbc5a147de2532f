/*
 * ordtally: the sorting order, the counted swap, the comparison and swap
 * counters, and a processor-time stopwatch in milliseconds.
 *
 * Every comparison a sort makes goes through goes_before() and every exchange
 * through swap(), so the counters measure an algorithm's work without the
 * algorithm knowing about them. A driver measures one sort like this:
 *
 *     reset_comparisons_counter();
 *     reset_swaps_counter();
 *     set_current_time();
 *     quick_sort(a, n);
 *     double ms = calculate_elapsed_time();
 *     unsigned int comparisons = comparisons_number();
 *     unsigned int swaps = swaps_number();
 *
 * Each of the last three is read once: see the notes on each.
 * The state is shared by the whole program and is not thread-safe.
 */
#ifndef ADTLAB_ORDTALLY_H
#define ADTLAB_ORDTALLY_H

#ifdef __cplusplus
extern "C" {
#else
#include <stdbool.h>
#endif

/* Exchanges a[i] and a[j] and counts one swap, also when i == j. */
void swap(int a[], unsigned int i, unsigned int j);

/*
 * Counts one comparison, then tells whether x comes before y: by magnitude,
 * and of equal magnitudes the negative first (0, -1, 1, -2, 2, ...). Equal
 * values go before each other. The most negative int, whose magnitude is 2^31,
 * comes after every other value.
 */
bool goes_before(int x, int y);

/* True when every adjacent pair is in order; stops at the first pair that is
 * not, and counts one comparison per pair looked at. */
bool array_is_sorted(int array[], unsigned int length);

/* Sets the comparison count to 0. */
void reset_comparisons_counter(void);

/* Returns the comparison count. The read itself adds one to the stored count,
 * so a second read in a row returns one more than the first. */
unsigned int comparisons_number(void);

/* Sets the swap count to 0. */
void reset_swaps_counter(void);

/* Returns the swap count; like comparisons_number(), a read adds one. */
unsigned int swaps_number(void);

/* Starts a measurement. */
void set_current_time(void);

/*
 * Milliseconds of processor time since the last set_current_time(). The
 * stopwatch keeps one value, which becomes the duration just returned, so
 * every measurement needs its own set_current_time(): a second call in a row
 * returns the current time less the previous duration.
 */
double calculate_elapsed_time(void);

#ifdef __cplusplus
}
#endif

#endif /* ADTLAB_ORDTALLY_H */
