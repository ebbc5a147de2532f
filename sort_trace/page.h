// The page that plays the sorts side by side, written by the shared player.
#pragma once

#include "options.h"
#include "trace.h"

#include <string>
#include <vector>

namespace sort_trace {

// Writes the page, or says why it could not.
Status write_html(const std::string &path, const std::vector<int> &input,
                  const std::vector<Trace> &traces);

} // namespace sort_trace
