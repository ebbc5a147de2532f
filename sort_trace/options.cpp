#include "options.h"

#include "sort_inputs/options.h"
#include "sort_inputs/shapes.h"

#include <climits>
#include <cstdint>

namespace sort_trace {

const char usage[] = R"(Usage: sort_trace [OPTION]... [--] [VALUE]...
Sorts the values by the library's sorts and shows every comparison and swap
that the library makes, as the library makes them. The order of the values
is goes_before's: )" ADTLAB_ORDER_WORDS R"(

Input, one of:
  VALUE...            the integers to sort (at most 32767)
  -f, --file PATH     the whitespace-separated integers of PATH
  -s, --size N        N generated values, 1 to 32767, with
  -p, --shape NAME      random (default): any int; ascending: 0 to N-1;
                        descending: N-1 to 0; few-distinct: -5 to 5;
                        nearly-sorted: 0 to N-1 with N/16 + 1 adjacent
                        pairs exchanged; small-random: -99 to 99; the same
                        size, shape and seed give the same values as in
                        compare_sorts
  -r, --seed S          seed of the drawn shapes (default: 1)

  -a, --algorithm A   SORTS
  -j, --json          print the whole call sequence as JSON
  -o, --html FILE     write a page that plays the sorts side by side, of
                      at most 6000000 calls of all its sorts together
                      (the largest a browser opens within about 10 s;
                      about 2400 values of the default sorts, 3400 of one
                      quadratic sort, for random values)
  -h, --help          print this help and exit
  --                  end the options: every argument after it is a value

The text trace (the default, for at most 30 values) prints a row per swap
with the array after it, the two exchanged positions in brackets, and the
comparisons and swaps so far; a last row per sort has its totals. Bad input,
a page past its calls, or running out of memory gets one line on standard
error and status 2.
)";

namespace {

using adtlab::command_line::Error;
using adtlab::command_line::Option;
using adtlab::command_line::Status;

const adtlab::CommandSyntax syntax = {most_values, true};

Result<std::vector<int>> operand_values(const std::vector<std::string> &operands) {
    std::vector<int> values;
    for (const std::string &operand : operands) {
        const auto value = adtlab::number_in("value", operand, INT_MIN, INT_MAX);
        if (!value) {
            return Error{value.error()};
        }
        values.push_back(static_cast<int>(*value));
    }
    return values;
}

// The values come from one place: the line, a file or a shape.
Status check_sources(const adtlab::SortOptions &shared) {
    const int sources =
        (shared.operands.empty() ? 0 : 1) + (shared.file ? 1 : 0) + (shared.sizes.empty() ? 0 : 1);
    if (sources != 1) {
        return Error{sources == 0 ? "no values: give them, --file PATH or --size N (try --help)"
                                  : "give the values one way only: on the line, --file or --size"};
    }
    if ((!shared.shapes.empty() || shared.seed.value_or(1) != 1) && shared.sizes.empty()) {
        return Error{"--shape and --seed go with --size"};
    }
    return {};
}

Result<std::vector<int>> file_or_shape_values(const adtlab::SortOptions &shared) {
    if (shared.file) {
        return adtlab::file_values(*shared.file, most_values);
    }
    const std::string shape = shared.shapes.empty() ? "random" : shared.shapes.back();
    return adtlab::make_input(shape, shared.sizes.back(), shared.seed.value_or(1));
}

// The values, from wherever the options say; none on the line leaves them
// to a file or a shape.
Status take_values(const adtlab::SortOptions &shared, Options &options) {
    auto values = operand_values(shared.operands);
    if (!values) {
        return Error{values.error()};
    }
    if (const Status checked = check_sources(shared); !checked) {
        return checked;
    }
    if (options.json && options.html) {
        return Error{"choose one of --json and --html"};
    }
    if (values->empty()) {
        values = file_or_shape_values(shared);
        if (!values) {
            return Error{values.error()};
        }
    }
    options.values = std::move(*values);
    return {};
}

} // namespace

Result<Options> parse_options(int argc, char *argv[]) {
    Options options;
    const Option own[] = {adtlab::command_line::flag("json", 'j', options.json),
                          {"html", 'o', true, [&options](const std::string &value) -> Status {
                               options.html = value;
                               return {};
                           }}};
    auto shared = adtlab::parse_sort_options(syntax, own, argc, argv);
    if (!shared) {
        return Error{shared.error()};
    }
    if (shared->help) {
        options.help = true;
        return options;
    }
    options.algorithms = std::move(shared->algorithms);
    if (const Status taken = take_values(*shared, options); !taken) {
        return Error{taken.error()};
    }
    if (options.values.empty() || options.values.size() > most_values) {
        return Error{"from 1 to 32767 values can be traced"};
    }
    if (!options.json && !options.html && options.values.size() > most_for_text) {
        return Error{std::to_string(options.values.size()) +
                     " values are too many for a text trace (at most 30); try --html FILE"};
    }
    return options;
}

} // namespace sort_trace
