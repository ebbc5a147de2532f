// The three sorts written once more, with the order, the swap and the two
// counts inline in one translation unit: the same comparisons and swaps as
// the library, counted by plain increments. They measure what counting
// through ordtally's functions costs.
#pragma once

namespace inline_sorts {

struct Counts {
    unsigned int comparisons = 0;
    unsigned int swaps = 0;
};

void selection_sort(int a[], unsigned int length, Counts &counts);
void insertion_sort(int a[], unsigned int length, Counts &counts);
void quick_sort(int a[], unsigned int length, Counts &counts);

} // namespace inline_sorts
