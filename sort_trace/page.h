// The page that plays the sorts side by side, written by the shared player.
#pragma once

#include "trace.h"

#include <string>
#include <vector>

namespace sort_trace {

// Writes the page, or fails with a line on standard error and status 2.
void write_html(const std::string &path, const std::vector<int> &input,
                const std::vector<Trace> &traces);

} // namespace sort_trace
