#include "page.h"

#include "options.h"
#include "player/page.h"

namespace sort_trace {

// One group of the input, a panel per sort, with counters "<algorithm>-...".
void write_html(const std::string &path, const std::vector<int> &input,
                const std::vector<Trace> &traces) {
    adtlab::player::Group group;
    group.input = input;
    for (const Trace &trace : traces) {
        const std::string name = trace.algorithm->name;
        group.panels.push_back({name, name + " sort", name, &trace.calls, {}, {}});
    }
    const std::string error = adtlab::player::write_page(path, "sort_trace", {group});
    if (!error.empty()) {
        fail(error);
    }
}

} // namespace sort_trace
