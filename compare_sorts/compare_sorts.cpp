// compare_sorts: runs the counted sorts on the same inputs and prints one row
// per sort with its comparisons, swaps and milliseconds, or, with --doubling,
// how each grows as n doubles; or, with --print-input, the inputs alone.
#include "measure.h"
#include "options.h"
#include "report.h"

#include "sort_inputs/options.h"
#include "sort_inputs/shapes.h"

#include <algorithm>
#include <cstdio>
#include <new>

namespace compare_sorts {

namespace {

// Every shape at every size, or the values of the file.
std::vector<Input> make_inputs(const Options &options) {
    if (options.file) {
        return {{"file", adtlab::file_values_or_fail(program, *options.file, max_size)}};
    }
    std::vector<Input> inputs;
    for (const std::string &shape : options.shapes) {
        for (unsigned int n : options.sizes) {
            inputs.push_back({shape, adtlab::make_input(shape, n, options.seed)});
        }
    }
    return inputs;
}

// What the runs came to: whether every one sorted its input and whether a
// counter wrapped.
struct Outcome {
    bool all_sorted = true;
    bool any_wrapped = false;

    void note(const Run &run) {
        std::fflush(stdout);
        all_sorted = all_sorted && run.sorted;
        any_wrapped = any_wrapped || run.wrapped;
    }
};

// A row per input and algorithm.
void run_table(const Options &options, const std::vector<Input> &inputs, std::vector<int> &values,
               Outcome &outcome) {
    Progress progress;
    print_header(options.csv);
    for (const Input &input : inputs) {
        for (const adtlab::SortAlgorithm *algorithm : options.algorithms) {
            const Forecast expected = forecast(*algorithm, input, values);
            announce_if_long(*algorithm, input, expected);
            Run run = measure(*algorithm, input, values, expected, progress);
            print_row(options.csv, input, *algorithm, run);
            outcome.note(run);
        }
    }
}

// The inputs come shape by shape, each with every size; a series is one
// algorithm on one shape as n doubles.
void run_doubling(const Options &options, const std::vector<Input> &inputs,
                  std::vector<int> &values, Outcome &outcome) {
    Progress progress;
    print_doubling_header(options.csv);
    const std::size_t steps = options.sizes.size();
    for (std::size_t first = 0; first < inputs.size(); first += steps) {
        for (const adtlab::SortAlgorithm *algorithm : options.algorithms) {
            const Input &last = inputs[first + steps - 1];
            const Forecast last_expected = forecast(*algorithm, last, values);
            announce_if_long(*algorithm, last, last_expected);
            std::optional<Run> before;
            for (std::size_t k = first; k < first + steps; ++k) {
                const Forecast expected =
                    &inputs[k] == &last ? last_expected : forecast(*algorithm, inputs[k], values);
                Run run = measure(*algorithm, inputs[k], values, expected, progress);
                print_doubling_row(options.csv, inputs[k], *algorithm, run, before);
                outcome.note(run);
                before = run;
            }
        }
    }
}

// Runs every chosen algorithm on every input and prints the rows, or prints
// the inputs; returns the status: 1 when a run left its input unsorted.
int compare(const Options &options) {
    const std::vector<Input> inputs = make_inputs(options);
    if (options.print_input) {
        print_inputs(inputs);
        return 0;
    }
    std::size_t largest = 0;
    for (const Input &input : inputs) {
        largest = std::max(largest, input.values.size());
    }
    std::vector<int> values(largest);
    Outcome outcome;
    if (options.doubling > 0) {
        run_doubling(options, inputs, values, outcome);
    } else {
        run_table(options, inputs, values, outcome);
    }
    if (outcome.any_wrapped && !options.csv) {
        print_wrap_note();
    }
    return outcome.all_sorted ? 0 : 1;
}

} // namespace

} // namespace compare_sorts

int main(int argc, char *argv[]) {
    const compare_sorts::Options options = compare_sorts::parse_options(argc, argv);
    try {
        return adtlab::flush_output(compare_sorts::program, compare_sorts::compare(options));
    } catch (const std::bad_alloc &) {
        compare_sorts::fail("out of memory: try fewer or smaller inputs");
    }
}
