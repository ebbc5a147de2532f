// Matching a sort's calls against the library's: call by call, or for a
// sort that partitions, partition by partition, since the two sides of a
// partition may be sorted in either order.
#pragma once

#include "sort_calls/calls.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace adtlab::check {

// The range a partitioning sort works on, and its pivot's value.
struct QuickRange {
    unsigned int left;
    unsigned int right;
    int pivot;
    bool operator==(const QuickRange &) const = default;
};

// The first call that differs, counted from 0; nothing on a side means no
// call there. For a partitioning sort, the library's partition at that call.
struct Mismatch {
    std::size_t call;
    std::optional<Call> expected;
    std::optional<Call> got;
    std::optional<QuickRange> range = std::nullopt;
    bool operator==(const Mismatch &) const = default;
};

std::optional<Mismatch> match_all(const std::vector<Call> &expected, const std::vector<Call> &got);

// Whether `got` is the partitions of `input` by a sort that partitions, the
// two sides of each in either order; the call that came furthest otherwise.
std::optional<Mismatch> match_partitions(const SortAlgorithm &algorithm, std::vector<int> input,
                                         const std::vector<Call> &got);

// The first call of `algorithm` on `input` that differs from the library's
// (`expected`), matched as the table of sorts says the sort may be.
std::optional<Mismatch> match_sort(const SortAlgorithm &algorithm, const std::vector<int> &input,
                                   const std::vector<Call> &expected, const std::vector<Call> &got);

} // namespace adtlab::check
