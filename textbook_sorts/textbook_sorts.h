/*
 * textbook_sorts: four more in-place sorts of int arrays in the order of
 * goes_before(), counted as sorting's three are: every comparison is a
 * goes_before() and every exchange a swap() of ordtally. The exact sequence
 * of calls is part of each sort, so that a sort of one's own that makes the
 * same calls in the same order makes the same counts. Equal values go
 * before each other; "x comes before y" below means not goes_before(y, x).
 *
 * bubble_sort(a, n): n(n-1)/2 comparisons, one swap per inversion.
 *   for end = n-1 down to 1:
 *     for j = 0 .. end-1:
 *       if not goes_before(a[j], a[j+1]) then swap(a, j, j+1)
 *   -- no pass is skipped: a sorted input still makes every comparison
 *
 * shell_sort(a, n): insertion by swaps over Knuth's gaps 1, 4, 13, 40, ...,
 * the first gap found by h = 1; while h < n/3 (in whole numbers): h = 3h+1
 *   for each gap h, down to 1 by h = (h-1)/3:
 *     for i = h .. n-1:
 *       j = i
 *       while j >= h and not goes_before(a[j-h], a[j]):
 *         swap(a, j-h, j); j = j-h      -- an equal value stops the walk
 *   The last pass, of gap 1, is sorting's insertion sort.
 *
 * heap_sort(a, n): a max-heap built bottom-up, then taken apart from the end.
 *   sift(i, size):                      -- a[i] down to its place in a[0..size-1]
 *     while 2i+1 < size:
 *       c = 2i+1
 *       if c+1 < size and not goes_before(a[c+1], a[c]) then c = c+1
 *                                       -- the left child on a tie
 *       if goes_before(a[c], a[i]) then stop
 *                                       -- a parent equal to its child stays
 *       swap(a, i, c); i = c
 *   for i = n/2 - 1 down to 0: sift(i, n)
 *   for end = n-1 down to 1: swap(a, 0, end); sift(0, end)
 *
 * quick3_sort(a, n): quick sort with Dijkstra's partition into values before
 * the pivot, equal to it and after it. A range l .. r of fewer than two
 * positions makes no call; otherwise its first element is the pivot, and
 * lt = l, i = l+1, gt = r:
 *   while i <= gt:                      -- a[lt] always holds a pivot's equal
 *     if not goes_before(a[i], a[lt])      then swap(a, i, gt); gt = gt-1
 *                                          -- after: even where i is gt
 *     else if not goes_before(a[lt], a[i]) then swap(a, lt, i); lt = lt+1; i = i+1
 *                                          -- before
 *     else i = i+1                         -- equal: two comparisons
 *   then l .. lt-1 and gt+1 .. r are sorted the same way, the one of fewer
 *   positions first (the right one when they are as long). Linear on input
 *   of one value repeated.
 *
 * While an order observer is set, the sorts also report their steps to
 * ordtally's step observer, as sorting's do; unwatched, they report nothing.
 */
#ifndef ADTLAB_TEXTBOOK_SORTS_H
#define ADTLAB_TEXTBOOK_SORTS_H

#include "ordtally/ordtally.h"

#ifdef __cplusplus
extern "C" {
#endif

void bubble_sort(int a[], unsigned int length);

void shell_sort(int a[], unsigned int length);

void heap_sort(int a[], unsigned int length);

void quick3_sort(int a[], unsigned int length);

#ifdef __cplusplus
}
#endif

#endif /* ADTLAB_TEXTBOOK_SORTS_H */
