#include "sort_inputs/options.h"

#include "sort_inputs/shapes.h"
#include "sort_inputs/values.h"

#include <getopt.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace adtlab {

namespace {

const ProgramOption shared_options[] = {{"size", 's', true},      {"shape", 'p', true},
                                        {"seed", 'r', true},      {"file", 'f', true},
                                        {"algorithm", 'a', true}, {"help", 'h', false}};

// getopt_long's description of a program's options. "-" first: operands come
// back in their place, as option 1, whatever the environment says.
struct OptionTable {
    std::string letters = "-:";
    std::vector<option> long_options;

    void add(const ProgramOption &program_option) {
        letters += program_option.letter;
        letters += program_option.has_argument ? ":" : "";
        long_options.push_back({program_option.name,
                                program_option.has_argument ? required_argument : no_argument,
                                nullptr, program_option.letter});
    }
};

OptionTable option_table(const CommandSyntax &syntax) {
    OptionTable table;
    for (const ProgramOption &shared : shared_options) {
        table.add(shared);
    }
    for (const ProgramOption &own : syntax.own) {
        table.add(own);
    }
    table.long_options.push_back({nullptr, 0, nullptr, 0});
    return table;
}

// The arguments as getopt sees them. Negative numbers look like options to
// it; where they may be operands, a blank in front makes them plain
// arguments, and `text` gives them back as the user wrote them.
class Arguments {
  public:
    Arguments(int argc, char *argv[], bool shield_negative) {
        shielded_.reserve(static_cast<std::size_t>(argc));
        for (int k = 0; k < argc; ++k) {
            char *argument = argv[k];
            if (shield_negative && k > 0 && argument[0] == '-' &&
                parse_number(argument, INT32_MIN, -1)) {
                shielded_.push_back(std::string(" ") + argument);
                argument = shielded_.back().data();
            }
            pointers_.push_back(argument);
        }
        pointers_.push_back(nullptr);
    }

    char **data() { return pointers_.data(); }

    std::string text(const char *argument) const {
        for (const std::string &shielded : shielded_) {
            if (argument == shielded.data()) {
                return shielded.substr(1);
            }
        }
        return argument;
    }

  private:
    std::vector<std::string> shielded_; // reserved: their texts never move
    std::vector<char *> pointers_;
};

// Takes one of the shared options; false for any other.
bool take_shared(const CommandSyntax &syntax, int letter, const std::string &argument,
                 SortOptions &options) {
    const char *program = syntax.program;
    if (letter == 's') {
        options.sizes.push_back(static_cast<unsigned int>(
            number_or_fail(program, "size", argument, 1, syntax.most_size)));
    } else if (letter == 'p') {
        if (!is_input_shape(argument)) {
            fail(program, "unknown shape '" + argument + "' (" + input_shape_names() + ")");
        }
        options.shapes.push_back(argument);
    } else if (letter == 'r') {
        options.seed =
            static_cast<std::uint32_t>(number_or_fail(program, "seed", argument, 0, UINT32_MAX));
    } else if (letter == 'f') {
        options.file = argument;
    } else if (letter == 'a') {
        const SortAlgorithm *algorithm = find_sort(argument);
        if (algorithm == nullptr) {
            fail(program, "unknown algorithm '" + argument + "' (" + sort_names() + ")");
        }
        options.algorithms.push_back(algorithm);
    } else {
        return false;
    }
    return true;
}

} // namespace

SortOptions parse_sort_options(const CommandSyntax &syntax, int argc, char *argv[],
                               const OwnOption &own) {
    const OptionTable table = option_table(syntax);
    Arguments arguments(argc, argv, syntax.negative_operands);
    char **args = arguments.data();
    SortOptions options;
    opterr = 0;
    int c;
    // The argument that getopt looks at: optind moves past a group of short
    // options only after its last one.
    int looked_at = optind;
    while ((c = getopt_long(argc, args, table.letters.c_str(), table.long_options.data(),
                            nullptr)) != -1) {
        const std::string argument = optarg != nullptr ? arguments.text(optarg) : "";
        const std::string option = arguments.text(args[looked_at]);
        looked_at = optind;
        if (c == 1) {
            options.operands.push_back(argument);
        } else if (c == 'h') {
            std::fputs(syntax.usage, stdout);
            std::exit(flush_output(syntax.program, 0));
        } else if (c == ':') {
            fail(syntax.program, "option '" + option + "' needs an argument");
        } else if (c == '?') {
            fail(syntax.program, "unknown option '" + option + "' (try --help)");
        } else if (!take_shared(syntax, c, argument, options)) {
            own(static_cast<char>(c), argument);
        }
    }
    for (int k = optind; k < argc; ++k) { // after `--`
        options.operands.push_back(arguments.text(args[k]));
    }
    if (options.algorithms.empty()) {
        for (const SortAlgorithm &algorithm : sort_algorithms) {
            options.algorithms.push_back(&algorithm);
        }
    }
    return options;
}

void fail(const char *program, const std::string &message) {
    std::fprintf(stderr, "%s: %s\n", program, message.c_str());
    std::exit(2);
}

long long number_or_fail(const char *program, const std::string &what, const std::string &text,
                         long long low, long long high) {
    const std::optional<long long> value = parse_number(text, low, high);
    if (!value) {
        fail(program, what + " '" + text + "' is not a number from " + std::to_string(low) +
                          " to " + std::to_string(high));
    }
    return *value;
}

std::vector<int> file_values_or_fail(const char *program, const std::string &path,
                                     std::size_t most) {
    FileValues file = read_values(path, most);
    if (!file.error.empty()) {
        fail(program, file.error);
    }
    return std::move(file.values);
}

int flush_output(const char *program, int status) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        fail(program, "cannot write to standard output");
    }
    return status;
}

} // namespace adtlab
