// What a sort's counts must be, where a formula says so exactly: worked out
// from the input alone, apart from the sorts, so that a count that differs
// shows a fault of the library.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace adtlab {

struct SortAlgorithm;

// The counts a sort of the input must make, and the rule behind each with
// its numbers, as "n(n-1)/2 = 5*4/2"; nothing and no rule where no formula
// holds for that sort and input.
struct ExpectedCounts {
    std::optional<std::uint64_t> comparisons;
    std::optional<std::uint64_t> swaps;
    std::string comparisons_rule;
    std::string swaps_rule;
};

// Each sort's formulas, which the table of sorts points to:
//   selection: n(n-1)/2 comparisons and n swaps;
//   insertion: as many swaps as inversions, and inversions + n - 1 - the
//     values that walk to the front comparisons (n >= 1);
//   quick, on distinct values in order: n(n-1) comparisons, n - 1 swaps
//     (n >= 1);
//   bubble: n(n-1)/2 comparisons, as many swaps as inversions;
//   shell, below 6 values, where its only gap is 1: insertion's;
//   quick3, on one value repeated: 2(n-1) comparisons and no swap (n >= 1).
ExpectedCounts selection_counts(const std::vector<int> &input);
ExpectedCounts insertion_counts(const std::vector<int> &input);
ExpectedCounts quick_counts(const std::vector<int> &input);
ExpectedCounts bubble_counts(const std::vector<int> &input);
ExpectedCounts shell_counts(const std::vector<int> &input);
ExpectedCounts quick3_counts(const std::vector<int> &input);

// The order is goes_before's, and it is asked through goes_before, which
// counts: call these with no observer set and outside a measured run (every
// run resets the counters first).
ExpectedCounts expected_counts(const SortAlgorithm &algorithm, const std::vector<int> &input);

// Pairs i < j whose input[j] goes strictly before input[i], counted by
// merging.
std::uint64_t count_inversions(const std::vector<int> &input);

// The k >= 1 whose input[k] goes strictly before every value before it: the
// values that insertion sort walks all the way to the front.
std::uint64_t count_front_walks(const std::vector<int> &input);

// Whether a count is not what its formula says; never where there is none.
bool differs_from_formula(const std::optional<std::uint64_t> &expected, std::uint64_t counted);

} // namespace adtlab
