#include "page.h"

#include "options.h"
#include "player/page.h"
#include "sort_calls/formulas.h"

namespace sort_trace {

namespace {

// What a formula says the sort's counts must be, for the player to show
// beside them; nothing where none does. Worked out once the sorts are
// recorded, so that its comparisons show in no count.
std::optional<adtlab::player::Expected> expected_of(const std::vector<int> &input,
                                                    const Trace &trace) {
    const adtlab::ExpectedCounts e = adtlab::expected_counts(*trace.algorithm, input);
    if (!e.comparisons && !e.swaps) {
        return std::nullopt;
    }
    auto count = [](const std::optional<std::uint64_t> &c) {
        return c ? std::optional<unsigned long long>(*c) : std::nullopt;
    };
    return adtlab::player::Expected{{count(e.comparisons), e.comparisons_rule},
                                    {count(e.swaps), e.swaps_rule}};
}

} // namespace

// One group of the input, a panel per sort, with counters "<algorithm>-...".
void write_html(const std::string &path, const std::vector<int> &input,
                const std::vector<Trace> &traces) {
    adtlab::player::Group group;
    group.input = input;
    for (const Trace &trace : traces) {
        const std::string name = trace.algorithm->name;
        group.panels.push_back({name,
                                name + " sort",
                                name,
                                &trace.recording.calls,
                                {},
                                expected_of(input, trace),
                                &trace.recording});
    }
    const std::string error = adtlab::player::write_page(path, "sort_trace", {group});
    if (!error.empty()) {
        fail(error);
    }
}

} // namespace sort_trace
