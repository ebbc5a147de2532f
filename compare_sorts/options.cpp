#include "options.h"

#include "sort_inputs/options.h"
#include "sort_inputs/shapes.h"

#include <algorithm>
#include <iterator>

namespace compare_sorts {

const char usage[] = R"(Usage: compare_sorts [OPTION]...
Sorts the same inputs by the library's sorts and prints, for each run, the
comparisons and swaps it made and the milliseconds of processor time it took.
The order of the values is goes_before's: )" ADTLAB_ORDER_WORDS R"(

  -s, --size N        number of values, 1 to 100000000 (repeatable;
                      default: 1000 and 10000)
  -p, --shape NAME    random, ascending, descending, few-distinct,
                      nearly-sorted or small-random (repeatable; default:
                      the first four): random is any int, ascending 0 to
                      N-1, descending N-1 to 0, few-distinct -5 to 5,
                      nearly-sorted 0 to N-1 with N/16 + 1 adjacent pairs
                      exchanged, small-random -99 to 99; the same size,
                      shape and seed give the same values in sort_trace
  -a, --algorithm A   SORTS
  -r, --seed S        seed of the drawn inputs (default: 1)
  -f, --file PATH     sort the whitespace-separated integers of PATH instead
                      (at most 100000000 of them)
  -d, --doubling K    from the smallest size (default 1000), double n K times
                      (1 to 30) for each algorithm and shape, and print for
                      comparisons, swaps and milliseconds the ratio to the
                      previous n and its base-2 logarithm: the exponent of
                      growth (2.00 for quadratic work)
  -c, --csv           print comma-separated rows:
                        shape,n,algorithm,comparisons,swaps,ms,sorted,wrapped
                      or, with --doubling:
                        shape,algorithm,n,comparisons,comparisons_ratio,
                        comparisons_log2,swaps,swaps_ratio,swaps_log2,
                        ms,ms_ratio,ms_log2
  -e, --expected      with --csv, add to each row the counts that the sort
                      must make where a formula says so exactly:
                        ...,expected_comparisons,expected_swaps
                      (empty where none); the table always shows them
  -i, --print-input   print the inputs instead of sorting them, one line
                      each, its values separated by single spaces
  -h, --help          print this help and exit
  --                  end the options

Beside each count the table shows what it must be where a formula says so
exactly ('-' where none): selection sort makes n(n-1)/2 comparisons and n
swaps; insertion sort as many swaps as the input has inversions (pairs out of
order, counted apart from the sorts) and that many comparisons plus n - 1
less the values that walk to the front; quick sort, on distinct values in
order, n(n-1) comparisons and n - 1 swaps; bubble sort n(n-1)/2 comparisons
and a swap per inversion; shell sort, below 6 values, insertion sort's counts;
quick3 sort, on one value repeated, 2(n-1) comparisons and no swap. A count that differs is marked '!',
with a line under the table: a fault of the library.

Counts are exact: each sort runs once, unwatched, and its counts are the
library's whole 64-bit ones. A count past 4294967295, where the library's
32-bit counter wraps, is marked: '*' in the table, wrapped=yes in CSV. Ratios
that are undefined (a zero before) print as '-' (empty in CSV). While a run
takes more than a second and standard error is a terminal, it shows there
which run is going, for how long and about how long it may still take (from
about the most calls the run can make, at the speed of a short calibration
run). A run (with --doubling, a series' last step) that may take more than
an hour at that speed is announced in one line on standard error, with its
most calls; it then goes on. Bad input, or running out of memory, gets one line
on standard error and status 2; a sort that leaves its input unsorted, 1.
)";

namespace {

constexpr unsigned int max_steps = 30;

using adtlab::command_line::Error;
using adtlab::command_line::Option;
using adtlab::command_line::Status;

const adtlab::CommandSyntax syntax = {max_size, false};

// compare_sorts' own options, taken into `options`.
std::vector<Option> own_options(Options &options) {
    return {{"doubling", 'd', true,
             [&options](const std::string &value) -> Status {
                 const auto doubling = adtlab::number_in("doubling", value, 1, max_steps);
                 if (!doubling) {
                     return Error{doubling.error()};
                 }
                 options.doubling = static_cast<unsigned int>(*doubling);
                 return {};
             }},
            adtlab::command_line::flag("csv", 'c', options.csv),
            adtlab::command_line::flag("print-input", 'i', options.print_input),
            adtlab::command_line::flag("expected", 'e', options.expected)};
}

Status check_sources(const Options &options) {
    if (options.file && (!options.sizes.empty() || !options.shapes.empty())) {
        return Error{"--file takes its values from the file: drop --size and --shape"};
    }
    if (options.file && options.doubling > 0) {
        return Error{"--doubling makes its own inputs: drop --file"};
    }
    return {};
}

// From the smallest size, doubled `doubling` times.
Result<std::vector<unsigned int>> doubled_sizes(const std::vector<unsigned int> &sizes,
                                                unsigned int doubling) {
    const unsigned int smallest =
        sizes.empty() ? 1000 : *std::min_element(sizes.begin(), sizes.end());
    std::vector<unsigned int> doubled;
    for (unsigned long long n = smallest, k = 0; k <= doubling; ++k, n *= 2) {
        if (n > max_size) {
            return Error{"--doubling " + std::to_string(doubling) + " from " +
                         std::to_string(smallest) + " passes 100000000 values"};
        }
        doubled.push_back(static_cast<unsigned int>(n));
    }
    return doubled;
}

// The sizes and shapes that the options leave to their defaults.
void fill_defaults(Options &options) {
    if (options.sizes.empty()) {
        options.sizes = {1000, 10000};
    }
    if (options.shapes.empty()) {
        options.shapes.assign(adtlab::default_input_shapes.begin(),
                              adtlab::default_input_shapes.end());
    }
}

} // namespace

Result<Options> parse_options(int argc, char *argv[]) {
    Options options;
    const std::vector<Option> own = own_options(options);
    auto shared = adtlab::parse_sort_options(syntax, own, argc, argv);
    if (!shared) {
        return Error{shared.error()};
    }
    if (shared->help) {
        options.help = true;
        return options;
    }
    if (!shared->operands.empty()) {
        return Error{"unexpected argument '" + shared->operands[0] + "' (try --help)"};
    }
    options.sizes = std::move(shared->sizes);
    options.shapes = std::move(shared->shapes);
    options.algorithms = std::move(shared->algorithms);
    options.seed = shared->seed.value_or(1);
    options.file = std::move(shared->file);
    if (const Status checked = check_sources(options); !checked) {
        return Error{checked.error()};
    }
    if (options.doubling > 0) {
        auto doubled = doubled_sizes(options.sizes, options.doubling);
        if (!doubled) {
            return Error{doubled.error()};
        }
        options.sizes = std::move(*doubled);
    }
    fill_defaults(options);
    return options;
}

} // namespace compare_sorts
