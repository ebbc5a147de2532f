#include "ordtally/ordtally.h"

#ifdef ADTLAB_ORDTALLY_TESTING
#include "ordtally/ordtally_testing.h"
#endif

#include <ctime>

namespace {

// The rate at which clock() ticks: 1,000,000 a second on most C libraries,
// 10^9 on WASI's (whose clock() is the time since the program started). A
// test compiles this file with another rate to check the stopwatch at that
// rate on any machine.
#ifndef ADTLAB_CLOCKS_PER_SEC
#define ADTLAB_CLOCKS_PER_SEC CLOCKS_PER_SEC
#endif
constexpr double ticks_per_second = static_cast<double>(ADTLAB_CLOCKS_PER_SEC);

// Magnitude of x as an unsigned number: the most negative int has magnitude
// 2^31, which an int cannot hold.
unsigned int magnitude(int x) {
    unsigned int bits = static_cast<unsigned int>(x);
    return x < 0 ? 0u - bits : bits;
}

// The whole counts, in 64 bits: a program would need centuries of calls to
// wrap them.
unsigned long long comparisons = 0;
unsigned long long swaps = 0;

// x as a double in memory. On 32-bit x86 floating-point arithmetic may run
// in the x87's 80-bit registers, where a value differs from the same value
// stored: a start and an end read at the same tick would then differ by a
// hair, and the duration come out below zero. Whatever the compiler flags, a
// volatile store rounds it.
double rounded(double x) {
    volatile double stored = x;
    return stored;
}

// b false stores the current time (a start); b true stores and returns the
// time since the value stored (a duration). In milliseconds.
double set_elapsed_time(bool b) {
    static double elapsed = 0.0;
    double now = rounded(static_cast<double>(std::clock()) * 1000.0 / ticks_per_second);
    elapsed = rounded(b ? now - elapsed : now);
    return elapsed;
}

// The observer that watch_order() set; both functions NULL when unwatched.
order_observer &observer() {
    static order_observer watching = {nullptr, nullptr, nullptr};
    return watching;
}

[[gnu::noinline, gnu::cold]] void notify_comparison(int x, int y, bool result) {
    observer().on_comparison(x, y, result, observer().user);
}

[[gnu::noinline, gnu::cold]] void notify_swap(const int a[], unsigned int i, unsigned int j) {
    observer().on_swap(a, i, j, observer().user);
}

// The observer of steps that watch_steps() set.
step_observer &step_watcher() {
    static step_observer watching = {nullptr, nullptr};
    return watching;
}

} // namespace

#ifdef ADTLAB_ORDTALLY_TESTING
void set_counts_for_testing(unsigned long long comparison_count, unsigned long long swap_count) {
    comparisons = comparison_count;
    swaps = swap_count;
}
#endif

void swap(int a[], unsigned int i, unsigned int j) {
    int tmp = a[i];
    a[i] = a[j];
    a[j] = tmp;
    ++swaps;
    if (observer().on_swap != nullptr) [[unlikely]] {
        notify_swap(a, i, j);
    }
}

bool goes_before(int x, int y) {
    ++comparisons;
    unsigned int mx = magnitude(x);
    unsigned int my = magnitude(y);
    bool result = mx < my || (mx == my && x <= y);
    if (observer().on_comparison != nullptr) [[unlikely]] {
        notify_comparison(x, y, result);
    }
    return result;
}

bool array_is_sorted(int array[], unsigned int length) {
    unsigned int i = 1;
    while (i < length && goes_before(array[i - 1], array[i])) {
        ++i;
    }
    return i >= length;
}

void reset_comparisons_counter(void) {
    comparisons = 0;
}

unsigned int comparisons_number(void) {
    return static_cast<unsigned int>(comparisons++);
}

unsigned long long comparisons_count(void) {
    return comparisons;
}

void reset_swaps_counter(void) {
    swaps = 0;
}

unsigned int swaps_number(void) {
    return static_cast<unsigned int>(swaps++);
}

unsigned long long swaps_count(void) {
    return swaps;
}

void set_current_time(void) {
    set_elapsed_time(false);
}

double calculate_elapsed_time(void) {
    return set_elapsed_time(true);
}

void watch_order(const order_observer *observer_to_set) {
    observer() = observer_to_set != nullptr ? *observer_to_set : order_observer{};
}

bool order_watched(void) {
    return observer().on_comparison != nullptr || observer().on_swap != nullptr;
}

void watch_steps(const step_observer *observer_to_set) {
    step_watcher() = observer_to_set != nullptr ? *observer_to_set : step_observer{};
}

void report_step(order_step_kind kind, unsigned int first, unsigned int last, unsigned int line) {
    if (step_watcher().on_step != nullptr) {
        const order_step step = {kind, first, last, line};
        step_watcher().on_step(&step, step_watcher().user);
    }
}
