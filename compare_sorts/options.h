// compare_sorts' command line: which inputs, which sorts, and how to show
// them.
#pragma once

#include "sort_calls/sorts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace compare_sorts {

inline constexpr char program[] = "compare_sorts";
inline constexpr unsigned int max_size = 100000000;

struct Options {
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

// The options, or a line on standard error and status 2.
Options parse_options(int argc, char *argv[]);

// "compare_sorts: message" on standard error, and status 2.
[[noreturn]] void fail(const std::string &message);

} // namespace compare_sorts
