// sort_trace: shows every comparison and swap that the library's sorts make,
// drawn from the library's own calls through an observer: as a text trace,
// as JSON, or as a page that plays the sorts side by side in a browser.
#include "json.h"
#include "options.h"
#include "page.h"
#include "text.h"
#include "trace.h"

#include "sort_inputs/options.h"

int main(int argc, char *argv[]) {
    const sort_trace::Options options = sort_trace::parse_options(argc, argv);
    std::vector<sort_trace::Trace> traces;
    for (const adtlab::SortAlgorithm *algorithm : options.algorithms) {
        traces.push_back(sort_trace::trace_sort(*algorithm, options.values));
    }
    if (options.html) {
        sort_trace::write_html(*options.html, options.values, traces);
    } else if (options.json) {
        sort_trace::print_json(options.values, traces);
    } else {
        sort_trace::print_text(options.values, traces);
    }
    return adtlab::flush_output(sort_trace::program, 0);
}
