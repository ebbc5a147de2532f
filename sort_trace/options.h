// sort_trace's command line: the values to sort, the sorts, and the form of
// the trace.
#pragma once

#include "command_line/result.h"
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

using adtlab::command_line::Result;
using adtlab::command_line::Status;

struct Options {
    bool help = false; // print the usage, and nothing else
    std::vector<int> values;
    std::vector<const adtlab::SortAlgorithm *> algorithms;
    bool json = false;
    std::optional<std::string> html;
};

// What --help prints.
extern const char usage[];

// The options, or the error that main reports with status 2.
Result<Options> parse_options(int argc, char *argv[]);

} // namespace sort_trace
