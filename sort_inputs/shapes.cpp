#include "sort_inputs/shapes.h"

#include <iterator>
#include <random>

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

std::vector<int> make_input(std::string_view shape, unsigned int n, std::uint32_t seed) {
    std::mt19937 generator(seed); // NOLINT(cert-msc32-c,cert-msc51-cpp): repeatable by design
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

} // namespace adtlab
