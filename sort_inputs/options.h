// The command line that the sorting programs share: --size, --shape, --seed,
// --file, --algorithm and --help, each program's own options beside them, and
// `--`, after which every argument is an operand. Bad input is one line,
// "program: message", on standard error and status 2.
#pragma once

#include "sort_calls/sorts.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace adtlab {

// One of a program's own options.
struct ProgramOption {
    const char *name; // the long name, without its dashes
    char letter;      // the short name
    bool has_argument;
};

struct CommandSyntax {
    const char *program; // the name that starts every message
    const char *usage;   // what --help prints
    unsigned int most_size;
    std::span<const ProgramOption> own;
    bool negative_operands; // "-3" is an operand, not an option
};

// What the shared options said, in the order given.
struct SortOptions {
    std::vector<unsigned int> sizes;
    std::vector<std::string> shapes;
    std::optional<std::uint32_t> seed;
    std::optional<std::string> file;
    std::vector<const SortAlgorithm *> algorithms; // every sort when none was chosen
    std::vector<std::string> operands;
};

// Called with each of the program's own options and its argument ("" for
// none), in the order given.
using OwnOption = std::function<void(char letter, const std::string &argument)>;

// Parses the command line; prints the usage and exits 0 on --help, fails as
// above on anything it does not know.
SortOptions parse_sort_options(const CommandSyntax &syntax, int argc, char *argv[],
                               const OwnOption &own);

// Prints "program: message" on standard error and exits with status 2.
[[noreturn]] void fail(const char *program, const std::string &message);

// The whole of `text` as a number within [low, high], or a failure that
// says "what 'text' is not a number from low to high".
long long number_or_fail(const char *program, const std::string &what, const std::string &text,
                         long long low, long long high);

// The integers of a file, at most `most` of them, or a failure that says why not.
std::vector<int> file_values_or_fail(const char *program, const std::string &path,
                                     std::size_t most);

// Status `status` once standard output is written out, or a failure where it
// could not be.
int flush_output(const char *program, int status);

} // namespace adtlab
