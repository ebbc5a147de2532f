#include "matching.h"

#include <algorithm>

namespace adtlab::check {

namespace {

std::optional<Call> call_at(const std::vector<Call> &calls, std::size_t k) {
    return k < calls.size() ? std::optional<Call>(calls[k]) : std::nullopt;
}

// How many of `want` the calls from `at` on repeat.
std::size_t repeated(const std::vector<Call> &want, const std::vector<Call> &got, std::size_t at) {
    std::size_t k = 0;
    while (k < want.size() && at + k < got.size() && got[at + k] == want[k]) {
        ++k;
    }
    return k;
}

struct Range {
    unsigned int left;
    unsigned int right;
};

// A partitioning sort's calls matched so far: the array as they left it,
// the ranges still to partition and how many calls matched.
struct QuickMatch {
    const SortAlgorithm &algorithm;
    std::vector<int> a;
    std::vector<Range> ranges;
    std::size_t at = 0;
};

// Takes the range whose partition the calls from `at` on repeat, and adds
// its sides of two or more elements.
void take_range(QuickMatch &match, std::size_t r, std::vector<int> after, const Partition &done) {
    const Range range = match.ranges[r];
    match.a = std::move(after);
    match.at += done.calls.size();
    match.ranges.erase(match.ranges.begin() + static_cast<std::ptrdiff_t>(r));
    if (done.first > range.left + 1) {
        match.ranges.push_back({range.left, done.first - 1});
    }
    if (done.last + 1 < range.right) {
        match.ranges.push_back({done.last + 1, range.right});
    }
}

// The mismatch that came furthest when no range's partition fits; of
// equals, that of the range first in the list.
Mismatch closest_mismatch(const QuickMatch &match, const std::vector<Call> &got) {
    std::optional<Mismatch> closest;
    for (const Range &range : match.ranges) {
        std::vector<int> after = match.a;
        const Partition partition =
            partition_calls(match.algorithm, after, range.left, range.right);
        const std::size_t k = repeated(partition.calls, got, match.at);
        if (!closest || match.at + k > closest->call) {
            closest = Mismatch{match.at + k, partition.calls[k], call_at(got, match.at + k),
                               QuickRange{range.left, range.right, match.a[range.left]}};
        }
    }
    return *closest;
}

// Matches the next partition, of any range still to partition. At most one
// range repeats in full; the latest ranges are tried first, since a sort
// that recurses at once partitions one of them next.
std::optional<Mismatch> match_partition(QuickMatch &match, const std::vector<Call> &got) {
    for (std::size_t r = match.ranges.size(); r-- > 0;) {
        std::vector<int> after = match.a;
        const Partition partition =
            partition_calls(match.algorithm, after, match.ranges[r].left, match.ranges[r].right);
        if (repeated(partition.calls, got, match.at) == partition.calls.size()) {
            take_range(match, r, std::move(after), partition);
            return std::nullopt;
        }
    }
    return closest_mismatch(match, got);
}

} // namespace

std::optional<Mismatch> match_all(const std::vector<Call> &expected, const std::vector<Call> &got) {
    for (std::size_t k = 0; k < std::max(expected.size(), got.size()); ++k) {
        if (call_at(expected, k) != call_at(got, k)) {
            return Mismatch{k, call_at(expected, k), call_at(got, k)};
        }
    }
    return std::nullopt;
}

std::optional<Mismatch> match_partitions(const SortAlgorithm &algorithm, std::vector<int> input,
                                         const std::vector<Call> &got) {
    QuickMatch match{algorithm, std::move(input), {}, 0};
    if (match.a.size() > 1) {
        match.ranges.push_back({0, static_cast<unsigned int>(match.a.size() - 1)});
    }
    while (!match.ranges.empty()) {
        if (std::optional<Mismatch> mismatch = match_partition(match, got)) {
            return mismatch;
        }
    }
    if (match.at < got.size()) {
        return Mismatch{match.at, std::nullopt, got[match.at]};
    }
    return std::nullopt;
}

std::optional<Mismatch> match_sort(const SortAlgorithm &algorithm, const std::vector<int> &input,
                                   const std::vector<Call> &expected,
                                   const std::vector<Call> &got) {
    std::optional<Mismatch> mismatch = match_all(expected, got);
    // Calls that are the library's own, in its order, are its partitions
    // too; only others need matching partition by partition.
    const bool by_partitions = algorithm.matching == CallMatching::partitions;
    return by_partitions && mismatch ? match_partitions(algorithm, input, got) : mismatch;
}

} // namespace adtlab::check
