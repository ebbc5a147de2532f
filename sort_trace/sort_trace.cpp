// sort_trace: shows every comparison and swap that the library's sorts make,
// drawn from the library's own calls through an observer: as a text trace,
// as JSON, or as a page that plays the sorts side by side in a browser.
#include "ordtally/ordtally.h"

#include "common/input_shapes.h"
#include "common/sort_cli.h"
#include "player_html.h"

#include <getopt.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

using adtlab::detail::parse_number;
using Algorithm = adtlab::detail::SortAlgorithm;

constexpr std::size_t most_for_text = 30;
constexpr std::size_t most_values = 32767; // positions fit in 15 bits in a page

const char usage[] = R"(Usage: sort_trace [OPTION]... [VALUE]...
Sorts the values by selection, insertion and quick sort and shows every
comparison and swap that the library makes, as the library makes them.

Input, one of:
  VALUE...            the integers to sort (at most 32767)
  -f, --file PATH     the whitespace-separated integers of PATH
  -s, --size N        N generated values, 1 to 32767, with
  -p, --shape NAME      random (default), ascending, descending or
                        few-distinct; all but few-distinct are 1 to N
  -r, --seed S          seed of random and few-distinct (default: 1)

  -a, --algorithm A   selection, insertion or quick (repeatable;
                      default: all three)
  -j, --json          print the whole call sequence as JSON
  -o, --html FILE     write a page that plays the sorts side by side
  -h, --help          print this help and exit

The text trace (the default, for at most 30 values) prints a row per swap
with the array after it, the two exchanged positions in brackets, and the
comparisons and swaps so far; a last row per sort has its totals. Bad input
gets one line on standard error and status 2.
)";

struct Options {
    std::vector<int> values;
    std::vector<const Algorithm *> algorithms;
    bool json = false;
    std::optional<std::string> html;
};

[[noreturn]] void fail(const std::string &message) {
    std::fprintf(stderr, "sort_trace: %s\n", message.c_str());
    std::exit(2);
}

long long number_or_fail(const std::string &what, const std::string &text, long long low,
                         long long high) {
    auto value = parse_number(text, low, high);
    if (!value) {
        fail(what + " '" + text + "' is not a number from " + std::to_string(low) + " to " +
             std::to_string(high));
    }
    return *value;
}

// 1 to n in the shape's order; random is a permutation, so that every
// comparison in a page points at two bars of their own.
std::vector<int> generate(const std::string &shape, unsigned int n, std::uint32_t seed) {
    if (shape == "few-distinct") {
        return adtlab::detail::make_input(shape, n, seed);
    }
    std::vector<int> values(n);
    for (unsigned int k = 0; k < n; ++k) {
        values[k] = static_cast<int>(shape == "descending" ? n - k : k + 1);
    }
    if (shape == "random") {
        std::mt19937 generator(seed);
        for (unsigned int k = n; k > 1; --k) {
            std::swap(values[k - 1], values[generator() % k]);
        }
    }
    return values;
}

// Negative values look like options to getopt. A blank in front makes them
// plain arguments, which parse_number reads as before; they keep their place.
void shield_negative_values(int argc, char *argv[], std::vector<std::string> &shielded) {
    shielded.reserve(static_cast<std::size_t>(argc));
    for (int k = 1; k < argc; ++k) {
        if (argv[k][0] == '-' && parse_number(argv[k], INT32_MIN, -1)) {
            shielded.push_back(std::string(" ") + argv[k]);
            argv[k] = shielded.back().data();
        }
    }
}

