// The JSON of a trace: the input and, per sort, the library's counts, the
// result and one event per call, written as sort_calls writes a call.
#pragma once

#include "trace.h"

#include <vector>

namespace sort_trace {

void print_json(const std::vector<int> &input, const std::vector<Trace> &traces);

} // namespace sort_trace
