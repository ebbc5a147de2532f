#include "trace.h"

namespace sort_trace {

Trace trace_sort(const adtlab::SortAlgorithm &algorithm, const std::vector<int> &input) {
    Trace trace{&algorithm, 0, 0, input, {}};
    reset_comparisons_counter();
    reset_swaps_counter();
    trace.recording = adtlab::record_sort(algorithm, trace.result);
    trace.comparisons = comparisons_count();
    trace.swaps = swaps_count();
    return trace;
}

} // namespace sort_trace
