#include "measure.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>

namespace compare_sorts {

namespace {

// The measurement, in the order the counters and the stopwatch are meant to
// be used: reset, start, sort, then read. The counts are the library's whole
// 64-bit ones, so one run gives them exactly.
Run unwatched_run(const adtlab::SortAlgorithm &algorithm, std::vector<int> &values, unsigned int n,
                  const Forecast &forecast, Progress &progress, const std::string &what) {
    progress.begin(what, forecast.seconds);
    reset_comparisons_counter();
    reset_swaps_counter();
    set_current_time();
    algorithm.sort(values.data(), n);
    Run run{};
    run.milliseconds = calculate_elapsed_time();
    run.comparisons = comparisons_count();
    run.swaps = swaps_count();
    progress.end();
    return run;
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
        calls += comparisons_count() + swaps_count();
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
    Forecast f{algorithm.most_calls(n), 0.0};
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
    run.wrapped = run.comparisons > UINT32_MAX || run.swaps > UINT32_MAX;
    return run;
}

} // namespace compare_sorts
