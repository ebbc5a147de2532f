// The JSON of a trace: the input and, per sort, the library's counts, the
// result and one event per call, written as sort_calls writes a call.
#pragma once

#include "trace.h"

#include <string>
#include <vector>

namespace sort_trace {

// [1, -2, 3]
template <typename Number> std::string json_array(const std::vector<Number> &values) {
    std::string text = "[";
    for (std::size_t k = 0; k < values.size(); ++k) {
        text.append(k == 0 ? "" : ", ").append(std::to_string(values[k]));
    }
    return text + "]";
}

void print_json(const std::vector<int> &input, const std::vector<Trace> &traces);

} // namespace sort_trace
