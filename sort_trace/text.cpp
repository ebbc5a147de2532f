#include "text.h"

#include "sort_calls/formulas.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

namespace sort_trace {

namespace {

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

// The rows of one sort. The sorts change the array by swap alone, so the
// array after each swap is the input with the swaps so far made on it.
void print_trace(const std::vector<int> &input, const Trace &trace, std::size_t width) {
    std::printf("%s sort\n%11s %6s  %s\n", trace.algorithm->name, "comparisons", "swaps", "array");
    std::printf("%11u %6u %s\n", 0u, 0u, array_text(input, -1, -1, width).c_str());
    std::vector<int> values = input;
    unsigned int comparisons = 0;
    unsigned int swaps = 0;
    for (const adtlab::Call &call : trace.recording.calls) {
        if (!call.is_swap()) {
            ++comparisons;
            continue;
        }
        std::swap(values[static_cast<unsigned int>(call.first)],
                  values[static_cast<unsigned int>(call.second)]);
        std::printf("%11u %6u %s\n", comparisons, ++swaps,
                    array_text(values, call.first, call.second, width).c_str());
    }
    std::printf("%11llu %6llu %s  total\n", trace.comparisons, trace.swaps,
                array_text(trace.result, -1, -1, width).c_str());
}

// Under the totals, what they must be where a formula says so; no line where
// none does. Worked out once the sorts are recorded, so that the
// comparisons it makes show in no count.
void print_expected(const std::vector<int> &input, const Trace &trace) {
    const adtlab::ExpectedCounts expected = adtlab::expected_counts(*trace.algorithm, input);
    if (!expected.comparisons && !expected.swaps) {
        return;
    }
    auto number = [](const std::optional<std::uint64_t> &count) {
        return count ? std::to_string(*count) : std::string("-");
    };
    auto rule = [](const std::string &words) { return words.empty() ? "no formula" : words; };
    const bool differs = adtlab::differs_from_formula(expected.comparisons, trace.comparisons) ||
                         adtlab::differs_from_formula(expected.swaps, trace.swaps);
    std::printf("%11s %6s  expected: comparisons = %s, swaps = %s%s\n",
                number(expected.comparisons).c_str(), number(expected.swaps).c_str(),
                rule(expected.comparisons_rule).c_str(), rule(expected.swaps_rule).c_str(),
                differs ? "; the counts differ: a fault of the library" : "");
}

} // namespace

void print_text(const std::vector<int> &input, const std::vector<Trace> &traces) {
    std::size_t width = 1;
    for (int value : input) {
        width = std::max(width, std::to_string(value).size());
    }
    for (const Trace &trace : traces) {
        print_trace(input, trace, width);
        print_expected(input, trace);
        std::putchar('\n');
    }
}

} // namespace sort_trace
