// The input shapes that compare_sorts and the benchmarks sort: made afresh
// from a seed, so the same shape, size and seed always give the same values.
#pragma once

#include <cstdint>
#include <random>
#include <string_view>
#include <vector>

namespace adtlab::detail {

inline constexpr std::string_view input_shapes[] = {"random", "ascending", "descending",
                                                    "few-distinct"};

inline bool is_input_shape(std::string_view name) {
    for (std::string_view shape : input_shapes) {
        if (name == shape) {
            return true;
        }
    }
    return false;
}

// random: any int; ascending and descending: 0 to n-1 in order and in
// reverse; few-distinct: -5 to 5.
inline std::vector<int> make_input(std::string_view shape, unsigned int n, std::uint32_t seed) {
    std::mt19937 generator(seed);
    std::vector<int> values(n);
    for (unsigned int k = 0; k < n; ++k) {
        if (shape == "random") {
            values[k] = static_cast<int>(generator());
        } else if (shape == "ascending") {
            values[k] = static_cast<int>(k);
        } else if (shape == "descending") {
            values[k] = static_cast<int>(n - 1 - k);
        } else {
            values[k] = static_cast<int>(generator() % 11) - 5;
        }
    }
    return values;
}

} // namespace adtlab::detail
