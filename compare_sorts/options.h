// compare_sorts' command line: which inputs, which sorts, and how to show
// them.
#pragma once

#include "command_line/result.h"
#include "sort_calls/sorts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace compare_sorts {

inline constexpr char program[] = "compare_sorts";
inline constexpr unsigned int max_size = 100000000;

using adtlab::command_line::Result;

struct Options {
    bool help = false; // print the usage, and nothing else
    std::vector<unsigned int> sizes;
    std::vector<std::string> shapes;
    std::vector<const adtlab::SortAlgorithm *> algorithms;
    std::uint32_t seed = 1;
    std::optional<std::string> file;
    unsigned int doubling = 0;
    bool csv = false;
    bool print_input = false;
    bool expected = false; // the formulas' counts in CSV too
};

// What --help prints.
extern const char usage[];

// The options, or the error that main reports with status 2.
Result<Options> parse_options(int argc, char *argv[]);

} // namespace compare_sorts
