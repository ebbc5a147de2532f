// The command line that the sorting programs share: --size, --shape, --seed,
// --file, --algorithm and --help, each program's own options beside them, and
// `--`, after which every argument is an operand. Errors come back to main,
// which prints "program: message" on standard error and exits with status 2.
#pragma once

#include "command_line/option_table.h"
#include "command_line/result.h"
#include "sort_calls/sorts.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace adtlab {

struct CommandSyntax {
    unsigned int most_size;
    bool negative_operands; // "-3" is an operand, not an option
};

// What the shared options said, in the order given.
struct SortOptions {
    bool help = false; // --help came first: nothing else was read
    std::vector<unsigned int> sizes;
    std::vector<std::string> shapes;
    std::optional<std::uint32_t> seed;
    std::optional<std::string> file;
    std::vector<const SortAlgorithm *> algorithms; // every sort when none was chosen
    std::vector<std::string> operands;
};

// Parses the command line with the program's own options beside the shared
// ones: long names may be shortened, and operands come between options.
command_line::Result<SortOptions> parse_sort_options(const CommandSyntax &syntax,
                                                     std::span<const command_line::Option> own,
                                                     int argc, char *argv[]);

// The whole of `text` as a number within [low, high], or an error that says
// "what 'text' is not a number from low to high".
command_line::Result<long long> number_in(const std::string &what, const std::string &text,
                                          long long low, long long high);

// The integers of a file, at most `most` of them, or an error that says why not.
command_line::Result<std::vector<int>> file_values(const std::string &path, std::size_t most);

// `usage` with the sorts in place of its word SORTS, from the table of
// sorts: the default ones and the others, wrapped as the usage's lines are
// at SORTS's column.
std::string usage_with_sorts(std::string_view usage);

// Status `status` once standard output is written out; where it could not
// be, says so on standard error and gives 2.
int flush_output(const char *program, int status);

} // namespace adtlab
