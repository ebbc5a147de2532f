// Benchmarks of the three counted sorts: time, comparisons and swaps per run
// over input shapes and sizes; an inline copy of each sort, to show what
// counting through ordtally costs; and std::sort as the scale of a library
// sort that counts nothing.
//
//     sorts_bench [Google Benchmark options]
//     sorts_bench --targets [--rounds N]
//
// --targets times the library against its inline copy on the three target
// inputs, alternating the two, and prints the ratio of the medians.
#include "inline_sorts.h"

#include "sort_inputs/shapes.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

using adtlab::default_input_shapes;
using adtlab::make_input;
using inline_sorts::Counts;
using Algorithm = inline_sorts::PairedSort;

constexpr std::uint32_t seed = 1;

const std::vector<Algorithm> algorithms = inline_sorts::paired_sorts();

const Algorithm *find_algorithm(std::string_view name) {
    for (const Algorithm &algorithm : algorithms) {
        if (name == algorithm.library->name) {
            return &algorithm;
        }
    }
    return nullptr;
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
        // Quick sort is quadratic on input in order, and on long runs of equal
        // values too: it goes further on random input only.
        for (const Algorithm &algorithm : algorithms) {
            const std::string name = algorithm.library->name;
            bool fast = name == "quick" && shape == "random";
            unsigned int largest = fast ? 1u << 20 : 1u << 15;
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

struct Target {
    const Algorithm *algorithm;
    unsigned int n;
};

int run_targets(int rounds) {
    const Target targets[] = {{find_algorithm("quick"), 1000000},
                              {find_algorithm("insertion"), 20000},
                              {find_algorithm("selection"), 20000}};
    constexpr double limit = 1.10;
    std::printf("%-10s %8s %12s %12s %7s  %s\n", "algorithm", "n", "library ms", "inline ms",
                "ratio", "target");
    for (const Target &target : targets) {
        const std::vector<int> input = make_input("random", target.n, seed);
        std::vector<double> library_ms;
        std::vector<double> inline_ms;
        for (int round = 0; round < rounds; ++round) {
            std::vector<int> values = input;
            double start = cpu_ms();
            Counts library = library_sort(*target.algorithm, values);
            library_ms.push_back(cpu_ms() - start);

            values = input;
            start = cpu_ms();
            Counts copy = inline_sort(*target.algorithm, values);
            inline_ms.push_back(cpu_ms() - start);

            if (copy.comparisons != library.comparisons || copy.swaps != library.swaps) {
                std::fprintf(stderr, "%s: the inline copy counts differently\n",
                             target.algorithm->library->name);
                return 1;
            }
        }
        double ratio = median(library_ms) / median(inline_ms);
        std::printf("%-10s %8u %12.2f %12.2f %7.3f  %s\n", target.algorithm->library->name,
                    target.n, median(library_ms), median(inline_ms), ratio,
                    ratio <= limit ? "met" : "missed");
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
