// The calls a sort makes, as the library's observer sees them: recorded from
// the library's own sorts, written as sort_trace's JSON events or as words,
// and read back from a harness's report.
#pragma once

#include "sort_calls/sorts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace adtlab {

// One call of goes_before (its two values and what it returned) or of swap
// (its two positions).
struct Call {
    enum class Kind : char { comparison, swap };
    Kind kind;
    int first;
    int second;
    bool result; // of a comparison; false for a swap

    static Call comparison(int x, int y, bool result) { return {Kind::comparison, x, y, result}; }
    static Call swap(unsigned int i, unsigned int j) {
        return {Kind::swap, static_cast<int>(i), static_cast<int>(j), false};
    }
    bool is_swap() const { return kind == Kind::swap; }
    bool operator==(const Call &) const = default;
};

// Sorts `values` by the library's sort and returns every call it made.
std::vector<Call> record_calls(const SortAlgorithm &algorithm, std::vector<int> &values);

// Where a call of a library sort came from, as the sort reported it: the
// line of its source, and the positions of a comparison's two values (of a
// swap, its own two positions).
struct CallSite {
    unsigned int line;
    unsigned int first;
    unsigned int second;
    bool operator==(const CallSite &) const = default;
};

// A step of a library sort other than a call (ordtally's order_step), made
// when `calls` calls had been made.
struct Step {
    order_step_kind kind;
    unsigned int first;
    unsigned int last;
    unsigned int line;
    std::size_t calls;
    bool operator==(const Step &) const = default;
};

// Everything a library sort told while it was watched: its calls, the site
// of each, and its steps in order.
struct Recording {
    std::vector<Call> calls;
    std::vector<CallSite> sites;
    std::vector<Step> steps;
};

// Sorts `values` by the library's sort, watching its calls and steps.
Recording record_sort(const SortAlgorithm &algorithm, std::vector<int> &values);

// "range", "pivot", ...: a step's kind as the page data and JSON name it.
const char *step_name(order_step_kind kind);

// ["c", x, y, true] or ["s", i, j]: an event of sort_trace's JSON.
std::string call_json(const Call &call);

// The call of a line written as call_json writes it, or nothing.
std::optional<Call> parse_call_json(std::string_view line);

// goes_before(x, y) -> true, or swap(a, i, j).
std::string call_words(const Call &call);

// The comparisons and swaps among the first `end` calls.
struct CallCounts {
    unsigned long long comparisons = 0;
    unsigned long long swaps = 0;
};
CallCounts count_calls(const std::vector<Call> &calls, std::size_t end);

// One partition of a[left..right] by a library sort that partitions (its
// calls until it first places values): the calls, positions as in `a`, and
// the positions of the pivot and its equals where it placed them. `a` is
// left partitioned.
struct Partition {
    std::vector<Call> calls;
    unsigned int first;
    unsigned int last;
};
Partition partition_calls(const SortAlgorithm &algorithm, std::vector<int> &a, unsigned int left,
                          unsigned int right);

} // namespace adtlab
