// The text trace: per sort, a row per swap with the array after it, the two
// exchanged positions in brackets and the counts so far, then the totals and
// what they must be where a formula says so.
#pragma once

#include "trace.h"

#include <vector>

namespace sort_trace {

void print_text(const std::vector<int> &input, const std::vector<Trace> &traces);

} // namespace sort_trace
