/* The library's sorts, listed once for every program and harness: X(name)
 * for each, in the order the programs show them; the first three are the
 * sorting library's, the others textbook_sorts'. The sort itself is
 * name##_sort. Plain C, so that adtlab-check's harnesses include it too;
 * sort_calls/sorts.h holds what the programs know of each. */
#ifndef ADTLAB_SORT_LIST_H
#define ADTLAB_SORT_LIST_H

#define ADTLAB_SORTS(X) X(selection) X(insertion) X(quick) X(bubble) X(shell) X(heap) X(quick3)

/* One call of goes_before or swap as a line of text: the events of
 * sort_trace's JSON, which the harnesses also speak. */
#define ADTLAB_COMPARISON_FORMAT "[\"c\", %d, %d, %s]"
#define ADTLAB_SWAP_FORMAT "[\"s\", %u, %u]"

#endif
