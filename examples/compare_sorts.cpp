// compare_sorts: runs the counted sorts on the same inputs and prints one row
// per sort with its comparisons, swaps and milliseconds, or, with --doubling,
// how each grows as n doubles.
#include "sorting/sorting.h"

#include "common/input_shapes.h"
#include "common/sort_cli.h"

#include <getopt.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr unsigned int max_size = 100000000;

constexpr unsigned int max_steps = 30;

const char usage[] = R"(Usage: compare_sorts [OPTION]...
Sorts the same inputs by selection, insertion and quick sort and prints, for
each run, the comparisons and swaps it made and the milliseconds of processor
time it took.

  -s, --size N        number of values, 1 to 100000000 (repeatable;
                      default: 1000 and 10000)
  -p, --shape NAME    random, ascending, descending or few-distinct
                      (repeatable; default: all four)
  -a, --algorithm A   selection, insertion or quick (repeatable;
                      default: all three)
  -r, --seed S        seed of the random and few-distinct inputs (default: 1)
  -f, --file PATH     sort the whitespace-separated integers of PATH instead
                      (at most 100000000 of them)
  -d, --doubling K    from the smallest size (default 1000), double n K times
                      (1 to 30) for each algorithm and shape, and print for
                      comparisons, swaps and milliseconds the ratio to the
                      previous n and its base-2 logarithm: the exponent of
                      growth (2.00 for quadratic work)
  -c, --csv           print comma-separated rows:
                        shape,n,algorithm,comparisons,swaps,ms,sorted,wrapped
                      or, with --doubling:
                        shape,algorithm,n,comparisons,comparisons_ratio,
                        comparisons_log2,swaps,swaps_ratio,swaps_log2,
                        ms,ms_ratio,ms_log2
  -h, --help          print this help and exit

Counts are exact. The library counts in 32 bits and wraps past 4294967295;
where a run could pass that, the sort is run once more, watched, to count in
64 bits, and a row whose library count wrapped is marked: '*' in the table,
wrapped=yes in CSV. Times are those of the unwatched run. Ratios that are
undefined (a zero before) print as '-' (empty in CSV). While a run takes more
than a second and standard error is a terminal, it shows there which run is
going and for how long. Bad input, or running out of memory, gets one line
on standard error and status 2; a sort that leaves its input unsorted, 1.
)";

using Algorithm = adtlab::detail::SortAlgorithm;
using adtlab::detail::parse_number;

struct Options {
    std::vector<unsigned int> sizes;
    std::vector<std::string> shapes;
    std::vector<const Algorithm *> algorithms;
    std::uint32_t seed = 1;
    std::optional<std::string> file;
    unsigned int doubling = 0;
    bool csv = false;
};

struct Input {
    std::string shape;
    std::vector<int> values;
};

[[noreturn]] void fail(const std::string &message) {
    std::fprintf(stderr, "compare_sorts: %s\n", message.c_str());
    std::exit(2);
}

const Algorithm *find_algorithm(const std::string &name) {
    const Algorithm *algorithm = adtlab::detail::find_sort(name);
    if (algorithm == nullptr) {
        fail("unknown algorithm '" + name + "' (selection, insertion or quick)");
    }
    return algorithm;
}

