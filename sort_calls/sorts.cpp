#include "sort_calls/sorts.h"

namespace adtlab {

namespace sort_bounds {

std::uint64_t pairs(std::uint64_t n) {
    return n < 2 ? 0 : n * (n - 1) / 2;
}

// A comparison a pair and a swap a value.
std::uint64_t selection(std::uint64_t n) {
    return pairs(n) + n;
}

// Insertion, bubble and shell sort swap at most once a pair (each swap takes
// away an inversion) and compare at most once a swap and once more an
// element a pass; quick sort compares a pair at most twice.
std::uint64_t twice_the_pairs(std::uint64_t n) {
    return 2 * pairs(n) + n;
}

// Whole levels of a heap of n values: floor(log2 n).
std::uint64_t levels(std::uint64_t n) {
    std::uint64_t depth = 0;
    while (n > 1) {
        n /= 2;
        ++depth;
    }
    return depth;
}

// Every sift goes down at most the heap's levels, with two comparisons and a
// swap each; n/2 sifts build the heap and n - 1 more, each after a swap,
// take it apart.
std::uint64_t heap(std::uint64_t n) {
    const std::uint64_t sifts = n / 2 + (n == 0 ? 0 : n - 1);
    return sifts * 3 * levels(n) + n;
}

// A partition of m values makes at most two comparisons and a swap for each
// value but the pivot, and the values beside the pivots are at most the
// pairs.
std::uint64_t quick3(std::uint64_t n) {
    return 3 * pairs(n) + n;
}

} // namespace sort_bounds

const SortAlgorithm *find_sort(std::string_view name) {
    for (const SortAlgorithm &algorithm : sort_algorithms) {
        if (name == algorithm.name) {
            return &algorithm;
        }
    }
    return nullptr;
}

std::vector<const SortAlgorithm *> default_sorts() {
    std::vector<const SortAlgorithm *> sorts;
    for (const SortAlgorithm &algorithm : sort_algorithms) {
        if (algorithm.by_default) {
            sorts.push_back(&algorithm);
        }
    }
    return sorts;
}

std::string sort_names() {
    std::string text;
    const std::size_t count = std::size(sort_algorithms);
    for (std::size_t k = 0; k < count; ++k) {
        text += k == 0 ? "" : k + 1 == count ? " or " : ", ";
        text += sort_algorithms[k].name;
    }
    return text;
}

} // namespace adtlab
