// sort_trace: shows every comparison and swap that the library's sorts make,
// drawn from the library's own calls through an observer: as a text trace,
// as JSON, or as a page that plays the sorts side by side in a browser.
#include "json.h"
#include "options.h"
#include "page.h"
#include "text.h"
#include "trace.h"

#include "sort_calls/formulas.h"
#include "sort_inputs/options.h"

#include <cstdint>
#include <new>
#include <string>

namespace {

void refuse_if_too_many(std::uint64_t calls) {
    if (calls > sort_trace::most_page_calls) {
        sort_trace::fail("at least " + std::to_string(calls) +
                         " calls are too many for a page (at most " +
                         std::to_string(sort_trace::most_page_calls) +
                         "): try one sort with -a, or fewer values");
    }
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
std::vector<sort_trace::Trace> trace_sorts(const sort_trace::Options &options) {
    if (options.html) {
        refuse_if_too_many(formula_calls(options));
        refuse_if_too_many(counted_calls(options));
    }
    std::vector<sort_trace::Trace> traces;
    for (const adtlab::SortAlgorithm *algorithm : options.algorithms) {
        traces.push_back(sort_trace::trace_sort(*algorithm, options.values));
    }
    return traces;
}

void write_trace(const sort_trace::Options &options) {
    const std::vector<sort_trace::Trace> traces = trace_sorts(options);
    if (options.html) {
        sort_trace::write_html(*options.html, options.values, traces);
    } else if (options.json) {
        sort_trace::print_json(options.values, traces);
    } else {
        sort_trace::print_text(options.values, traces);
    }
}

} // namespace

int main(int argc, char *argv[]) {
    const sort_trace::Options options = sort_trace::parse_options(argc, argv);
    try {
        write_trace(options);
    } catch (const std::bad_alloc &) {
        sort_trace::fail("out of memory: try one sort with -a, or fewer values");
    }
    return adtlab::flush_output(sort_trace::program, 0);
}
