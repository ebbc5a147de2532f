// One run of a sort on an input: its counts, its time and whether it sorted.
#pragma once

#include "progress.h"

#include "sort_calls/sorts.h"

#include <cstdint>
#include <string>
#include <vector>

namespace compare_sorts {

struct Input {
    std::string shape; // or "file"
    std::vector<int> values;
};

struct Run {
    std::uint64_t comparisons;
    std::uint64_t swaps;
    double milliseconds;
    bool sorted;
    bool wrapped; // the library's 32-bit counters wrapped
};

// Sorts a copy of the input in `values`, a buffer at least as large as the
// input, allocated before anything is printed, so that running out of memory
// prints no partial table.
Run measure(const adtlab::SortAlgorithm &algorithm, const Input &input, std::vector<int> &values,
            Progress &progress);

} // namespace compare_sorts
