// The library as a WebAssembly module for a page: the page sets the values
// (or makes them from a shape, a size and a seed), runs the library's sorts
// on them, and reads back the library's counts, the stopwatch's milliseconds
// and every call that the sort made, as ordtally's observer saw it.
//
// Exports (a WASI reactor: call _initialize first). Sorts and shapes are
// numbered as sort_name and shape_name name them; unsigned results come to
// JavaScript as signed 32-bit numbers (x >>> 0 reads them), the two counts as
// BigInts (Number(x) reads them).
//   unsigned most_values()            32,767: the most values there can be
//   int *values(n)                    room for n values (0 to 32,767), which
//                                     the page writes; null when n is more
//   int *shaped_values(shape, n, seed)  the values made by make_input, or null
//   char *text(n)                     room for n bytes of typed text, which
//                                     the page writes (UTF-8)
//   int read_text()                   the text's values, separated by
//                                     whitespace or commas, as the values to
//                                     sort: their count (0: none, and the
//                                     values stay); -1 when some are not
//                                     ints (bad_words() names them), -2 when
//                                     there are more than 32,767
//   const char *bad_words()           the words of the text that are not
//                                     ints, separated by spaces
//   const char *sort_name(k), *shape_name(k)   null past the last
//   bool sort_by_default(k)           whether sort k is one of those the
//                                     programs run unless told which
//   const char *order_words()         the order of goes_before in words
//   bool run_sort(k, most_calls)      sorts a copy of the values by sort k,
//                                     timed without watching; when the sort
//                                     makes at most most_calls calls, runs it
//                                     again to record them
//   bool record_run(k)                records the calls of sort k's last run
//                                     of these values; false when memory is
//                                     short
//   unsigned long long comparisons(k), swaps(k)
//                                     the library's whole counts of the last
//                                     run
//   double milliseconds(k)            the stopwatch's reading
//   const int *sorted_values(k)       the values after the sort
//   const Call *calls(k)              its calls, or null when not recorded
//                                     (too many, or memory ran out)
//   unsigned call_count(k)
//   const char *player_data()         the player's data (JSON) for these
//                                     values, one panel for each recorded
//                                     run with the formulas' counts, and
//                                     the sort's steps and the sites of its
//                                     calls for at most 200,000 calls;
//                                     null when memory is short
// A call takes 16 bytes: byte 0 is 0 for goes_before and 1 for swap; the
// 32-bit ints at 4 and 8 are its two values (goes_before) or positions
// (swap); byte 12 is what goes_before returned.
#include "ordtally/ordtally.h"
#include "player/page.h"
#include "sort_calls/calls.h"
#include "sort_calls/formulas.h"
#include "sort_inputs/shapes.h"
#include "sort_inputs/values.h"

#include <cassert>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#define EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

using adtlab::Call;

static_assert(sizeof(Call) == 16 && offsetof(Call, first) == 4 && offsetof(Call, second) == 8 &&
              offsetof(Call, result) == 12);
static_assert(static_cast<char>(Call::Kind::comparison) == 0 &&
              static_cast<char>(Call::Kind::swap) == 1);

constexpr unsigned int most_values = adtlab::player::most_values;
constexpr std::size_t sort_count = std::size(adtlab::sort_algorithms);
constexpr std::size_t shape_count = std::size(adtlab::input_shapes);

struct Run {
    unsigned long long comparisons = 0;
    unsigned long long swaps = 0;
    double milliseconds = 0.0;
    std::vector<int> sorted;
    bool ran = false; // on these values
    bool recorded = false;
    std::vector<Call> calls; // every call of the sort, once recorded
    adtlab::Recording told;  // their sites and the sort's steps, for few enough calls
};

std::vector<int> input;
Run runs[sort_count];
std::string typed;     // the text the page writes, and a NUL
std::string bad_typed; // its words that are not ints
std::string data;      // the player's data, and a NUL

void forget_calls(Run &run) {
    run.recorded = false;
    std::vector<Call>().swap(run.calls);
    run.told = adtlab::Recording{};
}

