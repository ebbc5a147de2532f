// The input shapes that every program sorts: made afresh from a size, a shape
// and a seed, so that the same three always give the same values, in
// compare_sorts, sort_trace, adtlab-check, the benchmarks and the page.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace adtlab {

// random: any int, drawn by a 32-bit Mersenne Twister seeded with the seed;
// ascending: 0 to n-1; descending: n-1 to 0; few-distinct: -5 to 5, drawn
// like random; nearly-sorted: 0 to n-1 with n/16 + 1 adjacent pairs, at
// drawn places, exchanged (insertion sort's best case, nearly); small-random:
// -99 to 99, drawn like random, short enough to read.
inline constexpr std::string_view input_shapes[] = {
    "random", "ascending", "descending", "few-distinct", "nearly-sorted", "small-random"};

// The shapes of a run that names none: the first four, so that a default
// run's table and rows stay as they were before the last two came.
inline constexpr std::span<const std::string_view> default_input_shapes{input_shapes, 4};

bool is_input_shape(std::string_view name);

// "random, ascending, descending, ... or small-random", for messages.
std::string input_shape_names();

std::vector<int> make_input(std::string_view shape, unsigned int n, std::uint32_t seed);

} // namespace adtlab
