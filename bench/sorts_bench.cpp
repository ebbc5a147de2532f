// Benchmarks of the library's counted sorts: time, comparisons and swaps per
// run over input shapes and sizes; an inline copy of each sort, to show what
// counting through ordtally costs; and std::sort as the scale of a library
// sort that counts nothing.
//
//     sorts_bench [Google Benchmark options]
//     sorts_bench --targets [--rounds N]
//
// --targets times the library against its inline copy on random input, a
// size for each sort, alternating the two, and prints the ratio of the
// medians.
#include "inline_sorts.h"

#include "sort_inputs/shapes.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iterator>
#include <string>
#include <vector>

namespace {

using adtlab::default_input_shapes;
using adtlab::make_input;
using inline_sorts::Counts;
using Algorithm = inline_sorts::PairedSort;

constexpr std::uint32_t seed = 1;

const std::vector<Algorithm> algorithms = inline_sorts::paired_sorts();

// How far each sort is benchmarked: the largest size on random input and on
// the other shapes, and the size that --targets times. The quadratic sorts,
// and quick and quick3 sort on input in order, stop at 2^15.
struct Sizes {
    unsigned int random_largest;
    unsigned int other_largest;
    unsigned int target;
};

namespace sizes_of {
constexpr Sizes selection{1u << 15, 1u << 15, 20000};
constexpr Sizes insertion{1u << 15, 1u << 15, 20000};
constexpr Sizes quick{1u << 20, 1u << 15, 1000000};
constexpr Sizes bubble{1u << 15, 1u << 15, 20000};
constexpr Sizes shell{1u << 20, 1u << 20, 1000000};
constexpr Sizes heap{1u << 20, 1u << 20, 1000000};
constexpr Sizes quick3{1u << 20, 1u << 15, 1000000};
} // namespace sizes_of

// One for every sort of the list, in its order, or this does not compile.
#define SORT_SIZES(name) sizes_of::name,
constexpr Sizes sizes_by_sort[] = {ADTLAB_SORTS(SORT_SIZES)};
#undef SORT_SIZES

// The list and the table name the same sorts in the same order (sorts.h
// checks it), so a sort's sizes are at its place in the table.
const Sizes &sizes_for(const Algorithm &algorithm) {
    return sizes_by_sort[algorithm.library - std::begin(adtlab::sort_algorithms)];
}

unsigned int size_of(const std::vector<int> &v) {
    return static_cast<unsigned int>(v.size());
}

// The sorting order without counting, for std::sort.
bool strictly_before(int x, int y) {
    auto mx = static_cast<std::int64_t>(x < 0 ? -static_cast<std::int64_t>(x) : x);
    auto my = static_cast<std::int64_t>(y < 0 ? -static_cast<std::int64_t>(y) : y);
    return mx < my || (mx == my && x < y);
}

// One sort of values by the library, measured as a driver measures it.
Counts library_sort(const Algorithm &algorithm, std::vector<int> &values) {
    reset_comparisons_counter();
    reset_swaps_counter();
    algorithm.library->sort(values.data(), size_of(values));
    Counts counts;
    counts.comparisons = comparisons_count();
    counts.swaps = swaps_count();
    return counts;
}

// The same sort by the inline copy.
Counts inline_sort(const Algorithm &algorithm, std::vector<int> &values) {
    Counts counts;
    algorithm.inline_copy(values.data(), size_of(values), counts);
    return counts;
}

using Contender = Counts (*)(const Algorithm &, std::vector<int> &);

// Each run sorts a fresh copy of the input; the copy is inside the timing,
// the same for every contender.
void run_counted(benchmark::State &state, const Algorithm *algorithm, Contender sort,
                 const std::vector<int> &input) {
    double comparisons = 0;
    double swaps = 0;
    for (auto _ : state) {
        std::vector<int> values = input;
        Counts counts = sort(*algorithm, values);
        comparisons += counts.comparisons;
        swaps += counts.swaps;
        benchmark::DoNotOptimize(values.data());
    }
    state.counters["comparisons"] =
        benchmark::Counter(comparisons, benchmark::Counter::kAvgIterations);
    state.counters["swaps"] = benchmark::Counter(swaps, benchmark::Counter::kAvgIterations);
}

// The loop over state runs the benchmark and so changes it: it cannot be const.
// cppcheck-suppress constParameterCallback
void run_std_sort(benchmark::State &state, const std::vector<int> &input) {
    for (auto _ : state) {
        std::vector<int> values = input;
        std::sort(values.begin(), values.end(), strictly_before);
        benchmark::DoNotOptimize(values.data());
    }
}

std::vector<unsigned int> sizes(unsigned int largest) {
    std::vector<unsigned int> result;
    for (unsigned int n = 1u << 8; n <= largest; n *= 4) {
        result.push_back(n);
    }
    if (result.back() != largest) {
        result.push_back(largest);
    }
    return result;
}

void register_benchmarks() {
    for (std::string_view shape_view : default_input_shapes) {
        const std::string shape(shape_view);
        for (const Algorithm &algorithm : algorithms) {
            const std::string name = algorithm.library->name;
            const Sizes &limits = sizes_for(algorithm);
            unsigned int largest = shape == "random" ? limits.random_largest : limits.other_largest;
            for (unsigned int n : sizes(largest)) {
                std::vector<int> input = make_input(shape, n, seed);
                std::string suffix = name + "/" + shape + "/" + std::to_string(n);
                benchmark::RegisterBenchmark(("library/" + suffix).c_str(), run_counted, &algorithm,
                                             library_sort, input)
                    ->Unit(benchmark::kMillisecond);
                if (shape == "random") {
                    benchmark::RegisterBenchmark(("inline/" + suffix).c_str(), run_counted,
                                                 &algorithm, inline_sort, input)
                        ->Unit(benchmark::kMillisecond);
                }
            }
        }
        for (unsigned int n : sizes(1u << 20)) {
            benchmark::RegisterBenchmark(("std_sort/" + shape + "/" + std::to_string(n)).c_str(),
                                         run_std_sort, make_input(shape, n, seed))
                ->Unit(benchmark::kMillisecond);
        }
    }
}

// --targets: processor time of one sort, in milliseconds.
double cpu_ms() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The median processor times of the library and of the inline copy over
// `rounds` alternating runs on `input`; false when the copy counts otherwise.
bool time_pair(const Algorithm &algorithm, const std::vector<int> &input, int rounds,
               double &library_median, double &inline_median) {
    std::vector<double> library_ms;
    std::vector<double> inline_ms;
    for (int round = 0; round < rounds; ++round) {
        std::vector<int> values = input;
        double start = cpu_ms();
        Counts library = library_sort(algorithm, values);
        library_ms.push_back(cpu_ms() - start);

        values = input;
        start = cpu_ms();
        Counts copy = inline_sort(algorithm, values);
        inline_ms.push_back(cpu_ms() - start);

        if (copy.comparisons != library.comparisons || copy.swaps != library.swaps) {
            return false;
        }
    }
    library_median = median(library_ms);
    inline_median = median(inline_ms);
    return true;
}

int run_targets(int rounds) {
    constexpr double limit = 1.10;
    std::printf("%-10s %8s %12s %12s %7s  %s\n", "algorithm", "n", "library ms", "inline ms",
                "ratio", "target");
    for (const Algorithm &algorithm : algorithms) {
        const unsigned int n = sizes_for(algorithm).target;
        double library_ms = 0;
        double inline_ms = 0;
        if (!time_pair(algorithm, make_input("random", n, seed), rounds, library_ms, inline_ms)) {
            std::fprintf(stderr, "%s: the inline copy counts differently\n",
                         algorithm.library->name);
            return 1;
        }
        double ratio = library_ms / inline_ms;
        std::printf("%-10s %8u %12.2f %12.2f %7.3f  %s\n", algorithm.library->name, n, library_ms,
                    inline_ms, ratio, ratio <= limit ? "met" : "missed");
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc >= 2 && std::strcmp(argv[1], "--targets") == 0) {
        int rounds = 7;
        if (argc == 4 && std::strcmp(argv[2], "--rounds") == 0) {
            rounds = std::max(1, std::atoi(argv[3]));
        }
        return run_targets(rounds);
    }
    register_benchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
