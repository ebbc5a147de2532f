// sort_trace's command line: the values to sort, the sorts, and the form of
// the trace.
#pragma once

#include "sort_calls/sorts.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace sort_trace {

inline constexpr char program[] = "sort_trace";
inline constexpr std::size_t most_for_text = 30;
inline constexpr std::size_t most_values = 32767; // positions fit in 15 bits in a page

struct Options {
    std::vector<int> values;
    std::vector<const adtlab::SortAlgorithm *> algorithms;
    bool json = false;
    std::optional<std::string> html;
};

// The options, or a line on standard error and status 2.
Options parse_options(int argc, char *argv[]);

// "sort_trace: message" on standard error, and status 2.
[[noreturn]] void fail(const std::string &message);

} // namespace sort_trace
