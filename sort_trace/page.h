// The page that plays the sorts side by side: player.html with the trace
// written into it.
#pragma once

#include "trace.h"

#include <string>
#include <vector>

namespace sort_trace {

// The rank of each value in the library's order: 0 for the values that go
// first, one more for each next distinct value. The page draws its bars by
// rank, so that any ints, however large or negative, draw alike.
std::vector<unsigned int> value_ranks(const std::vector<int> &values);

// Writes the page, or fails with a line on standard error and status 2.
void write_html(const std::string &path, const std::vector<int> &input,
                const std::vector<Trace> &traces);

} // namespace sort_trace
