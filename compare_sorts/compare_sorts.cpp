// compare_sorts: runs the counted sorts on the same inputs and prints one row
// per sort with its comparisons, swaps and milliseconds, or, with --doubling,
// how each grows as n doubles; or, with --print-input, the inputs alone.
#include "measure.h"
#include "options.h"
#include "report.h"

#include "command_line/option_table.h"
#include "sort_inputs/options.h"
#include "sort_inputs/shapes.h"

#include <algorithm>
#include <cstdio>
#include <new>

namespace compare_sorts {

namespace {

// Every shape at every size, or the values of the file.
Result<std::vector<Input>> make_inputs(const Options &options) {
    if (options.file) {
        auto values = adtlab::file_values(*options.file, max_size);
        if (!values) {
            return adtlab::command_line::Error{values.error()};
        }
        return std::vector<Input>{{"file", std::move(*values)}};
    }
    std::vector<Input> inputs;
    for (const std::string &shape : options.shapes) {
        for (unsigned int n : options.sizes) {
            inputs.push_back({shape, adtlab::make_input(shape, n, options.seed)});
        }
    }
    return inputs;
}

// Whether the rows show what the counts must be: the table always, CSV when
// asked; not the doubling table, whose columns are the growth.
bool shows_formulas(const Options &options) {
    return options.csv ? options.expected : options.doubling == 0;
}

// What each run's counts must be, by input and then by chosen algorithm,
// worked out before anything is printed (counting inversions takes memory),
// and before the runs, which reset the library's counters; none where not
// shown.
using Formulas = std::vector<std::vector<adtlab::ExpectedCounts>>;

Formulas formulas_of(const Options &options, const std::vector<Input> &inputs) {
    Formulas formulas;
    if (!shows_formulas(options)) {
        return formulas;
    }
    for (const Input &input : inputs) {
        formulas.emplace_back();
        for (const adtlab::SortAlgorithm *algorithm : options.algorithms) {
            formulas.back().push_back(adtlab::expected_counts(*algorithm, input.values));
        }
    }
    return formulas;
}

const adtlab::ExpectedCounts *formula_of(const Formulas &formulas, std::size_t input,
                                         std::size_t algorithm) {
    return formulas.empty() ? nullptr : &formulas[input][algorithm];
}

// What the runs came to: whether every one sorted its input, whether a count
// passed the library's 32-bit counter and whether one differs from its formula.
struct Outcome {
    bool all_sorted = true;
    bool any_wrapped = false;
    bool any_unexpected = false;

    void note(const Run &run, const adtlab::ExpectedCounts *expected) {
        std::fflush(stdout);
        all_sorted = all_sorted && run.sorted;
        any_wrapped = any_wrapped || run.wrapped;
        any_unexpected =
            any_unexpected || (expected != nullptr && differs_from_formula(run, *expected));
    }
};

// A row per input and algorithm.
void run_table(const Options &options, const std::vector<Input> &inputs, const Formulas &formulas,
               std::vector<int> &values, Outcome &outcome) {
    Progress progress;
    const int width = shape_width(inputs);
    print_header(options.csv, !formulas.empty(), width);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        for (std::size_t a = 0; a < options.algorithms.size(); ++a) {
            const adtlab::SortAlgorithm &algorithm = *options.algorithms[a];
            const Forecast expected = forecast(algorithm, inputs[i], values);
            announce_if_long(algorithm, inputs[i], expected);
            Run run = measure(algorithm, inputs[i], values, expected, progress);
            print_row(options.csv, inputs[i], algorithm, run, formula_of(formulas, i, a), width);
            outcome.note(run, formula_of(formulas, i, a));
        }
    }
}

// The inputs come shape by shape, each with every size; a series is one
// algorithm on one shape as n doubles.
void run_doubling(const Options &options, const std::vector<Input> &inputs,
                  const Formulas &formulas, std::vector<int> &values, Outcome &outcome) {
    Progress progress;
    const int width = shape_width(inputs);
    print_doubling_header(options.csv, !formulas.empty(), width);
    const std::size_t steps = options.sizes.size();
    for (std::size_t first = 0; first < inputs.size(); first += steps) {
        for (std::size_t a = 0; a < options.algorithms.size(); ++a) {
            const adtlab::SortAlgorithm &algorithm = *options.algorithms[a];
            const Input &last = inputs[first + steps - 1];
            const Forecast last_expected = forecast(algorithm, last, values);
            announce_if_long(algorithm, last, last_expected);
            std::optional<Run> before;
            for (std::size_t k = first; k < first + steps; ++k) {
                const Forecast expected =
                    &inputs[k] == &last ? last_expected : forecast(algorithm, inputs[k], values);
                Run run = measure(algorithm, inputs[k], values, expected, progress);
                print_doubling_row(options.csv, inputs[k], algorithm, run, before,
                                   formula_of(formulas, k, a), width);
                outcome.note(run, formula_of(formulas, k, a));
                before = run;
            }
        }
    }
}

// Runs every chosen algorithm on every input and prints the rows, or prints
// the inputs; returns the status: 1 when a run left its input unsorted.
Result<int> compare(const Options &options) {
    const auto made = make_inputs(options);
    if (!made) {
        return adtlab::command_line::Error{made.error()};
    }
    const std::vector<Input> &inputs = *made;
    if (options.print_input) {
        print_inputs(inputs);
        return 0;
    }
    std::size_t largest = 0;
    for (const Input &input : inputs) {
        largest = std::max(largest, input.values.size());
    }
    std::vector<int> values(largest);
    const Formulas formulas = formulas_of(options, inputs);
    Outcome outcome;
    if (options.doubling > 0) {
        run_doubling(options, inputs, formulas, values, outcome);
    } else {
        run_table(options, inputs, formulas, values, outcome);
    }
    if (outcome.any_wrapped && !options.csv) {
        print_wrap_note();
    }
    if (outcome.any_unexpected && !options.csv) {
        print_formula_note();
    }
    return outcome.all_sorted ? 0 : 1;
}

} // namespace

} // namespace compare_sorts

int main(int argc, char *argv[]) {
    using compare_sorts::program;
    try {
        const auto options = compare_sorts::parse_options(argc, argv);
        if (!options) {
            return adtlab::command_line::print_error(program, options.error());
        }
        if (options->help) {
            std::fputs(adtlab::usage_with_sorts(compare_sorts::usage).c_str(), stdout);
            return adtlab::flush_output(program, 0);
        }
        const auto status = compare_sorts::compare(*options);
        if (!status) {
            return adtlab::command_line::print_error(program, status.error());
        }
        return adtlab::flush_output(program, *status);
    } catch (const std::bad_alloc &) {
        return adtlab::command_line::print_error(program,
                                                 "out of memory: try fewer or smaller inputs");
    } catch (const std::exception &error) {
        return adtlab::command_line::print_error(program, error.what());
    }
}
