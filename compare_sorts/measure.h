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
    bool wrapped; // a count passed 2^32 - 1, where the 32-bit reads wrap
};

// About the most calls (comparisons and swaps) a run can make, and the seconds they take at the
// speed of a short calibration run of the same sort on the input's first values (0 where the run is
// short).
struct Forecast {
    std::uint64_t calls;
    double seconds;
};
Forecast forecast(const adtlab::SortAlgorithm &algorithm, const Input &input,
                  std::vector<int> &values);

// One line on standard error when a run may take more than an hour.
void announce_if_long(const adtlab::SortAlgorithm &algorithm, const Input &input,
                      const Forecast &forecast);

// Sorts a copy of the input in `values`, a buffer at least as large as the
// input, allocated before anything is printed, so that running out of memory
// prints no partial table.
Run measure(const adtlab::SortAlgorithm &algorithm, const Input &input, std::vector<int> &values,
            const Forecast &forecast, Progress &progress);

} // namespace compare_sorts
