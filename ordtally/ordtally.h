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
 *     unsigned long long comparisons = comparisons_count();
 *     unsigned long long swaps = swaps_count();
 *
 * The stopwatch is read once: see its note. The older reads
 * comparisons_number() and swaps_number() give the counts' low 32 bits and
 * add one each time they are read.
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

/* The order of goes_before() in words, as the programs and pages tell it. */
#define ADTLAB_ORDER_WORDS "by magnitude, the negative first: 0, -1, 1, -2, 2, ..."

/* True when every adjacent pair is in order; stops at the first pair that is
 * not, and counts one comparison per pair looked at. */
bool array_is_sorted(int array[], unsigned int length);

/*
 * The counts are kept in 64 bits. Two reads give each: the whole count, and
 * the count as an unsigned int, which wraps past 4294967295 (2^32 - 1).
 */

/* Sets the comparison count to 0. */
void reset_comparisons_counter(void);

/* Returns the comparison count's low 32 bits. The read itself adds one to the
 * stored count, so a second read in a row returns one more than the first. */
unsigned int comparisons_number(void);

/* Returns the whole comparison count. This read adds nothing: it may come
 * before or after comparisons_number() and changes neither's answer. */
unsigned long long comparisons_count(void);

/* Sets the swap count to 0. */
void reset_swaps_counter(void);

/* Returns the swap count's low 32 bits; like comparisons_number(), a read
 * adds one. */
unsigned int swaps_number(void);

/* Returns the whole swap count; like comparisons_count(), it adds nothing. */
unsigned long long swaps_count(void);

/* Starts a measurement. */
void set_current_time(void);

/*
 * Milliseconds of processor time since the last set_current_time(). The
 * stopwatch keeps one value, which becomes the duration just returned, so
 * every measurement needs its own set_current_time(): a second call in a row
 * returns the current time less the previous duration.
 */
double calculate_elapsed_time(void);

/*
 * Watching. An observer sees every comparison and every swap, in call order,
 * as the sorts make them: on_comparison(x, y, result, user) once
 * goes_before(x, y) has counted and decided, and on_swap(a, i, j, user) once
 * swap(a, i, j) has exchanged and counted (a holds the exchanged values).
 * Either function may be NULL; user is handed back to both.
 *
 * watch_order() copies the observer and replaces the one before it; NULL
 * stops watching, as the program starts. Watching changes nothing else: the
 * order, the swap, the counters (32-bit, wrapping) and the stopwatch behave
 * the same. Like the counters, the observer is shared by the whole program.
 */
typedef struct order_observer {
    void (*on_comparison)(int x, int y, bool result, void *user);
    void (*on_swap)(const int a[], unsigned int i, unsigned int j, void *user);
    void *user;
} order_observer;

void watch_order(const order_observer *observer);

/* Whether an observer is set: true from a watch_order() with a non-NULL
 * observer until the next watch_order(NULL). */
bool order_watched(void);

/*
 * Steps. While an order observer is set, the library's sorts also tell what
 * they do between their calls, each step before the call it leads to:
 *
 *   ORDER_STEP_CALL     the next call comes from line `line` of the sort's
 *                       source; a comparison's values are a[first] and
 *                       a[last], a swap's positions first and last
 *   ORDER_STEP_RANGE    the sort works on positions first..last: quick sort
 *                       partitions them, selection sort looks for the least
 *                       of them, insertion sort inserts into them
 *   ORDER_STEP_PIVOT    the pivot is at position first (quick sort)
 *   ORDER_STEP_MINIMUM  the least value so far is at position first
 *                       (selection sort)
 *   ORDER_STEP_KEY      the value being inserted is at position first
 *                       (insertion sort)
 *   ORDER_STEP_SORTED   positions first..last are in order among themselves
 *   ORDER_STEP_PLACED   positions first..last hold their final values
 *
 * A PLACED or SORTED step ends the range, pivot, minimum and key before it.
 * `line` is the source line that reported the step. A step observer is kept
 * apart from the order observer, so that an order_observer initialised as
 * before stays complete; watch_steps(NULL) stops, as the program starts.
 * Steps change no count.
 */
typedef enum order_step_kind {
    ORDER_STEP_CALL,
    ORDER_STEP_RANGE,
    ORDER_STEP_PIVOT,
    ORDER_STEP_MINIMUM,
    ORDER_STEP_KEY,
    ORDER_STEP_SORTED,
    ORDER_STEP_PLACED
} order_step_kind;

typedef struct order_step {
    order_step_kind kind;
    unsigned int first;
    unsigned int last;
    unsigned int line;
} order_step;

typedef struct step_observer {
    void (*on_step)(const order_step *step, void *user);
    void *user;
} step_observer;

void watch_steps(const step_observer *observer);

/* What the sorts call to report a step; nothing while no one watches. */
void report_step(order_step_kind kind, unsigned int first, unsigned int last, unsigned int line);

#ifdef __cplusplus
}
#endif

#endif /* ADTLAB_ORDTALLY_H */
