#include "measure.h"

#include "sort_calls/count_bounds.h"

#include <algorithm>
#include <climits>

namespace compare_sorts {

namespace {

// Every unresolved call counted in 64 bits, by an observer of the library.
struct TrueCounts {
    std::atomic<std::uint64_t> comparisons{0};
    std::atomic<std::uint64_t> swaps{0};
};

void count_comparison(int, int, bool, void *user) {
    auto &counts = *static_cast<TrueCounts *>(user);
    counts.comparisons.store(counts.comparisons.load(std::memory_order_relaxed) + 1,
                             std::memory_order_relaxed);
}

void count_swap(const int *, unsigned int, unsigned int, void *user) {
    auto &counts = *static_cast<TrueCounts *>(user);
    counts.swaps.store(counts.swaps.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
}

// The measurement, in the order the counters and the stopwatch are meant to
// be used: reset, start, sort, then read each once.
Run unwatched_run(const adtlab::SortAlgorithm &algorithm, std::vector<int> &values, unsigned int n,
                  Progress &progress, const std::string &what) {
    progress.begin(what);
    reset_comparisons_counter();
    reset_swaps_counter();
    set_current_time();
    algorithm.sort(values.data(), n);
    Run run{};
    run.milliseconds = calculate_elapsed_time();
    const unsigned int comparisons = comparisons_number();
    const unsigned int swaps = swaps_number();
    progress.end();
    run.comparisons = comparisons;
    run.swaps = swaps;
    return run;
}

// A second, watched sort of the same input that counts in 64 bits the kinds
// of call whose true count the bounds leave open; the observer skips the other.
void count_in_64_bits(const adtlab::SortAlgorithm &algorithm, std::vector<int> &values,
                      unsigned int n, Progress &progress, const std::string &what,
                      const adtlab::ResolvedCounts &known, Run &run) {
    TrueCounts counts;
    const bool count_comparisons = !known.comparisons.has_value();
    progress.begin(what + ", counting in 64 bits",
                   count_comparisons ? &counts.comparisons : &counts.swaps);
    const order_observer observer = {count_comparisons ? count_comparison : nullptr,
                                     known.swaps ? nullptr : count_swap, &counts};
    watch_order(&observer);
    algorithm.sort(values.data(), n);
    watch_order(nullptr);
    progress.end();
    run.comparisons = known.comparisons.value_or(counts.comparisons.load());
    run.swaps = known.swaps.value_or(counts.swaps.load());
}

} // namespace

Run measure(const adtlab::SortAlgorithm &algorithm, const Input &input, std::vector<int> &values,
            Progress &progress) {
    const auto n = static_cast<unsigned int>(input.values.size());
    const std::string what = input.shape + " " + std::to_string(n) + " " + algorithm.name;
    std::copy(input.values.begin(), input.values.end(), values.begin());
    Run run = unwatched_run(algorithm, values, n, progress, what);
    run.sorted = array_is_sorted(values.data(), n);
    const adtlab::ResolvedCounts known =
        adtlab::resolve_counts(algorithm, n, static_cast<std::uint32_t>(run.comparisons),
                               static_cast<std::uint32_t>(run.swaps));
    if (known.comparisons && known.swaps) {
        run.comparisons = *known.comparisons;
        run.swaps = *known.swaps;
    } else {
        std::copy(input.values.begin(), input.values.end(), values.begin());
        count_in_64_bits(algorithm, values, n, progress, what, known, run);
    }
    run.wrapped = run.comparisons > UINT32_MAX || run.swaps > UINT32_MAX;
    return run;
}

} // namespace compare_sorts
