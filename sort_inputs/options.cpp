#include "sort_inputs/options.h"

#include "sort_inputs/shapes.h"
#include "sort_inputs/values.h"

#include <cstdint>
#include <cstdio>

namespace adtlab {

namespace {

using command_line::Error;
using command_line::Option;
using command_line::Status;

// The shared options, taken into `options`.
std::vector<Option> shared_options(const CommandSyntax &syntax, SortOptions &options) {
    return {
        {"size", 's', true,
         [&syntax, &options](const std::string &value) -> Status {
             const auto size = number_in("size", value, 1, syntax.most_size);
             if (!size) {
                 return Error{size.error()};
             }
             options.sizes.push_back(static_cast<unsigned int>(*size));
             return {};
         }},
        {"shape", 'p', true,
         [&options](const std::string &value) -> Status {
             if (!is_input_shape(value)) {
                 return Error{"unknown shape '" + value + "' (" + input_shape_names() + ")"};
             }
             options.shapes.push_back(value);
             return {};
         }},
        {"seed", 'r', true,
         [&options](const std::string &value) -> Status {
             const auto seed = number_in("seed", value, 0, UINT32_MAX);
             if (!seed) {
                 return Error{seed.error()};
             }
             options.seed = static_cast<std::uint32_t>(*seed);
             return {};
         }},
        {"file", 'f', true,
         [&options](const std::string &value) -> Status {
             options.file = value;
             return {};
         }},
        {"algorithm", 'a', true,
         [&options](const std::string &value) -> Status {
             const SortAlgorithm *algorithm = find_sort(value);
             if (algorithm == nullptr) {
                 return Error{"unknown algorithm '" + value + "' (" + sort_names() + ")"};
             }
             options.algorithms.push_back(algorithm);
             return {};
         }},
    };
}

bool is_negative_number(const std::string &argument) {
    return parse_number(argument, INT32_MIN, -1).has_value();
}

} // namespace

command_line::Result<SortOptions> parse_sort_options(const CommandSyntax &syntax,
                                                     std::span<const Option> own, int argc,
                                                     char *argv[]) {
    SortOptions options;
    std::vector<Option> table = shared_options(syntax, options);
    table.insert(table.end(), own.begin(), own.end());
    command_line::Syntax line;
    line.options = table;
    line.prefixes = true;
    line.needs_value = "needs an argument";
    if (syntax.negative_operands) {
        line.is_operand = is_negative_number;
    }
    auto parsed = command_line::parse(line, {argv + 1, argv + argc});
    if (!parsed) {
        return Error{parsed.error()};
    }
    options.help = parsed->help;
    options.operands = std::move(parsed->operands);
    if (options.algorithms.empty()) {
        options.algorithms = default_sorts();
    }
    return options;
}

command_line::Result<long long> number_in(const std::string &what, const std::string &text,
                                          long long low, long long high) {
    const std::optional<long long> value = parse_number(text, low, high);
    if (!value) {
        return Error{what + " '" + text + "' is not a number from " + std::to_string(low) + " to " +
                     std::to_string(high)};
    }
    return *value;
}

command_line::Result<std::vector<int>> file_values(const std::string &path, std::size_t most) {
    FileValues file = read_values(path, most);
    if (!file.error.empty()) {
        return Error{file.error};
    }
    return std::move(file.values);
}

namespace {

// "a, b and c", of the sorts by_default says or of the others.
std::string listed(bool by_default, const char *last) {
    std::vector<std::string> names;
    for (const SortAlgorithm &sort : sort_algorithms) {
        if (sort.by_default == by_default) {
            names.emplace_back(sort.name);
        }
    }
    std::string text;
    for (std::size_t k = 0; k < names.size(); ++k) {
        text += (k == 0 ? "" : k + 1 == names.size() ? last : ", ") + names[k];
    }
    return text;
}

} // namespace

std::string usage_with_sorts(std::string_view usage) {
    const std::string words = "one of the library's sorts (repeatable): by default " +
                              listed(true, " and ") + "; when named, " + listed(false, " or ");
    const std::size_t slot = usage.find("SORTS");
    const std::size_t column = slot - (usage.rfind('\n', slot) + 1);
    return std::string(usage.substr(0, slot)) + command_line::wrap_words(words, column, 76) +
           std::string(usage.substr(slot + 5));
}

int flush_output(const char *program, int status) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        return command_line::print_error(program, "cannot write to standard output");
    }
    return status;
}

} // namespace adtlab
