// The counts the formulas give against the library's own counts, and the
// merge counting of inversions against a count of every pair.
#include "sort_calls/formulas.h"
#include "sort_calls/sorts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using adtlab::ExpectedCounts;
using Values = std::vector<int>;

bool strictly_before(int x, int y) {
    return !goes_before(y, x);
}

std::string text_of(const Values &values) {
    std::string text;
    for (int v : values) {
        text += std::to_string(v) + " ";
    }
    return text;
}

// Every sequence of n values, each of them one of `alphabet` (given in the
// library's order), as the permutations of each multiset in that order.
std::vector<Values> every_sequence(const Values &alphabet, unsigned int n) {
    std::vector<Values> sequences;
    std::vector<std::size_t> counts(alphabet.size());
    // Multisets as counts per value, in the order of an odometer.
    for (bool more = true; more;) {
        std::size_t total = 0;
        for (std::size_t c : counts) {
            total += c;
        }
        if (total == n) {
            Values values;
            for (std::size_t a = 0; a < alphabet.size(); ++a) {
                values.insert(values.end(), counts[a], alphabet[a]);
            }
            do {
                sequences.push_back(values);
            } while (std::next_permutation(values.begin(), values.end(), strictly_before));
        }
        std::size_t digit = 0;
        while (digit < counts.size() && ++counts[digit] > n) {
            counts[digit++] = 0;
        }
        more = digit < counts.size();
    }
    return sequences;
}

std::uint64_t binomial(std::uint64_t n, std::uint64_t k) {
    std::uint64_t result = 1;
    for (std::uint64_t i = 1; i <= k; ++i) {
        result = result * (n - k + i) / i;
    }
    return result;
}

// Every arrangement of up to six values, with repeats and equal magnitudes:
// where a formula holds, the library's counts are what it says. Quick sort
// has one for each set of distinct values, in order, and no other input.
TEST(ExpectedCounts, AreTheLibrarysCountsOnEveryShortInput) {
    const Values alphabet = {0, -1, 1, -2, 2, INT_MIN};
    ASSERT_TRUE(std::is_sorted(alphabet.begin(), alphabet.end(), strictly_before));
    for (unsigned int n = 0; n <= 6; ++n) {
        std::uint64_t sequences = 0;
        std::uint64_t with_formula[3] = {};
        for (const Values &input : every_sequence(alphabet, n)) {
            ++sequences;
            for (std::size_t s = 0; s < 3; ++s) {
                const adtlab::SortAlgorithm &algorithm = adtlab::sort_algorithms[s];
                const ExpectedCounts expected = adtlab::expected_counts(algorithm, input);
                Values values = input;
                reset_comparisons_counter();
                reset_swaps_counter();
                algorithm.sort(values.data(), n);
                const unsigned int comparisons = comparisons_number();
                const unsigned int swaps = swaps_number();
                ASSERT_EQ(expected.comparisons.has_value(), expected.swaps.has_value());
                with_formula[s] += expected.comparisons ? 1 : 0;
                EXPECT_EQ(expected.comparisons.value_or(comparisons), comparisons)
                    << algorithm.name << " of " << text_of(input);
                EXPECT_EQ(expected.swaps.value_or(swaps), swaps)
                    << algorithm.name << " of " << text_of(input);
            }
        }
        std::uint64_t all = 1; // 6^n
        for (unsigned int k = 0; k < n; ++k) {
            all *= alphabet.size();
        }
        EXPECT_EQ(sequences, all) << "n=" << n;
        EXPECT_EQ(with_formula[0], sequences) << "selection, n=" << n;
        EXPECT_EQ(with_formula[1], n == 0 ? 0 : sequences) << "insertion, n=" << n;
        EXPECT_EQ(with_formula[2], n == 0 ? 0 : binomial(6, n)) << "quick, n=" << n;
    }
}

// Edge cases; sort_trace's tests show the rules of worked examples.
TEST(ExpectedCounts, NameTheirRuleWithItsNumbers) {
    struct Case {
        const char *algorithm;
        Values input;
        const char *comparisons_rule;
        const char *swaps_rule;
    };
    const Case cases[] = {
        {"selection", {}, "n(n-1)/2 = 0/2", "n = 0"},
        {"insertion",
         {3, -2, 2, -3, 0},
         "inversions + n - 1 - walks to the front = 7 + 4 - 2",
         "inversions = 7"},
        {"insertion", {}, "", ""},
        {"quick",
         {7},
         "n(n-1) = 1*0 (distinct values in order)",
         "n - 1 = 0 (distinct values in order)"},
        {"quick", {1, -1}, "", ""},
        {"quick", {1, 1}, "", ""},
        {"quick", {}, "", ""},
    };
    for (const Case &c : cases) {
        const ExpectedCounts e = adtlab::expected_counts(*adtlab::find_sort(c.algorithm), c.input);
        EXPECT_EQ(e.comparisons_rule, c.comparisons_rule) << c.algorithm << " " << text_of(c.input);
        EXPECT_EQ(e.swaps_rule, c.swaps_rule) << c.algorithm << " " << text_of(c.input);
    }
}

// Random inputs past several powers of two, narrow (many equal values) and
// over the whole int range with its extremes.
TEST(CountInversions, IsTheNumberOfPairsOutOfOrder) {
    std::mt19937 generator(4242); // NOLINT(cert-msc32-c,cert-msc51-cpp)
    for (std::size_t n : {0u, 1u, 2u, 3u, 7u, 8u, 9u, 31u, 64u, 65u, 100u, 257u}) {
        for (unsigned int range : {3u, 9u, 0u}) {
            Values input(n);
            for (int &v : input) {
                v = range == 0
                        ? static_cast<int>(generator())
                        : static_cast<int>(generator() % range) - static_cast<int>(range / 2);
            }
            if (range == 0 && n >= 3) {
                input[0] = INT_MIN;
                input[n / 2] = INT_MAX;
                input[n - 1] = -INT_MAX;
            }
            std::uint64_t pairs = 0;
            std::uint64_t walks = 0;
            for (std::size_t j = 0; j < n; ++j) {
                bool before_all = j > 0;
                for (std::size_t i = 0; i < j; ++i) {
                    pairs += strictly_before(input[j], input[i]) ? 1 : 0;
                    before_all = before_all && strictly_before(input[j], input[i]);
                }
                walks += before_all ? 1 : 0;
            }
            EXPECT_EQ(adtlab::count_inversions(input), pairs) << n << " values " << text_of(input);
            EXPECT_EQ(adtlab::count_front_walks(input), walks) << n << " values " << text_of(input);
        }
    }
}

TEST(DiffersFromFormula, OnlyWhereAFormulaGivesAnotherCount) {
    struct Case {
        std::optional<std::uint64_t> expected;
        std::uint64_t counted;
        bool differs;
    };
    const Case cases[] = {
        {std::nullopt, 7, false},          {7, 7, false}, {7, 8, true}, {0, 1, true},
        {std::uint64_t{1} << 32, 0, true}, // a count that wrapped is not the true one
    };
    for (const Case &c : cases) {
        EXPECT_EQ(adtlab::differs_from_formula(c.expected, c.counted), c.differs)
            << c.expected.value_or(0) << " vs " << c.counted;
    }
}

} // namespace
