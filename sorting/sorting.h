/*
 * sorting: three in-place sorts of int arrays in the order of goes_before().
 *
 * The sorts never compare or exchange elements themselves: every comparison is
 * a goes_before() and every exchange a swap() of ordtally, so its counters
 * measure each algorithm exactly. The sequence of those calls is part of each
 * algorithm:
 *
 *   selection_sort  n(n-1)/2 comparisons and exactly n swaps;
 *   insertion_sort  one swap per inversion, walking each element down until
 *                   an element that goes before it (equal ones stop the walk);
 *   quick_sort      first element as pivot; quadratic on input in order, with
 *                   a recursion depth that stays logarithmic.
 *
 * While an order observer is set, the sorts also report their steps (the
 * range worked on, the pivot, the least value so far, the key, the parts in
 * order and in place, and the source line of each call) to ordtally's step
 * observer; unwatched, they report nothing and cost nothing more.
 */
#ifndef ADTLAB_SORTING_H
#define ADTLAB_SORTING_H

#include "ordtally/ordtally.h"

#ifdef __cplusplus
extern "C" {
#endif

void selection_sort(int a[], unsigned int length);

void insertion_sort(int a[], unsigned int length);

void quick_sort(int a[], unsigned int length);

#ifdef __cplusplus
}
#endif

#endif /* ADTLAB_SORTING_H */