int *set_input(const std::vector<int> &new_input) {
    for (Run &run : runs) {
        run = Run{};
    }
    std::string().swap(data);
    input.reserve(most_values); // never moves, and never null
    input.assign(new_input.begin(), new_input.end());
    return input.data();
}

// Built without exceptions, a container that cannot grow aborts; a block
// that malloc can give, and that is given back, leaves room for it.
bool room_for(std::uint64_t bytes) {
    if (bytes > SIZE_MAX / 2) {
        return false;
    }
    void *block = std::malloc(static_cast<std::size_t>(bytes));
    std::free(block);
    return block != nullptr;
}

void keep_call(Run &run, const Call &call) {
    if (run.calls.size() < run.calls.capacity()) {
        run.calls.push_back(call);
    }
}

void record_comparison(int x, int y, bool result, void *user) {
    keep_call(*static_cast<Run *>(user), Call::comparison(x, y, result));
}

void record_swap(const int *, unsigned int i, unsigned int j, void *user) {
    keep_call(*static_cast<Run *>(user), Call::swap(i, j));
}

// A call's site comes just before the call; the room for both is reserved.
void record_step(const order_step *step, void *user) {
    Run &run = *static_cast<Run *>(user);
    adtlab::Recording &told = run.told;
    if (step->kind == ORDER_STEP_CALL && told.sites.size() < told.sites.capacity()) {
        told.sites.push_back({step->line, step->first, step->last});
    } else if (step->kind != ORDER_STEP_CALL && told.steps.size() < told.steps.capacity()) {
        told.steps.push_back({step->kind, step->first, step->last, step->line, run.calls.size()});
    }
}

// The most steps of a sort of n values making `calls` calls: a step a call
// at most (a new least value, a key moved), and four a position.
std::uint64_t most_steps(std::uint64_t calls, std::uint64_t n) {
    return calls + 4 * n + 2;
}

// Sorts the input again, this time watched, keeping every call; false when
// there is no room for them.
bool record(Run &run, const adtlab::SortAlgorithm &algorithm) {
    const std::uint64_t total = run.comparisons + run.swaps;
    const bool explained = total <= adtlab::player::most_explained_calls;
    const std::uint64_t steps = explained ? most_steps(total, input.size()) : 0;
    const std::uint64_t told_bytes =
        explained ? total * sizeof(adtlab::CallSite) + steps * sizeof(adtlab::Step) : 0;
    if (!room_for(total * sizeof(Call) + told_bytes + input.size() * sizeof(int))) {
        return false;
    }
    run.calls.reserve(static_cast<std::size_t>(total > 0 ? total : 1)); // data() is never null
    run.told.sites.reserve(static_cast<std::size_t>(explained ? total : 0));
    run.told.steps.reserve(static_cast<std::size_t>(steps));
    std::vector<int> sorted = input;
    const order_observer observer = {record_comparison, record_swap, &run};
    const step_observer step_watcher = {record_step, &run};
    watch_order(&observer);
    watch_steps(explained ? &step_watcher : nullptr);
    algorithm.sort(sorted.data(), static_cast<unsigned int>(sorted.size()));
    watch_steps(nullptr);
    watch_order(nullptr);
    // Watching changes nothing: the same calls as counted, the same result.
    assert(run.calls.size() == total && sorted == run.sorted);
    run.recorded = true;
    return true;
}

bool separates(char c) {
    return c == ',' || c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// The words of the typed text, each read as sort_trace reads a value.
int read_words() {
    std::vector<int> found;
    bad_typed.clear();
    const std::size_t end = typed.size() - 1; // the NUL
    for (std::size_t start = 0, stop = 0; start < end; start = stop) {
        for (; start < end && separates(typed[start]); ++start) {
        }
        for (stop = start; stop < end && !separates(typed[stop]); ++stop) {
        }
        if (start == stop) {
            break;
        }
        const std::string word = typed.substr(start, stop - start);
        if (auto value = adtlab::parse_number(word, INT_MIN, INT_MAX)) {
            found.push_back(static_cast<int>(*value));
        } else {
            bad_typed += (bad_typed.empty() ? "" : " ") + word;
        }
    }
    if (!bad_typed.empty()) {
        return -1;
    }
    if (found.size() > most_values) {
        return -2;
    }
    if (!found.empty()) {
        set_input(found);
    }
    return static_cast<int>(found.size());
}

} // namespace

