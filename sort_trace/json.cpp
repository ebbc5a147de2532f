#include "json.h"

#include <cstdio>

namespace sort_trace {

void print_json(const std::vector<int> &input, const std::vector<Trace> &traces) {
    std::printf("{\"input\": %s, \"runs\": [", json_array(input).c_str());
    for (std::size_t r = 0; r < traces.size(); ++r) {
        const Trace &trace = traces[r];
        std::printf("%s{\"algorithm\": \"%s\", \"comparisons\": %u, \"swaps\": %u, "
                    "\"result\": %s, \"events\": [",
                    r == 0 ? "" : ", ", trace.algorithm->name, trace.comparisons, trace.swaps,
                    json_array(trace.result).c_str());
        for (std::size_t k = 0; k < trace.calls.size(); ++k) {
            std::printf("%s%s", k == 0 ? "" : ", ", adtlab::call_json(trace.calls[k]).c_str());
        }
        std::printf("]}");
    }
    std::printf("]}\n");
}

} // namespace sort_trace
