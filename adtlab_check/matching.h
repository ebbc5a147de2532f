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

// The first call that differs; nothing on a side means no call there.
struct Mismatch {
    std::size_t call;
    std::optional<Call> expected;
    std::optional<Call> got;
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
