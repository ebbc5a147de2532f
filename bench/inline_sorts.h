// The library's sorts written once more, with the order, the swap and the two
// counts inline in one translation unit: the same comparisons and swaps, in
// the same order, as the library, counted by plain increments. They measure
// what counting through ordtally's functions costs.
#pragma once

#include "sort_calls/sorts.h"

#include <vector>

namespace inline_sorts {

// In 64 bits, as the library counts.
struct Counts {
    unsigned long long comparisons = 0;
    unsigned long long swaps = 0;
};

void selection_sort(int a[], unsigned int length, Counts &counts);
void insertion_sort(int a[], unsigned int length, Counts &counts);
void quick_sort(int a[], unsigned int length, Counts &counts);
void bubble_sort(int a[], unsigned int length, Counts &counts);
void shell_sort(int a[], unsigned int length, Counts &counts);
void heap_sort(int a[], unsigned int length, Counts &counts);
void quick3_sort(int a[], unsigned int length, Counts &counts);

using InlineSort = void (*)(int a[], unsigned int length, Counts &counts);

// A sort of the library's table beside its inline copy.
struct PairedSort {
    const adtlab::SortAlgorithm *library;
    InlineSort inline_copy;
};

// Every sort of adtlab::sort_algorithms with its copy, in the table's order.
std::vector<PairedSort> paired_sorts();

} // namespace inline_sorts
