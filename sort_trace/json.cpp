#include "json.h"

#include <cstdio>

namespace sort_trace {

namespace {

// The site of each call, [line in the sort's source, first position, second
// position], and the steps, each [kind, first, last, calls made before it,
// line].
void print_sites_and_steps(const adtlab::Recording &recording) {
    std::printf("], \"sites\": [");
    for (std::size_t k = 0; k < recording.sites.size(); ++k) {
        const adtlab::CallSite &site = recording.sites[k];
        std::printf("%s[%u, %u, %u]", k == 0 ? "" : ", ", site.line, site.first, site.second);
    }
    std::printf("], \"steps\": [");
    for (std::size_t k = 0; k < recording.steps.size(); ++k) {
        const adtlab::Step &step = recording.steps[k];
        std::printf("%s[\"%s\", %u, %u, %zu, %u]", k == 0 ? "" : ", ", adtlab::step_name(step.kind),
                    step.first, step.last, step.calls, step.line);
    }
    std::printf("]");
}

} // namespace

void print_json(const std::vector<int> &input, const std::vector<Trace> &traces) {
    std::printf("{\"input\": %s, \"runs\": [", json_array(input).c_str());
    for (std::size_t r = 0; r < traces.size(); ++r) {
        const Trace &trace = traces[r];
        std::printf("%s{\"algorithm\": \"%s\", \"comparisons\": %u, \"swaps\": %u, "
                    "\"result\": %s, \"events\": [",
                    r == 0 ? "" : ", ", trace.algorithm->name, trace.comparisons, trace.swaps,
                    json_array(trace.result).c_str());
        const adtlab::Recording &recording = trace.recording;
        for (std::size_t k = 0; k < recording.calls.size(); ++k) {
            std::printf("%s%s", k == 0 ? "" : ", ", adtlab::call_json(recording.calls[k]).c_str());
        }
        print_sites_and_steps(recording);
        std::printf("}");
    }
    std::printf("]}\n");
}

} // namespace sort_trace
