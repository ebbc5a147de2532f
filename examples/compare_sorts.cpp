// compare_sorts: runs the three counted sorts on the same inputs and prints
// one row per sort with its comparisons, swaps and milliseconds.
#include "sorting/sorting.h"

#include "common/input_shapes.h"

#include <getopt.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr unsigned int max_size = 100000000;

const char usage[] = R"(Usage: compare_sorts [OPTION]...
Sorts the same inputs by selection, insertion and quick sort and prints, for
each run, the comparisons and swaps it made and the milliseconds of processor
time it took.

  -s, --size N      number of values, 1 to 100000000 (repeatable;
                    default: 1000 and 10000)
  -p, --shape NAME  random, ascending, descending or few-distinct
                    (repeatable; default: all four)
  -r, --seed S      seed of the random and few-distinct inputs (default: 1)
  -f, --file PATH   sort the whitespace-separated integers of PATH instead
  -c, --csv         print comma-separated rows, for plotting
  -h, --help        print this help and exit

The counters are 32-bit and wrap past 4294967295: selection sort passes that
from about 92,700 values on.
)";

struct Options {
    std::vector<unsigned int> sizes;
    std::vector<std::string> shapes;
    std::uint32_t seed = 1;
    std::optional<std::string> file;
    bool csv = false;
};

struct Input {
    std::string shape;
    std::vector<int> values;
};

struct Algorithm {
    const char *name;
    void (*sort)(int[], unsigned int);
};

const Algorithm algorithms[] = {
    {"selection", selection_sort}, {"insertion", insertion_sort}, {"quick", quick_sort}};

[[noreturn]] void fail(const std::string &message) {
    std::fprintf(stderr, "compare_sorts: %s\n", message.c_str());
    std::exit(2);
}

// The whole of `text` as a decimal number within [low, high], or nothing.
std::optional<long long> parse_number(const std::string &text, long long low, long long high) {
    if (text.empty()) {
        return std::nullopt;
    }
    errno = 0;
    char *end = nullptr;
    long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

Options parse_options(int argc, char *argv[]) {
    static const option long_options[] = {{"size", required_argument, nullptr, 's'},
                                          {"shape", required_argument, nullptr, 'p'},
                                          {"seed", required_argument, nullptr, 'r'},
                                          {"file", required_argument, nullptr, 'f'},
                                          {"csv", no_argument, nullptr, 'c'},
                                          {"help", no_argument, nullptr, 'h'},
                                          {nullptr, 0, nullptr, 0}};
    Options options;
    opterr = 0;
    int c;
    while ((c = getopt_long(argc, argv, ":s:p:r:f:ch", long_options, nullptr)) != -1) {
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
    if (options.sizes.empty()) {
        options.sizes = {1000, 10000};
    }
    if (options.shapes.empty()) {
        options.shapes.assign(std::begin(adtlab::detail::input_shapes),
                              std::end(adtlab::detail::input_shapes));
    }
    return options;
}

std::string read_file(const std::string &path) {
    std::FILE *file = std::fopen(path.c_str(), "r");
    if (file == nullptr) {
        fail(path + ": " + std::strerror(errno));
    }
    std::string text;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, n);
    }
    int read_error = std::ferror(file) != 0 ? errno : 0;
    std::fclose(file);
    if (read_error != 0) {
        fail(path + ": " + std::strerror(read_error));
    }
    return text;
}

std::vector<int> read_values(const std::string &path) {
    std::istringstream text(read_file(path));
    std::vector<int> values;
    for (std::string token; text >> token;) {
        auto value = parse_number(token, INT_MIN, INT_MAX);
        if (!value) {
            fail(path + ": '" + token + "' is not an integer in the int range");
        }
        if (values.size() == UINT_MAX) {
            fail(path + ": more values than a sort can take");
        }
        values.push_back(static_cast<int>(*value));
    }
    return values;
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

struct Run {
    unsigned int comparisons;
    unsigned int swaps;
    double milliseconds;
    bool sorted;
};

// One measurement, in the order the counters and the stopwatch are meant to
// be used: reset, start, sort, then read each once.
Run measure(const Algorithm &algorithm, std::vector<int> values) {
    const auto n = static_cast<unsigned int>(values.size());
    reset_comparisons_counter();
    reset_swaps_counter();
    set_current_time();
    algorithm.sort(values.data(), n);
    Run run{};
    run.milliseconds = calculate_elapsed_time();
    run.comparisons = comparisons_number();
    run.swaps = swaps_number();
    run.sorted = array_is_sorted(values.data(), n);
    return run;
}

void print_header(bool csv) {
    if (csv) {
        std::puts("shape,n,algorithm,comparisons,swaps,ms,sorted");
    } else {
        std::printf("%-12s %10s  %-9s %14s %14s %12s %7s\n", "shape", "n", "algorithm",
                    "comparisons", "swaps", "ms", "sorted");
    }
}

void print_row(bool csv, const Input &input, const Algorithm &algorithm, const Run &run) {
    const char *format =
        csv ? "%s,%zu,%s,%u,%u,%.3f,%s\n" : "%-12s %10zu  %-9s %14u %14u %12.3f %7s\n";
    std::printf(format, input.shape.c_str(), input.values.size(), algorithm.name, run.comparisons,
                run.swaps, run.milliseconds, run.sorted ? "yes" : "no");
}

} // namespace

int main(int argc, char *argv[]) {
    const Options options = parse_options(argc, argv);
    const std::vector<Input> inputs = make_inputs(options);
    print_header(options.csv);
    bool all_sorted = true;
    for (const Input &input : inputs) {
        for (const Algorithm &algorithm : algorithms) {
            Run run = measure(algorithm, input.values);
            print_row(options.csv, input, algorithm, run);
            std::fflush(stdout);
            all_sorted = all_sorted && run.sorted;
        }
    }
    return all_sorted ? 0 : 1;
}