EXPORT(most_values) unsigned int most_values_export() {
    return most_values;
}

EXPORT(values) int *values(unsigned int n) {
    return n <= most_values ? set_input(std::vector<int>(n)) : nullptr;
}

EXPORT(shaped_values) int *shaped_values(unsigned int shape, unsigned int n, std::uint32_t seed) {
    if (shape >= shape_count || n > most_values) {
        return nullptr;
    }
    return set_input(adtlab::make_input(adtlab::input_shapes[shape], n, seed));
}

EXPORT(text) char *text(unsigned int n) {
    typed.assign(std::size_t{n} + 1, '\0');
    return typed.data();
}

EXPORT(read_text) int read_text() {
    return typed.empty() ? 0 : read_words();
}

EXPORT(bad_words) const char *bad_words() {
    return bad_typed.c_str();
}

EXPORT(order_words) const char *order_words() {
    return ADTLAB_ORDER_WORDS;
}

EXPORT(sort_name) const char *sort_name(unsigned int k) {
    return k < sort_count ? adtlab::sort_algorithms[k].name : nullptr;
}

EXPORT(sort_by_default) bool sort_by_default(unsigned int k) {
    return k < sort_count && adtlab::sort_algorithms[k].by_default;
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
    run.comparisons = comparisons_count();
    run.swaps = swaps_count();
    run.ran = true;
    if (run.comparisons + run.swaps <= most_calls) {
        record(run, algorithm);
    }
    return true;
}

EXPORT(record_run) bool record_run(unsigned int k) {
    if (k >= sort_count || !runs[k].ran) {
        return false;
    }
    return runs[k].recorded || record(runs[k], adtlab::sort_algorithms[k]);
}

EXPORT(comparisons) unsigned long long comparisons(unsigned int k) {
    return k < sort_count ? runs[k].comparisons : 0;
}

EXPORT(swaps) unsigned long long swaps(unsigned int k) {
    return k < sort_count ? runs[k].swaps : 0;
}

EXPORT(milliseconds) double milliseconds(unsigned int k) {
    return k < sort_count ? runs[k].milliseconds : 0.0;
}

EXPORT(sorted_values) const int *sorted_values(unsigned int k) {
    return k < sort_count ? runs[k].sorted.data() : nullptr;
}

EXPORT(calls) const Call *calls(unsigned int k) {
    return k < sort_count && runs[k].recorded ? runs[k].calls.data() : nullptr;
}

EXPORT(call_count) unsigned int call_count(unsigned int k) {
    return k < sort_count && runs[k].recorded ? static_cast<unsigned int>(runs[k].calls.size()) : 0;
}

EXPORT(player_data) const char *player_data() {
    std::vector<adtlab::player::Group> groups(1);
    adtlab::player::Group &group = groups[0];
    group.input = input;
    std::uint64_t bytes = 0;
    for (std::size_t k = 0; k < sort_count; ++k) {
        if (runs[k].recorded) {
            const char *name = adtlab::sort_algorithms[k].name;
            const adtlab::Recording &told = runs[k].told;
            group.panels.push_back(
                {.id = name,
                 .title = std::string(name) + " sort",
                 .algorithm = name,
                 .calls = &runs[k].calls,
                 .ended = std::nullopt,
                 .expected = adtlab::player::expected_of(
                     adtlab::expected_counts(adtlab::sort_algorithms[k], input)),
                 .recording = told.sites.size() == runs[k].calls.size() ? &told : nullptr});
            bytes += runs[k].calls.size() + told.sites.size() / 6 + told.steps.size() * 2;
        }
    }
    std::string().swap(data);
    // The calls packed, in base64 and more than once while the text is made.
    if (!room_for(bytes * 24 + input.size() * 64)) {
        return nullptr;
    }
    data = adtlab::player::page_data("adtlab: the library sorts your values", groups);
    return data.c_str();
}
