// sort_trace: shows every comparison and swap that the library's sorts make,
// drawn from the library's own calls through an observer: as a text trace,
// as JSON, or as a page that plays the sorts side by side in a browser.
#include "json.h"
#include "options.h"
#include "page.h"
#include "text.h"
#include "trace.h"

#include "command_line/option_table.h"
#include "sort_calls/formulas.h"
#include "sort_inputs/options.h"

#include <cstdint>
#include <cstdio>
#include <new>
#include <string>

namespace {

using adtlab::command_line::Error;
using sort_trace::Status;

Status refuse_if_too_many(std::uint64_t calls) {
    if (calls > sort_trace::most_page_calls) {
        return Error{"at least " + std::to_string(calls) +
                     " calls are too many for a page (at most " +
                     std::to_string(sort_trace::most_page_calls) +
                     "): try one sort with -a, or fewer values"};
    }
    return {};
}

// The calls that the formulas say the sorts must make, where they say so
// (selection sort on any input, insertion sort by the input's inversions):
// at most the page's calls, known without sorting.
std::uint64_t formula_calls(const sort_trace::Options &options) {
    std::uint64_t calls = 0;
    for (const adtlab::SortAlgorithm *algorithm : options.algorithms) {
        const adtlab::ExpectedCounts expected = adtlab::expected_counts(*algorithm, options.values);
        calls += expected.comparisons.value_or(0) + expected.swaps.value_or(0);
    }
    return calls;
}

// A page's calls, counted by the library on an unwatched run of each sort,
// which takes a fraction of the time and none of the memory of recording them.
std::uint64_t counted_calls(const sort_trace::Options &options) {
    std::uint64_t calls = 0;
    for (const adtlab::SortAlgorithm *algorithm : options.algorithms) {
        std::vector<int> values = options.values;
        reset_comparisons_counter();
        reset_swaps_counter();
        algorithm->sort(values.data(), static_cast<unsigned int>(values.size()));
        calls += comparisons_count() + swaps_count();
    }
    return calls;
}

// Every chosen sort's trace; a page is refused before its calls are recorded
// when they pass what a browser opens in reasonable time.
sort_trace::Result<std::vector<sort_trace::Trace>> trace_sorts(const sort_trace::Options &options) {
    if (options.html) {
        if (Status known = refuse_if_too_many(formula_calls(options)); !known) {
            return Error{known.error()};
        }
        if (Status counted = refuse_if_too_many(counted_calls(options)); !counted) {
            return Error{counted.error()};
        }
    }
    std::vector<sort_trace::Trace> traces;
    for (const adtlab::SortAlgorithm *algorithm : options.algorithms) {
        traces.push_back(sort_trace::trace_sort(*algorithm, options.values));
    }
    return traces;
}

Status write_trace(const sort_trace::Options &options) {
    const auto traces = trace_sorts(options);
    if (!traces) {
        return Error{traces.error()};
    }
    if (options.html) {
        return sort_trace::write_html(*options.html, options.values, *traces);
    }
    if (options.json) {
        sort_trace::print_json(options.values, *traces);
    } else {
        sort_trace::print_text(options.values, *traces);
    }
    return {};
}

} // namespace

int main(int argc, char *argv[]) {
    using adtlab::command_line::print_error;
    using sort_trace::program;
    try {
        const auto options = sort_trace::parse_options(argc, argv);
        if (!options) {
            return print_error(program, options.error());
        }
        if (options->help) {
            std::fputs(adtlab::usage_with_sorts(sort_trace::usage).c_str(), stdout);
            return adtlab::flush_output(program, 0);
        }
        if (const Status written = write_trace(*options); !written) {
            return print_error(program, written.error());
        }
        return adtlab::flush_output(program, 0);
    } catch (const std::bad_alloc &) {
        return print_error(program, "out of memory: try one sort with -a, or fewer values");
    } catch (const std::exception &error) {
        return print_error(program, error.what());
    }
}
