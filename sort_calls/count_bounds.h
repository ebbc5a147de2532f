// What the counts of a sort of n values can be, proven from the sorts'
// definitions, and the true counts recovered from the library's 32-bit
// counters where those bounds leave one value only.
#pragma once

#include "sort_calls/sorts.h"

#include <cstdint>
#include <optional>

namespace adtlab {

// Every count of a run lies in [low, high].
struct CountRange {
    std::uint64_t low;
    std::uint64_t high;
};

CountRange comparison_bounds(const SortAlgorithm &algorithm, std::uint64_t n);
CountRange swap_bounds(const SortAlgorithm &algorithm, std::uint64_t n);

// The one count within `range` that is congruent to `counted` modulo 2^32,
// or nothing where there are several (or none).
std::optional<std::uint64_t> unwrap_count(std::uint32_t counted, CountRange range);

// The true counts of a run of n values whose library counters read
// `comparisons` and `swaps`; each is known where the bounds leave one value,
// and must be counted otherwise.
struct ResolvedCounts {
    std::optional<std::uint64_t> comparisons;
    std::optional<std::uint64_t> swaps;
};
ResolvedCounts resolve_counts(const SortAlgorithm &algorithm, std::uint64_t n,
                              std::uint32_t comparisons, std::uint32_t swaps);

} // namespace adtlab
