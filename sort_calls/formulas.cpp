#include "sort_calls/formulas.h"

#include "sort_calls/sorts.h"

#include <algorithm>
#include <cassert>
#include <string_view>

namespace adtlab {

namespace {

bool strictly_before(int x, int y) {
    return !goes_before(y, x); // goes_before holds for equal values
}

bool in_order(const std::vector<int> &values) {
    for (std::size_t k = 1; k < values.size(); ++k) {
        if (!goes_before(values[k - 1], values[k])) {
            return false;
        }
    }
    return true;
}

bool distinct_in_order(const std::vector<int> &values) {
    for (std::size_t k = 1; k < values.size(); ++k) {
        if (!strictly_before(values[k - 1], values[k])) {
            return false;
        }
    }
    return true;
}

// Merges the sorted from[begin, middle) and from[middle, end) into `to` and
// returns the pairs whose right value goes strictly before their left one.
std::uint64_t merge_counting(const int *from, int *to, std::size_t begin, std::size_t middle,
                             std::size_t end) {
    std::uint64_t inversions = 0;
    std::size_t left = begin;
    std::size_t right = middle;
    std::size_t k = begin;
    while (left < middle && right < end) {
        if (goes_before(from[left], from[right])) {
            to[k++] = from[left++];
        } else {
            // Before from[left], so before every left value still to come.
            inversions += middle - left;
            to[k++] = from[right++];
        }
    }
    std::copy(from + left, from + middle, to + k);
    std::copy(from + right, from + end, to + k + (middle - left));
    return inversions;
}

// "5*4", n times n - 1 as its numbers.
std::string times_one_less(std::uint64_t n) {
    return n == 0 ? "0" : std::to_string(n) + "*" + std::to_string(n - 1);
}

std::string equals(std::string_view rule, const std::string &numbers) {
    return std::string(rule) + " = " + numbers;
}

bool one_value(const std::vector<int> &values) {
    for (std::size_t k = 1; k < values.size(); ++k) {
        if (!goes_before(values[k], values[0]) || !goes_before(values[0], values[k])) {
            return false;
        }
    }
    return true;
}

} // namespace

ExpectedCounts selection_counts(const std::vector<int> &input) {
    const std::uint64_t n = input.size();
    return {n * (n == 0 ? 0 : n - 1) / 2, n, equals("n(n-1)/2", times_one_less(n) + "/2"),
            equals("n", std::to_string(n))};
}

ExpectedCounts insertion_counts(const std::vector<int> &input) {
    if (input.empty()) {
        return {}; // n - 1 has no meaning here
    }
    const std::uint64_t n = input.size();
    const std::uint64_t inversions = count_inversions(input);
    const std::uint64_t walks = count_front_walks(input);
    return {inversions + n - 1 - walks, inversions,
            equals("inversions + n - 1 - walks to the front", std::to_string(inversions) + " + " +
                                                                  std::to_string(n - 1) + " - " +
                                                                  std::to_string(walks)),
            equals("inversions", std::to_string(inversions))};
}

ExpectedCounts quick_counts(const std::vector<int> &input) {
    if (input.empty() || !distinct_in_order(input)) {
        return {};
    }
    const std::uint64_t n = input.size();
    return {n * (n - 1), n - 1, equals("n(n-1)", times_one_less(n)) + " (distinct values in order)",
            equals("n - 1", std::to_string(n - 1)) + " (distinct values in order)"};
}

ExpectedCounts bubble_counts(const std::vector<int> &input) {
    const std::uint64_t n = input.size();
    const std::uint64_t inversions = count_inversions(input);
    return {n * (n == 0 ? 0 : n - 1) / 2, inversions, equals("n(n-1)/2", times_one_less(n) + "/2"),
            equals("inversions", std::to_string(inversions))};
}

ExpectedCounts shell_counts(const std::vector<int> &input) {
    if (input.size() >= 6) {
        return {}; // gaps above 1 from 6 values on
    }
    ExpectedCounts counts = insertion_counts(input);
    if (counts.comparisons) {
        counts.comparisons_rule += " (below 6 values, insertion's)";
        counts.swaps_rule += " (below 6 values, insertion's)";
    }
    return counts;
}

ExpectedCounts quick3_counts(const std::vector<int> &input) {
    if (input.empty() || !one_value(input)) {
        return {};
    }
    const std::uint64_t n = input.size();
    return {2 * (n - 1), 0,
            equals("2(n-1)", "2*" + std::to_string(n - 1)) + " (one value repeated)",
            "0 (one value repeated)"};
}

ExpectedCounts expected_counts(const SortAlgorithm &algorithm, const std::vector<int> &input) {
    assert(!order_watched()); // an observer would see these comparisons
    return algorithm.formulas != nullptr ? algorithm.formulas(input) : ExpectedCounts{};
}

std::uint64_t count_inversions(const std::vector<int> &input) {
    if (in_order(input)) {
        return 0; // no copies for input in order, however long
    }
    const std::size_t n = input.size();
    std::vector<int> from = input;
    std::vector<int> to(n);
    std::uint64_t inversions = 0;
    for (std::size_t width = 1; width < n; width *= 2) {
        for (std::size_t begin = 0; begin < n; begin += 2 * width) {
            const std::size_t middle = std::min(begin + width, n);
            const std::size_t end = std::min(middle + width, n);
            inversions += merge_counting(from.data(), to.data(), begin, middle, end);
        }
        from.swap(to);
    }
    return inversions;
}

std::uint64_t count_front_walks(const std::vector<int> &input) {
    std::uint64_t walks = 0;
    for (std::size_t k = 1, first = 0; k < input.size(); ++k) {
        if (strictly_before(input[k], input[first])) {
            ++walks;
            first = k;
        }
    }
    return walks;
}

bool differs_from_formula(const std::optional<std::uint64_t> &expected, std::uint64_t counted) {
    return expected.has_value() && *expected != counted;
}

} // namespace adtlab