Options parse_options(int argc, char *argv[]) {
    static const option long_options[] = {{"file", required_argument, nullptr, 'f'},
                                          {"size", required_argument, nullptr, 's'},
                                          {"shape", required_argument, nullptr, 'p'},
                                          {"seed", required_argument, nullptr, 'r'},
                                          {"algorithm", required_argument, nullptr, 'a'},
                                          {"json", no_argument, nullptr, 'j'},
                                          {"html", required_argument, nullptr, 'o'},
                                          {"help", no_argument, nullptr, 'h'},
                                          {nullptr, 0, nullptr, 0}};
    Options options;
    static std::vector<std::string> shielded;
    shield_negative_values(argc, argv, shielded);
    std::optional<std::string> file;
    std::optional<unsigned int> size;
    std::optional<std::string> shape;
    std::uint32_t seed = 1;
    opterr = 0;
    int c;
    // "-" first: values come back in order, as argument 1.
    while ((c = getopt_long(argc, argv, "-:f:s:p:r:a:jo:h", long_options, nullptr)) != -1) {
        const std::string argument = optarg != nullptr ? optarg : "";
        switch (c) {
        case 1:
            options.values.push_back(
                static_cast<int>(number_or_fail("value", argument, INT32_MIN, INT32_MAX)));
            break;
        case 'f':
            file = argument;
            break;
        case 's':
            size = static_cast<unsigned int>(number_or_fail("size", argument, 1, most_values));
            break;
        case 'p':
            if (!adtlab::detail::is_input_shape(argument)) {
                fail("unknown shape '" + argument +
                     "' (random, ascending, descending or few-distinct)");
            }
            shape = argument;
            break;
        case 'r':
            seed = static_cast<std::uint32_t>(number_or_fail("seed", argument, 0, UINT32_MAX));
            break;
        case 'a': {
            const Algorithm *algorithm = adtlab::detail::find_sort(argument);
            if (algorithm == nullptr) {
                fail("unknown algorithm '" + argument + "' (selection, insertion or quick)");
            }
            options.algorithms.push_back(algorithm);
            break;
        }
        case 'j':
            options.json = true;
            break;
        case 'o':
            options.html = argument;
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
    int sources = (options.values.empty() ? 0 : 1) + (file ? 1 : 0) + (size ? 1 : 0);
    if (sources != 1) {
        fail(sources == 0 ? "no values: give them, --file PATH or --size N (try --help)"
                          : "give the values one way only: on the line, --file or --size");
    }
    if ((shape || seed != 1) && !size) {
        fail("--shape and --seed go with --size");
    }
    if (options.json && options.html) {
        fail("choose one of --json and --html");
    }
    if (file) {
        adtlab::detail::FileValues read = adtlab::detail::read_values(*file, most_values);
        if (!read.error.empty()) {
            fail(read.error);
        }
        options.values = std::move(read.values);
    } else if (size) {
        options.values = generate(shape.value_or("random"), *size, seed);
    }
    if (options.values.empty() || options.values.size() > most_values) {
        fail("from 1 to 32767 values can be traced");
    }
    if (!options.json && !options.html && options.values.size() > most_for_text) {
        fail(std::to_string(options.values.size()) +
             " values are too many for a text trace (at most 30); try --html FILE");
    }
    if (options.algorithms.empty()) {
        for (const Algorithm &algorithm : adtlab::detail::sort_algorithms) {
            options.algorithms.push_back(&algorithm);
        }
    }
    return options;
}

// One call of goes_before or swap, as the observer saw it. For a comparison,
// first and second are its two values; for a swap, its two positions.
struct Event {
    bool swap;
    int first;
    int second;
    bool result; // of a comparison
};

struct Trace {
    const Algorithm *algorithm;
    unsigned int comparisons; // the library's own counts
    unsigned int swaps;
    std::vector<int> result;
    std::vector<Event> events;
    std::vector<std::vector<int>> after; // the array after each swap, for the text
};

struct Recorder {
    Trace *trace;
    bool keep_arrays;
    std::size_t length;
};

void record_comparison(int x, int y, bool result, void *user) {
    static_cast<Recorder *>(user)->trace->events.push_back({false, x, y, result});
}

void record_swap(const int a[], unsigned int i, unsigned int j, void *user) {
    auto &recorder = *static_cast<Recorder *>(user);
    recorder.trace->events.push_back({true, static_cast<int>(i), static_cast<int>(j), false});
    if (recorder.keep_arrays) {
        recorder.trace->after.emplace_back(a, a + recorder.length);
    }
}

Trace run(const Algorithm &algorithm, const std::vector<int> &input, bool keep_arrays) {
    Trace trace{&algorithm, 0, 0, input, {}, {}};
    Recorder recorder{&trace, keep_arrays, input.size()};
    const order_observer observer = {record_comparison, record_swap, &recorder};
    reset_comparisons_counter();
    reset_swaps_counter();
    watch_order(&observer);
    algorithm.sort(trace.result.data(), static_cast<unsigned int>(input.size()));
    watch_order(nullptr);
    trace.comparisons = comparisons_number();
    trace.swaps = swaps_number();
    return trace;
}

// The text trace ------------------------------------------------------------

std::string cell(int value, bool marked, std::size_t width) {
    std::string text = std::to_string(value);
    text = marked ? "[" + text + "]" : " " + text + " ";
    return std::string(width + 2 - text.size(), ' ') + text;
}

std::string array_text(const std::vector<int> &values, long i, long j, std::size_t width) {
    std::string text;
    for (std::size_t k = 0; k < values.size(); ++k) {
        bool marked = static_cast<long>(k) == i || static_cast<long>(k) == j;
        text += cell(values[k], marked, width);
    }
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

void print_text(const std::vector<int> &input, const std::vector<Trace> &traces) {
    std::size_t width = 1;
    for (int value : input) {
        width = std::max(width, std::to_string(value).size());
    }
    for (const Trace &trace : traces) {
        std::printf("%s sort\n%11s %6s  %s\n", trace.algorithm->name, "comparisons", "swaps",
                    "array");
        std::printf("%11u %6u %s\n", 0u, 0u, array_text(input, -1, -1, width).c_str());
        unsigned int comparisons = 0;
        unsigned int swaps = 0;
        for (const Event &event : trace.events) {
            if (!event.swap) {
                ++comparisons;
                continue;
            }
            const std::vector<int> &after = trace.after[swaps++];
            std::printf("%11u %6u %s\n", comparisons, swaps,
                        array_text(after, event.first, event.second, width).c_str());
        }
        std::printf("%11u %6u %s  total\n\n", trace.comparisons, trace.swaps,
                    array_text(trace.result, -1, -1, width).c_str());
    }
}

// JSON -------------------------------------------------------------------------

std::string json_array(const std::vector<int> &values) {
    std::string text = "[";
    for (std::size_t k = 0; k < values.size(); ++k) {
        text += (k == 0 ? "" : ", ") + std::to_string(values[k]);
    }
    return text + "]";
}

void print_json(const std::vector<int> &input, const std::vector<Trace> &traces) {
    std::printf("{\"input\": %s, \"runs\": [", json_array(input).c_str());
    for (std::size_t r = 0; r < traces.size(); ++r) {
        const Trace &trace = traces[r];
        std::printf("%s{\"algorithm\": \"%s\", \"comparisons\": %u, \"swaps\": %u, "
                    "\"result\": %s, \"events\": [",
                    r == 0 ? "" : ", ", trace.algorithm->name, trace.comparisons, trace.swaps,
                    json_array(trace.result).c_str());
        for (std::size_t k = 0; k < trace.events.size(); ++k) {
            const Event &e = trace.events[k];
            const char *separator = k == 0 ? "" : ", ";
            if (e.swap) {
                std::printf("%s[\"s\", %d, %d]", separator, e.first, e.second);
            } else {
                std::printf("%s[\"c\", %d, %d, %s]", separator, e.first, e.second,
                            e.result ? "true" : "false");
            }
        }
        std::printf("]}");
    }
    std::printf("]}\n");
}

// The page ------------------------------------------------------------------

// Four bytes per call: two little-endian 16-bit words. A swap is 0x8000 | i,
// then j; a comparison is the positions of its two values, the second with
// 0x8000 when goes_before returned true. Positions of values are followed
// through the swaps; of equal values, one of them is shown.
std::string encode_events(const std::vector<int> &input, const Trace &trace) {
    std::vector<int> values = input;
    std::unordered_map<int, unsigned int> position;
    for (unsigned int k = 0; k < values.size(); ++k) {
        position[values[k]] = k;
    }
    std::string bytes;
    bytes.reserve(trace.events.size() * 4);
    auto word = [&](unsigned int w) {
        bytes += static_cast<char>(w & 0xff);
        bytes += static_cast<char>(w >> 8);
    };
    for (const Event &e : trace.events) {
        if (e.swap) {
            auto i = static_cast<unsigned int>(e.first);
            auto j = static_cast<unsigned int>(e.second);
            std::swap(values[i], values[j]);
            position[values[i]] = i;
            position[values[j]] = j;
            word(0x8000 | i);
            word(j);
        } else {
            word(position[e.first]);
            word(position[e.second] | (e.result ? 0x8000 : 0));
        }
    }
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string base64;
    for (std::size_t k = 0; k < bytes.size(); k += 3) {
        std::uint32_t chunk = static_cast<unsigned char>(bytes[k]) << 16;
        chunk |= k + 1 < bytes.size() ? static_cast<unsigned char>(bytes[k + 1]) << 8 : 0;
        chunk |= k + 2 < bytes.size() ? static_cast<unsigned char>(bytes[k + 2]) : 0;
        base64 += digits[(chunk >> 18) & 63];
        base64 += digits[(chunk >> 12) & 63];
        base64 += k + 1 < bytes.size() ? digits[(chunk >> 6) & 63] : '=';
        base64 += k + 2 < bytes.size() ? digits[chunk & 63] : '=';
    }
    return base64;
}

void write_html(const std::string &path, const std::vector<int> &input,
                const std::vector<Trace> &traces) {
    std::string data = "{\"input\": " + json_array(input) + ", \"runs\": [";
    for (std::size_t r = 0; r < traces.size(); ++r) {
        data += std::string(r == 0 ? "" : ", ") + "{\"algorithm\": \"" + traces[r].algorithm->name +
                "\", \"events\": \"" + encode_events(input, traces[r]) + "\"}";
    }
    data += "]}";
    std::string page = player_html;
    const std::string slot = "/*TRACE*/null";
    page.replace(page.find(slot), slot.size(), data);
    std::FILE *file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        fail(path + ": " + std::strerror(errno));
    }
    bool written = std::fwrite(page.data(), 1, page.size(), file) == page.size();
    if (std::fclose(file) != 0 || !written) {
        fail(path + ": cannot write the page");
    }
}

} // namespace

int main(int argc, char *argv[]) {
    const Options options = parse_options(argc, argv);
    const bool text = !options.json && !options.html;
    std::vector<Trace> traces;
    for (const Algorithm *algorithm : options.algorithms) {
        traces.push_back(run(*algorithm, options.values, text));
    }
    if (options.html) {
        write_html(*options.html, options.values, traces);
    } else if (options.json) {
        print_json(options.values, traces);
    } else {
        print_text(options.values, traces);
    }
    return 0;
}