Options parse_options(int argc, char *argv[]) {
    static const option long_options[] = {{"size", required_argument, nullptr, 's'},
                                          {"shape", required_argument, nullptr, 'p'},
                                          {"algorithm", required_argument, nullptr, 'a'},
                                          {"doubling", required_argument, nullptr, 'd'},
                                          {"seed", required_argument, nullptr, 'r'},
                                          {"file", required_argument, nullptr, 'f'},
                                          {"csv", no_argument, nullptr, 'c'},
                                          {"help", no_argument, nullptr, 'h'},
                                          {nullptr, 0, nullptr, 0}};
    Options options;
    opterr = 0;
    int c;
    while ((c = getopt_long(argc, argv, ":s:p:a:d:r:f:ch", long_options, nullptr)) != -1) {
        const std::string argument = optarg != nullptr ? optarg : "";
        switch (c) {
        case 's': {
            auto size = parse_number(argument, 1, max_size);
            if (!size) {
                fail("size '" + argument + "' is not a number from 1 to 100000000");
            }
            options.sizes.push_back(static_cast<unsigned int>(*size));
            break;
        }
        case 'p':
            if (!adtlab::detail::is_input_shape(argument)) {
                fail("unknown shape '" + argument +
                     "' (random, ascending, descending or few-distinct)");
            }
            options.shapes.push_back(argument);
            break;
        case 'a':
            options.algorithms.push_back(find_algorithm(argument));
            break;
        case 'd': {
            auto steps = parse_number(argument, 1, max_steps);
            if (!steps) {
                fail("doubling '" + argument + "' is not a number from 1 to 30");
            }
            options.doubling = static_cast<unsigned int>(*steps);
            break;
        }
        case 'r': {
            auto seed = parse_number(argument, 0, UINT32_MAX);
            if (!seed) {
                fail("seed '" + argument + "' is not a number from 0 to 4294967295");
            }
            options.seed = static_cast<std::uint32_t>(*seed);
            break;
        }
        case 'f':
            options.file = argument;
            break;
        case 'c':
            options.csv = true;
            break;
        case 'h':
            std::fputs(usage, stdout);
            std::exit(0);
        case ':':
            fail(std::string("option '") + argv[optind - 1] + "' needs an argument");
        default:
            fail(std::string("unknown option '") + argv[optind - 1] + "' (try --help)");
        }
    }
    if (optind < argc) {
        fail(std::string("unexpected argument '") + argv[optind] + "' (try --help)");
    }
    if (options.file && (!options.sizes.empty() || !options.shapes.empty())) {
        fail("--file takes its values from the file: drop --size and --shape");
    }
    if (options.file && options.doubling > 0) {
        fail("--doubling makes its own inputs: drop --file");
    }
    if (options.doubling > 0) {
        unsigned int smallest = options.sizes.empty() ? 1000 : options.sizes[0];
        for (unsigned int size : options.sizes) {
            smallest = std::min(smallest, size);
        }
        options.sizes.clear();
        for (unsigned long long n = smallest, k = 0; k <= options.doubling; ++k, n *= 2) {
            if (n > max_size) {
                fail("--doubling " + std::to_string(options.doubling) + " from " +
                     std::to_string(smallest) + " passes 100000000 values");
            }
            options.sizes.push_back(static_cast<unsigned int>(n));
        }
    }
    if (options.sizes.empty()) {
        options.sizes = {1000, 10000};
    }
    if (options.algorithms.empty()) {
        for (const Algorithm &algorithm : adtlab::detail::sort_algorithms) {
            options.algorithms.push_back(&algorithm);
        }
    }
    if (options.shapes.empty()) {
        options.shapes.assign(std::begin(adtlab::detail::input_shapes),
                              std::end(adtlab::detail::input_shapes));
    }
    return options;
}

std::vector<int> read_values(const std::string &path) {
    adtlab::detail::FileValues file = adtlab::detail::read_values(path, max_size);
    if (!file.error.empty()) {
        fail(file.error);
    }
    return std::move(file.values);
}

std::vector<Input> make_inputs(const Options &options) {
    if (options.file) {
        return {{"file", read_values(*options.file)}};
    }
    std::vector<Input> inputs;
    for (const std::string &shape : options.shapes) {
        for (unsigned int n : options.sizes) {
            inputs.push_back({shape, adtlab::detail::make_input(shape, n, options.seed)});
        }
    }
    return inputs;
}

// Shows on standard error, while a run takes more than a second, which run
// is going and for how long; only when standard error is a terminal, and
// from a thread of its own that sleeps in between.
class Progress {
  public:
    Progress() : shown_(isatty(STDERR_FILENO) == 1) {
        if (shown_) {
            thread_ = std::thread([this] { show(); });
        }
    }
    ~Progress() {
        if (shown_) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                quit_ = true;
            }
            wake_.notify_one();
            thread_.join();
        }
    }
    Progress(const Progress &) = delete;
    Progress &operator=(const Progress &) = delete;

    // A run starts; `calls`, if given, counts how far it has gone.
    void begin(std::string what, const std::atomic<std::uint64_t> *calls = nullptr) {
        std::lock_guard<std::mutex> lock(mutex_);
        what_ = std::move(what);
        calls_ = calls;
        start_ = std::chrono::steady_clock::now();
        running_ = true;
    }

    void end() {
        std::lock_guard<std::mutex> lock(mutex_);
        running_ = false;
        if (on_screen_) {
            std::fputs("\r\033[K", stderr);
            on_screen_ = false;
        }
    }

  private:
    void show() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!quit_) {
            wake_.wait_for(lock, std::chrono::milliseconds(250));
            std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start_;
            if (!running_ || quit_ || taken.count() < 1.0) {
                continue;
            }
            std::fprintf(stderr, "\r\033[K%s: %.0f s", what_.c_str(), taken.count());
            if (calls_ != nullptr) {
                std::fprintf(stderr, ", %llu calls counted",
                             static_cast<unsigned long long>(calls_->load()));
            }
            std::fflush(stderr);
            on_screen_ = true;
        }
    }

    bool shown_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string what_;
    const std::atomic<std::uint64_t> *calls_ = nullptr;
    std::chrono::steady_clock::time_point start_;
    bool running_ = false;
    bool on_screen_ = false;
    bool quit_ = false;
};

