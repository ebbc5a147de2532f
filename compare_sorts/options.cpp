#include "options.h"

#include "sort_inputs/options.h"
#include "sort_inputs/shapes.h"

#include <algorithm>
#include <iterator>

namespace compare_sorts {

namespace {

constexpr unsigned int max_steps = 30;

const char usage[] = R"(Usage: compare_sorts [OPTION]...
Sorts the same inputs by selection, insertion and quick sort and prints, for
each run, the comparisons and swaps it made and the milliseconds of processor
time it took. The order of the values is goes_before's: )" ADTLAB_ORDER_WORDS R"(

  -s, --size N        number of values, 1 to 100000000 (repeatable;
                      default: 1000 and 10000)
  -p, --shape NAME    random, ascending, descending, few-distinct,
                      nearly-sorted or small-random (repeatable; default:
                      the first four): random is any int, ascending 0 to
                      N-1, descending N-1 to 0, few-distinct -5 to 5,
                      nearly-sorted 0 to N-1 with N/16 + 1 adjacent pairs
                      exchanged, small-random -99 to 99; the same size,
                      shape and seed give the same values in sort_trace
  -a, --algorithm A   selection, insertion or quick (repeatable;
                      default: all three)
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
order, n(n-1) comparisons and n - 1 swaps. A count that differs is marked '!',
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

const adtlab::ProgramOption own_options[] = {{"doubling", 'd', true},
                                             {"csv", 'c', false},
                                             {"print-input", 'i', false},
                                             {"expected", 'e', false}};

const adtlab::CommandSyntax syntax = {program, usage, max_size, own_options, false};

void check_sources(const Options &options) {
    if (options.file && (!options.sizes.empty() || !options.shapes.empty())) {
        fail("--file takes its values from the file: drop --size and --shape");
    }
    if (options.file && options.doubling > 0) {
        fail("--doubling makes its own inputs: drop --file");
    }
}

// From the smallest size, doubled `doubling` times.
std::vector<unsigned int> doubled_sizes(const std::vector<unsigned int> &sizes,
                                        unsigned int doubling) {
    const unsigned int smallest =
        sizes.empty() ? 1000 : *std::min_element(sizes.begin(), sizes.end());
    std::vector<unsigned int> doubled;
    for (unsigned long long n = smallest, k = 0; k <= doubling; ++k, n *= 2) {
        if (n > max_size) {
            fail("--doubling " + std::to_string(doubling) + " from " + std::to_string(smallest) +
                 " passes 100000000 values");
        }
        doubled.push_back(static_cast<unsigned int>(n));
    }
    return doubled;
}

} // namespace

void fail(const std::string &message) {
    adtlab::fail(program, message);
}

Options parse_options(int argc, char *argv[]) {
    Options options;
    auto own = [&options](char letter, const std::string &argument) {
        if (letter == 'd') {
            options.doubling = static_cast<unsigned int>(
                adtlab::number_or_fail(program, "doubling", argument, 1, max_steps));
        } else if (letter == 'c') {
            options.csv = true;
        } else if (letter == 'e') {
            options.expected = true;
        } else {
            options.print_input = true;
        }
    };
    adtlab::SortOptions shared = adtlab::parse_sort_options(syntax, argc, argv, own);
    if (!shared.operands.empty()) {
        fail("unexpected argument '" + shared.operands[0] + "' (try --help)");
    }
    options.sizes = std::move(shared.sizes);
    options.shapes = std::move(shared.shapes);
    options.algorithms = std::move(shared.algorithms);
    options.seed = shared.seed.value_or(1);
    options.file = std::move(shared.file);
    check_sources(options);
    if (options.doubling > 0) {
        options.sizes = doubled_sizes(options.sizes, options.doubling);
    }
    if (options.sizes.empty()) {
        options.sizes = {1000, 10000};
    }
    if (options.shapes.empty()) {
        options.shapes.assign(adtlab::default_input_shapes.begin(),
                              adtlab::default_input_shapes.end());
    }
    return options;
}

} // namespace compare_sorts
