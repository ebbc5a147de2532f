// Matching a sort's calls against the library's: call by call, or for quick
// sort partition by partition, since the two sides of a partition may be
// sorted in either order.
#pragma once

#include "sort_calls/calls.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace adtlab::check {

// The range quick sort partitions, and its pivot's value.
struct QuickRange {
    unsigned int left;
    unsigned int right;
    int pivot;
    bool operator==(const QuickRange &) const = default;
};

// The first call that differs, counted from 0; nothing on a side means no
// call there. For quick sort, the library's partition at that call.
struct Mismatch {
    std::size_t call;
    std::optional<Call> expected;
    std::optional<Call> got;
    std::optional<QuickRange> range = std::nullopt;
    bool operator==(const Mismatch &) const = default;
};

std::optional<Mismatch> match_all(const std::vector<Call> &expected, const std::vector<Call> &got);

// Whether `got` is quick sort's partitions of `input`, the two sides of each
// in either order; the call that came furthest otherwise.
std::optional<Mismatch> match_quick(std::vector<int> input, const std::vector<Call> &got);

// The first call of sort `algorithm` on `input` that differs from the
// library's (`expected`): match_quick for quick sort, match_all otherwise.
std::optional<Mismatch> match_sort(std::string_view algorithm, const std::vector<int> &input,
                                   const std::vector<Call> &expected, const std::vector<Call> &got);

} // namespace adtlab::check