struct Run {
    std::uint64_t comparisons;
    std::uint64_t swaps;
    double milliseconds;
    bool sorted;
    bool wrapped; // the library's 32-bit counters wrapped
};

// A run of n values may pass the library's 32-bit counters when its calls
// can exceed 4294967295. No sort here makes more than n(n+1) comparisons or
// n * n swaps.
bool may_wrap(std::uint64_t n) {
    return n * (n + 1) > UINT32_MAX;
}

// Every call counted in 64 bits, by an observer of the library.
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

// One measurement, in the order the counters and the stopwatch are meant to
// be used: reset, start, sort, then read each once. Where the counters may
// wrap, a second, watched run of the same input counts every call in 64 bits.
// `values` is a buffer at least as large as the input, allocated before
// anything is printed, so that running out of memory prints no partial table.
Run measure(const Algorithm &algorithm, const Input &input, std::vector<int> &values,
            Progress &progress) {
    const auto n = static_cast<unsigned int>(input.values.size());
    const std::string what = input.shape + " " + std::to_string(n) + " " + algorithm.name;
    std::copy(input.values.begin(), input.values.end(), values.begin());
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
    run.sorted = array_is_sorted(values.data(), n);
    if (may_wrap(n)) {
        TrueCounts counts;
        std::copy(input.values.begin(), input.values.end(), values.begin());
        progress.begin(what + ", counting in 64 bits", &counts.comparisons);
        const order_observer observer = {count_comparison, count_swap, &counts};
        watch_order(&observer);
        algorithm.sort(values.data(), n);
        watch_order(nullptr);
        progress.end();
        run.comparisons = counts.comparisons.load();
        run.swaps = counts.swaps.load();
        run.wrapped = run.comparisons > UINT32_MAX || run.swaps > UINT32_MAX;
    }
    return run;
}

const char wrap_note[] = "* the library's 32-bit counter wrapped past 4294967295; "
                         "the count shown was counted again in 64 bits.\n";

void print_header(bool csv) {
    if (csv) {
        std::puts("shape,n,algorithm,comparisons,swaps,ms,sorted,wrapped");
    } else {
        std::printf("%-12s %10s  %-9s %18s %18s %12s %7s\n", "shape", "n", "algorithm",
                    "comparisons", "swaps", "ms", "sorted");
    }
}

// A count in the table: marked when it passed the library's counter.
std::string table_count(std::uint64_t count) {
    char text[32];
    std::snprintf(text, sizeof text, "%17llu%c", static_cast<unsigned long long>(count),
                  count > UINT32_MAX ? '*' : ' ');
    return text;
}

void print_row(bool csv, const Input &input, const Algorithm &algorithm, const Run &run) {
    if (csv) {
        std::printf("%s,%zu,%s,%llu,%llu,%.3f,%s,%s\n", input.shape.c_str(), input.values.size(),
                    algorithm.name, static_cast<unsigned long long>(run.comparisons),
                    static_cast<unsigned long long>(run.swaps), run.milliseconds,
                    run.sorted ? "yes" : "no", run.wrapped ? "yes" : "no");
    } else {
        std::printf("%-12s %10zu  %-9s %s %s %12.3f %7s\n", input.shape.c_str(),
                    input.values.size(), algorithm.name, table_count(run.comparisons).c_str(),
                    table_count(run.swaps).c_str(), run.milliseconds, run.sorted ? "yes" : "no");
    }
}

// The ratio of a quantity to its value at the previous n, and its base-2
// logarithm; undefined where there is no previous value or it was zero.
struct Growth {
    std::optional<double> ratio;
    std::optional<double> log2;
};

