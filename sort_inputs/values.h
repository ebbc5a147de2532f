// Whole numbers from the command line, and the integers of a file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace adtlab {

// The whole of `text` as a decimal number within [low, high], or nothing.
std::optional<long long> parse_number(const std::string &text, long long low, long long high);

// The whitespace-separated integers of a file, or why they could not be had.
struct FileValues {
    std::vector<int> values;
    std::string error; // empty when the values were read
};

// Reads the values as they come, so that a file with more than `most` of
// them is refused before it is read whole.
FileValues read_values(const std::string &path, std::size_t most);

} // namespace adtlab
