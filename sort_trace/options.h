// sort_trace's command line: the values to sort, the sorts, and the form of
// the trace.
#pragma once

#include "player/page.h"
#include "sort_calls/sorts.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace sort_trace {

inline constexpr char program[] = "sort_trace";
inline constexpr std::size_t most_for_text = 30;
inline constexpr std::size_t most_values = adtlab::player::most_values;
// The most calls of all a page's sorts together: a page of 6.1 million calls
// (33 MB) opens at #end in headless Chromium in about 8 s, one of 7.2 million
// in 10 s.
inline constexpr std::size_t most_page_calls = 6000000;

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
