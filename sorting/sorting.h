/*
 * sorting: three in-place sorts of int arrays in the order of goes_before().
 *
 * The sorts never compare or exchange elements themselves: every comparison is
 * a goes_before() and every exchange a swap() of ordtally, so its counters
 * measure each algorithm exactly. The sequence of those calls is part of each
 * algorithm, and a sort of one's own that makes the same calls in the same
 * order makes the same counts (equal values go before each other):
 *
 * selection_sort(a, n): n(n-1)/2 comparisons and exactly n swaps.
 *   for i = 0 .. n-1:
 *     m = i
 *     for j = i+1 .. n-1: if not goes_before(a[m], a[j]) then m = j
 *     swap(a, i, m)             -- always, even where m is i, and for i = n-1
 *
 * insertion_sort(a, n): one swap per inversion.
 *   for i = 1 .. n-1:
 *     j = i
 *     while j > 0 and not goes_before(a[j-1], a[j]):
 *       swap(a, j-1, j); j = j-1   -- an equal value stops the walk
 *
 * quick_sort(a, n): sorts positions 0 .. n-1; a range of fewer than two
 * positions makes no call. A range l .. r is partitioned around its first
 * element, the pivot at p = l:
 *   i = l+1, j = r
 *   while i <= j:
 *     if goes_before(a[i], a[p])       then i = i+1       -- equal ones stay left
 *     else if goes_before(a[p], a[j])  then j = j-1
 *     else swap(a, i, j); i = i+1; j = j-1
 *   swap(a, j, p)               -- always, even where j is p: the pivot is placed
 * then the two sides, l .. j-1 and j+1 .. r, are sorted the same way, the one
 * of fewer positions first (the right one when they are as long), which keeps
 * the recursion depth logarithmic. Quadratic on input in order.
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
