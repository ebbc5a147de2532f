// The library as a WebAssembly module for a page: the page sets the values
// (or makes them from a shape, a size and a seed), runs the library's sorts
// on them, and reads back the library's counts, the stopwatch's milliseconds
// and every call that the sort made, as ordtally's observer saw it.
//
// Exports (a WASI reactor: call _initialize first). Sorts and shapes are
// numbered as sort_name and shape_name name them; unsigned results come to
// JavaScript as signed 32-bit numbers (x >>> 0 reads them).
//   int *values(n)                    room for n values (0 to 32,767), which
//                                     the page writes; null when n is more
//   int *shaped_values(shape, n, seed)  the values made by make_input, or null
//   const char *sort_name(k), *shape_name(k)   null past the last
//   bool run_sort(k, most_calls)      sorts a copy of the values by sort k,
//                                     timed without watching; when the sort
//                                     makes at most most_calls calls, runs it
//                                     again to record them
//   unsigned comparisons(k), swaps(k)    the library's counts of the last run
//   double milliseconds(k)            the stopwatch's reading
//   const int *sorted_values(k)       the values after the sort
//   const Call *calls(k)              its calls, or null when not recorded
//                                     (too many, or memory ran out)
//   unsigned call_count(k)
// A call takes 16 bytes: byte 0 is 0 for goes_before and 1 for swap; the
// 32-bit ints at 4 and 8 are its two values (goes_before) or positions
// (swap); byte 12 is what goes_before returned.
#include "ordtally/ordtally.h"
#include "sort_calls/calls.h"
#include "sort_inputs/shapes.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <vector>

#define EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

using adtlab::Call;

static_assert(sizeof(Call) == 16 && offsetof(Call, first) == 4 && offsetof(Call, second) == 8 &&
              offsetof(Call, result) == 12);
static_assert(static_cast<char>(Call::Kind::comparison) == 0 &&
              static_cast<char>(Call::Kind::swap) == 1);

constexpr unsigned int most_values = 32767; // as sort_trace: positions fit in 15 bits
constexpr std::size_t sort_count = std::size(adtlab::sort_algorithms);
constexpr std::size_t shape_count = std::size(adtlab::input_shapes);

struct Run {
    unsigned int comparisons = 0;
    unsigned int swaps = 0;
    double milliseconds = 0.0;
    std::vector<int> sorted;
    Call *calls = nullptr; // a block for every call of the sort, or null
    std::size_t capacity = 0;
    std::size_t call_count = 0;
};

std::vector<int> input;
Run runs[sort_count];

void forget_calls(Run &run) {
    std::free(run.calls);
    run.calls = nullptr;
    run.capacity = 0;
    run.call_count = 0;
}

int *set_input(const std::vector<int> &new_input) {
    for (Run &run : runs) {
        forget_calls(run);
        run.sorted.clear();
    }
    input.reserve(most_values); // never moves, and never null
    input.assign(new_input.begin(), new_input.end());
    return input.data();
}

void keep_call(Run &run, const Call &call) {
    if (run.call_count < run.capacity) {
        run.calls[run.call_count] = call;
    }
    ++run.call_count;
}

void record_comparison(int x, int y, bool result, void *user) {
    keep_call(*static_cast<Run *>(user), Call::comparison(x, y, result));
}

void record_swap(const int *, unsigned int i, unsigned int j, void *user) {
    keep_call(*static_cast<Run *>(user), Call::swap(i, j));
}

// Sorts the input again, this time watched, into a block for `total` calls.
void record(Run &run, const adtlab::SortAlgorithm &algorithm, std::uint64_t total) {
    if (total > SIZE_MAX / sizeof(Call)) {
        return;
    }
    const auto count = static_cast<std::size_t>(total);
    run.calls = static_cast<Call *>(std::malloc((count > 0 ? count : 1) * sizeof(Call)));
    if (run.calls == nullptr) {
        return;
    }
    run.capacity = count;
    std::vector<int> sorted = input;
    const order_observer observer = {record_comparison, record_swap, &run};
    watch_order(&observer);
    algorithm.sort(sorted.data(), static_cast<unsigned int>(sorted.size()));
    watch_order(nullptr);
    // Watching changes nothing: the same calls as counted, the same result.
    assert(run.call_count == total && sorted == run.sorted);
}

} // namespace

EXPORT(values) int *values(unsigned int n) {
    return n <= most_values ? set_input(std::vector<int>(n)) : nullptr;
}

EXPORT(shaped_values) int *shaped_values(unsigned int shape, unsigned int n, std::uint32_t seed) {
    if (shape >= shape_count || n > most_values) {
        return nullptr;
    }
    return set_input(adtlab::make_input(adtlab::input_shapes[shape], n, seed));
}

EXPORT(sort_name) const char *sort_name(unsigned int k) {
    return k < sort_count ? adtlab::sort_algorithms[k].name : nullptr;
}

// The shapes' names are string literals, so each ends in a NUL.
EXPORT(shape_name) const char *shape_name(unsigned int k) {
    return k < shape_count ? adtlab::input_shapes[k].data() : nullptr;
}

EXPORT(run_sort) bool run_sort(unsigned int k, unsigned int most_calls) {
    if (k >= sort_count) {
        return false;
    }
    const adtlab::SortAlgorithm &algorithm = adtlab::sort_algorithms[k];
    Run &run = runs[k];
    forget_calls(run);
    run.sorted = input;
    reset_comparisons_counter();
    reset_swaps_counter();
    set_current_time();
    algorithm.sort(run.sorted.data(), static_cast<unsigned int>(run.sorted.size()));
    run.milliseconds = calculate_elapsed_time();
    run.comparisons = comparisons_number();
    run.swaps = swaps_number();
    const std::uint64_t total = std::uint64_t{run.comparisons} + run.swaps;
    if (total <= most_calls) {
        record(run, algorithm, total);
    }
    return true;
}

EXPORT(comparisons) unsigned int comparisons(unsigned int k) {
    return k < sort_count ? runs[k].comparisons : 0;
}

EXPORT(swaps) unsigned int swaps(unsigned int k) {
    return k < sort_count ? runs[k].swaps : 0;
}

EXPORT(milliseconds) double milliseconds(unsigned int k) {
    return k < sort_count ? runs[k].milliseconds : 0.0;
}

EXPORT(sorted_values) const int *sorted_values(unsigned int k) {
    return k < sort_count ? runs[k].sorted.data() : nullptr;
}

EXPORT(calls) const Call *calls(unsigned int k) {
    return k < sort_count ? runs[k].calls : nullptr;
}

EXPORT(call_count) unsigned int call_count(unsigned int k) {
    return k < sort_count && runs[k].calls != nullptr
               ? static_cast<unsigned int>(runs[k].call_count)
               : 0;
}
