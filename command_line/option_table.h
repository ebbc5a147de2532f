// A program's options as a table, and the parsing of its command line by it:
// `--name value`, `--name=value`, `-x value`, `-xvalue`, short options without
// a value grouped (`-ce`), `--` ending the options, and --help or -h. Parsing
// never prints and never ends the program: it hands back the operands or
// the first error, and main says "program: message" and exits.
#pragma once

#include "command_line/result.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace adtlab::command_line {

// Takes an option's value ("" for an option without one), or says why not.
using Handler = std::function<Status(const std::string &value)>;

struct Option {
    const char *name; // the long name, without its dashes
    char letter;      // the short name, or '\0' for none
    bool takes_value;
    Handler take;
};

// An option without a value that sets `destination`.
Option flag(const char *name, char letter, bool &destination);

// An option whose value is kept in `destination` as given.
Option text(const char *name, char letter, std::string &destination);

struct Syntax {
    std::span<const Option> options; // --help and -h beside them
    bool options_first = false;      // the first operand ends the options
    bool prefixes = false;           // a long name may be cut to any start that is only its own
    // Where set, an argument that starts with '-' and is an operand all the
    // same ("-3" where values may be negative).
    std::function<bool(const std::string &)> is_operand;
    // The end of "option '--name' ...", for an option given without its value.
    const char *needs_value = "needs a value (try --help)";
};

struct Parsed {
    bool help = false; // --help or -h came before any error; nothing after it is read
    std::vector<std::string> operands;
};

// The arguments after the program's name, option by option, each taken by
// its handler in the order given; the first error ends the parse.
Result<Parsed> parse(const Syntax &syntax, const std::vector<std::string> &arguments);

// `words` for a usage text whose line has `column` characters before them:
// wrapped at word breaks to lines of at most `width` characters, each line
// after the first indented to `column`.
std::string wrap_words(std::string_view words, std::size_t column, std::size_t width);

// Prints "program: message" on standard error, for main; returns 2, the
// status of a usage error.
int print_error(const char *program, const std::string &message);

} // namespace adtlab::command_line