Growth growth(double now, std::optional<double> before) {
    if (!before || *before <= 0.0 || now <= 0.0) {
        return {};
    }
    double ratio = now / *before;
    return {ratio, std::log2(ratio)};
}

std::string number(std::optional<double> value, bool csv) {
    if (!value) {
        return csv ? "" : "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", *value);
    return text;
}

void print_doubling_header(bool csv) {
    if (csv) {
        std::puts("shape,algorithm,n,comparisons,comparisons_ratio,comparisons_log2,swaps,"
                  "swaps_ratio,swaps_log2,ms,ms_ratio,ms_log2");
    } else {
        std::printf("%-12s %-9s %10s %18s %6s %6s %18s %6s %6s %12s %6s %6s\n", "shape",
                    "algorithm", "n", "comparisons", "ratio", "log2", "swaps", "ratio", "log2",
                    "ms", "ratio", "log2");
    }
}

void print_doubling_row(bool csv, const Input &input, const Algorithm &algorithm, const Run &run,
                        const std::optional<Run> &before) {
    auto previous = [&](auto field) -> std::optional<double> {
        return before ? std::optional<double>(static_cast<double>((*before).*field)) : std::nullopt;
    };
    Growth c = growth(static_cast<double>(run.comparisons), previous(&Run::comparisons));
    Growth s = growth(static_cast<double>(run.swaps), previous(&Run::swaps));
    Growth t = growth(run.milliseconds, previous(&Run::milliseconds));
    if (csv) {
        std::printf("%s,%s,%zu,%llu,%s,%s,%llu,%s,%s,%.3f,%s,%s\n", input.shape.c_str(),
                    algorithm.name, input.values.size(),
                    static_cast<unsigned long long>(run.comparisons), number(c.ratio, true).c_str(),
                    number(c.log2, true).c_str(), static_cast<unsigned long long>(run.swaps),
                    number(s.ratio, true).c_str(), number(s.log2, true).c_str(), run.milliseconds,
                    number(t.ratio, true).c_str(), number(t.log2, true).c_str());
    } else {
        std::printf("%-12s %-9s %10zu %s %6s %6s %s %6s %6s %12.3f %6s %6s\n", input.shape.c_str(),
                    algorithm.name, input.values.size(), table_count(run.comparisons).c_str(),
                    number(c.ratio, false).c_str(), number(c.log2, false).c_str(),
                    table_count(run.swaps).c_str(), number(s.ratio, false).c_str(),
                    number(s.log2, false).c_str(), run.milliseconds, number(t.ratio, false).c_str(),
                    number(t.log2, false).c_str());
    }
}

// Runs every chosen algorithm on every input and prints the rows; returns
// whether every run sorted its input and whether a counter wrapped.
int compare(const Options &options) {
    const std::vector<Input> inputs = make_inputs(options);
    std::size_t largest = 0;
    for (const Input &input : inputs) {
        largest = std::max(largest, input.values.size());
    }
    std::vector<int> values(largest);
    Progress progress;
    bool all_sorted = true;
    bool any_wrapped = false;
    auto note = [&](const Run &run) {
        std::fflush(stdout);
        all_sorted = all_sorted && run.sorted;
        any_wrapped = any_wrapped || run.wrapped;
    };
    if (options.doubling > 0) {
        print_doubling_header(options.csv);
        const std::size_t steps = options.sizes.size();
        for (std::size_t first = 0; first < inputs.size(); first += steps) {
            for (const Algorithm *algorithm : options.algorithms) {
                std::optional<Run> before;
                for (std::size_t k = first; k < first + steps; ++k) {
                    Run run = measure(*algorithm, inputs[k], values, progress);
                    print_doubling_row(options.csv, inputs[k], *algorithm, run, before);
                    note(run);
                    before = run;
                }
            }
        }
    } else {
        print_header(options.csv);
        for (const Input &input : inputs) {
            for (const Algorithm *algorithm : options.algorithms) {
                Run run = measure(*algorithm, input, values, progress);
                print_row(options.csv, input, *algorithm, run);
                note(run);
            }
        }
    }
    if (any_wrapped && !options.csv) {
        std::fputs(wrap_note, stdout);
    }
    return all_sorted ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[]) {
    const Options options = parse_options(argc, argv);
    try {
        return compare(options);
    } catch (const std::bad_alloc &) {
        fail("out of memory: try fewer or smaller inputs");
    }
}
