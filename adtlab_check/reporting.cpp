#include "reporting.h"

#include <cstdio>

namespace adtlab::check {

namespace {

std::string words(const std::optional<Call> &call) {
    return call ? call_words(*call) : "no more calls";
}

} // namespace

std::string show_input(const std::vector<int> &values) {
    // Appended in steps: g++ 12 at -O3 warns falsely of overlap in "(" + text.
    std::string text = "(";
    text += std::to_string(values.size());
    text += values.size() == 1 ? " value)" : " values)";
    for (std::size_t k = 0; k < values.size() && k < 12; ++k) {
        text += ' ';
        text += std::to_string(values[k]);
    }
    return values.size() > 12 ? text + " ..." : text;
}

std::string describe(const Mismatch &mismatch, const std::vector<Call> &got) {
    const CallCounts before = count_calls(got, mismatch.call);
    return "call " + std::to_string(mismatch.call + 1) + ": expected " + words(mismatch.expected) +
           "; got " + words(mismatch.got) + " (" + std::to_string(before.comparisons) +
           " comparisons and " + std::to_string(before.swaps) + " swaps before it)";
}

void report_missing(const std::string &name) {
    std::printf("%s: missing\n", name.c_str());
}

void report_conforms(const std::string &name, std::size_t inputs) {
    std::printf("%s: conforms (%zu inputs; results, counts and calls as the library's)\n",
                name.c_str(), inputs);
}

void report_conforms(const std::string &name) {
    std::printf("%s: conforms\n", name.c_str());
}

void report_does_not_conform(const std::string &name, const std::string &why) {
    std::printf("%s: does not conform\n  %s\n", name.c_str(), why.c_str());
}

} // namespace adtlab::check
