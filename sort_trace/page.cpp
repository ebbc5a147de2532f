#include "page.h"

#include "options.h"
#include "player/page.h"
#include "sort_calls/formulas.h"

namespace sort_trace {

// One group of the input, a panel per sort, with counters "<algorithm>-...".
// The formulas are worked out once the sorts are recorded, so that their
// comparisons show in no count.
Status write_html(const std::string &path, const std::vector<int> &input,
                  const std::vector<Trace> &traces) {
    adtlab::player::Group group;
    group.input = input;
    for (const Trace &trace : traces) {
        const std::string name = trace.algorithm->name;
        group.panels.push_back(
            {name,
             name + " sort",
             name,
             &trace.recording.calls,
             {},
             adtlab::player::expected_of(adtlab::expected_counts(*trace.algorithm, input)),
             &trace.recording});
    }
    const std::string error = adtlab::player::write_page(path, "sort_trace", {group});
    if (!error.empty()) {
        return adtlab::command_line::Error{error};
    }
    return {};
}

} // namespace sort_trace
