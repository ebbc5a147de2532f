#include "sort_calls/sorts.h"

namespace adtlab {

const SortAlgorithm *find_sort(std::string_view name) {
    for (const SortAlgorithm &algorithm : sort_algorithms) {
        if (name == algorithm.name) {
            return &algorithm;
        }
    }
    return nullptr;
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
