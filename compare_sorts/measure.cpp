#include "measure.h"

#include "sort_calls/count_bounds.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>

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
                  const Forecast &forecast, Progress &progress, const std::string &what) {
    progress.begin(what, nullptr, forecast.calls, forecast.seconds);
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
    const auto bounds = count_comparisons ? adtlab::comparison_bounds : adtlab::swap_bounds;
    progress.begin(what + ", counting in 64 bits",
                   count_comparisons ? &counts.comparisons : &counts.swaps,
                   bounds(algorithm, n).high, 0.0);
    const order_observer observer = {count_comparisons ? count_comparison : nullptr,
                                     known.swaps ? nullptr : count_swap, &counts};
    watch_order(&observer);
    algorithm.sort(values.data(), n);
    watch_order(nullptr);
    progress.end();
    run.comparisons = known.comparisons.value_or(counts.comparisons.load());
    run.swaps = known.swaps.value_or(counts.swaps.load());
}

// Calls a second of this sort on the input's first values, sorted again
// until the clock has seen enough of them; 0 where they make no calls.
double calls_per_second(const adtlab::SortAlgorithm &algorithm, const Input &input,
                        std::vector<int> &values) {
    const auto m = static_cast<unsigned int>(std::min<std::size_t>(input.values.size(), 4096));
    const auto start = std::chrono::steady_clock::now();
    std::uint64_t calls = 0;
    std::chrono::duration<double> taken{};
    do {
        std::copy_n(input.values.begin(), m, values.begin());
        reset_comparisons_counter();
        reset_swaps_counter();
        algorithm.sort(values.data(), m);
        calls += std::uint64_t{comparisons_number()} + swaps_number();
        taken = std::chrono::steady_clock::now() - start;
    } while (taken.count() < 0.02);
    return static_cast<double>(calls) / taken.count();
}

// Runs of fewer calls end within about a second: no calibration for them.
constexpr std::uint64_t short_run_calls = 100000000;

} // namespace

Forecast forecast(const adtlab::SortAlgorithm &algorithm, const Input &input,
                  std::vector<int> &values) {
    const std::uint64_t n = input.values.size();
    Forecast f{
        adtlab::comparison_bounds(algorithm, n).high + adtlab::swap_bounds(algorithm, n).high, 0.0};
    if (f.calls > short_run_calls) {
        const double speed = calls_per_second(algorithm, input, values);
        f.seconds = speed > 0 ? static_cast<double>(f.calls) / speed : 0.0;
    }
    return f;
}

void announce_if_long(const adtlab::SortAlgorithm &algorithm, const Input &input,
                      const Forecast &forecast) {
    if (forecast.seconds > 3600) {
        std::fprintf(stderr,
                     "compare_sorts: %s sort of %zu %s values may make up to %llu calls, "
                     "up to %s on this machine; going on\n",
                     algorithm.name, input.values.size(), input.shape.c_str(),
                     static_cast<unsigned long long>(forecast.calls),
                     duration_text(forecast.seconds).c_str());
    }
}

Run measure(const adtlab::SortAlgorithm &algorithm, const Input &input, std::vector<int> &values,
            const Forecast &forecast, Progress &progress) {
    const auto n = static_cast<unsigned int>(input.values.size());
    const std::string what = input.shape + " " + std::to_string(n) + " " + algorithm.name;
    std::copy(input.values.begin(), input.values.end(), values.begin());
    Run run = unwatched_run(algorithm, values, n, forecast, progress, what);
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
