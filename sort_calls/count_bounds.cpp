#include "sort_calls/count_bounds.h"

#include <string_view>

namespace adtlab {

namespace {

bool is(const SortAlgorithm &algorithm, std::string_view name) {
    return name == algorithm.name;
}

std::uint64_t pairs(std::uint64_t n) {
    return n < 2 ? 0 : n * (n - 1) / 2;
}

} // namespace

// selection: for each i, min_pos_from compares a[min_pos] with a[j] for every
// j from i+1 to n-1, and one swap follows: exactly n(n-1)/2 comparisons.
//
// insertion: the walk of a[i] ends at the first comparison that says an
// element goes before it, or at the front without one; every other
// comparison is followed by a swap. So comparisons = swaps + (n-1) - (values
// that walk to the front), which lies in [swaps, swaps + n-1]; and swaps is
// the number of inversions, at most n(n-1)/2.
//
// quick: a partition of m values moves i up and j down until i passes j, by
// m-1 or m steps in all. A step of one comparison moves one, of two
// comparisons one, of two comparisons and a swap two; so a partition makes at
// most 2(m-1) comparisons (the m-th step is a swap step) and at most m/2
// swaps in its loop, plus the pivot's swap. Its sides hold m-1 values, so
// f(n) = max over a+b = n-1 of (n-1) + f(a) + f(b) bounds the sum of m-1 over
// all partitions, and by induction (convexity) f(n) <= n(n-1)/2. Hence
// comparisons <= n(n-1); and as there are at most n-1 partitions, swaps <=
// (n(n-1)/2 + n-1)/2 in loops plus n-1 pivot swaps.
CountRange comparison_bounds(const SortAlgorithm &algorithm, std::uint64_t n) {
    if (is(algorithm, "selection")) {
        return {pairs(n), pairs(n)};
    }
    if (is(algorithm, "insertion")) {
        return {0, pairs(n) + (n == 0 ? 0 : n - 1)};
    }
    return {0, 2 * pairs(n)};
}

CountRange swap_bounds(const SortAlgorithm &algorithm, std::uint64_t n) {
    if (is(algorithm, "selection")) {
        return {n, n};
    }
    if (is(algorithm, "insertion")) {
        return {0, pairs(n)};
    }
    const std::uint64_t partitions = n == 0 ? 0 : n - 1;
    return {0, (pairs(n) + partitions) / 2 + partitions};
}

std::optional<std::uint64_t> unwrap_count(std::uint32_t counted, CountRange range) {
    constexpr std::uint64_t wrap = std::uint64_t{1} << 32;
    if (range.high < range.low) {
        return std::nullopt;
    }
    // The smallest candidate at or above low, then whether a second fits.
    std::uint64_t first = range.low - range.low % wrap + counted;
    if (first < range.low) {
        first += wrap;
    }
    if (first > range.high || range.high - first >= wrap) {
        return std::nullopt;
    }
    return first;
}

ResolvedCounts resolve_counts(const SortAlgorithm &algorithm, std::uint64_t n,
                              std::uint32_t comparisons, std::uint32_t swaps) {
    ResolvedCounts counts;
    counts.swaps = unwrap_count(swaps, swap_bounds(algorithm, n));
    if (is(algorithm, "insertion")) {
        // Within n-1 of the swaps, which n (at most 10^8 here) keeps far
        // below 2^32: one value at most once the swaps are known.
        if (counts.swaps) {
            const std::uint64_t walks = n == 0 ? 0 : n - 1;
            counts.comparisons = unwrap_count(comparisons, {*counts.swaps, *counts.swaps + walks});
        }
        return counts;
    }
    counts.comparisons = unwrap_count(comparisons, comparison_bounds(algorithm, n));
    return counts;
}

} // namespace adtlab
