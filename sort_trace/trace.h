// One sort of the input, with every call it made, as the library's observer
// saw them, and the library's own counts.
#pragma once

#include "sort_calls/calls.h"

#include <vector>

namespace sort_trace {

struct Trace {
    const adtlab::SortAlgorithm *algorithm;
    unsigned long long comparisons; // the library's own whole counts
    unsigned long long swaps;
    std::vector<int> result;
    adtlab::Recording recording; // every call, its site, and the sort's steps
};

Trace trace_sort(const adtlab::SortAlgorithm &algorithm, const std::vector<int> &input);

} // namespace sort_trace
