#include "sort_inputs/shapes.h"

#include <iterator>
#include <random>
#include <utility>

namespace adtlab {

bool is_input_shape(std::string_view name) {
    for (std::string_view shape : input_shapes) {
        if (name == shape) {
            return true;
        }
    }
    return false;
}

std::string input_shape_names() {
    std::string text;
    const std::size_t count = std::size(input_shapes);
    for (std::size_t k = 0; k < count; ++k) {
        text += k == 0 ? "" : k + 1 == count ? " or " : ", ";
        text += input_shapes[k];
    }
    return text;
}

namespace {

// 0 to n-1, then n/16 + 1 adjacent pairs exchanged at drawn places.
std::vector<int> nearly_sorted(unsigned int n, std::mt19937 &generator) {
    std::vector<int> values(n);
    for (unsigned int k = 0; k < n; ++k) {
        values[k] = static_cast<int>(k);
    }
    for (unsigned int swaps = n / 16 + 1; n > 1 && swaps > 0; --swaps) {
        const unsigned int k = generator() % (n - 1);
        std::swap(values[k], values[k + 1]);
    }
    return values;
}

} // namespace

std::vector<int> make_input(std::string_view shape, unsigned int n, std::uint32_t seed) {
    std::mt19937 generator(seed); // NOLINT(cert-msc32-c,cert-msc51-cpp): repeatable by design
    if (shape == "nearly-sorted") {
        return nearly_sorted(n, generator);
    }
    std::vector<int> values(n);
    for (unsigned int k = 0; k < n; ++k) {
        if (shape == "random") {
            values[k] = static_cast<int>(generator());
        } else if (shape == "ascending") {
            values[k] = static_cast<int>(k);
        } else if (shape == "descending") {
            values[k] = static_cast<int>(n - 1 - k);
        } else if (shape == "small-random") {
            values[k] = static_cast<int>(generator() % 199) - 99;
        } else {
            values[k] = static_cast<int>(generator() % 11) - 5;
        }
    }
    return values;
}

} // namespace adtlab
