#include "reporting.h"

namespace adtlab::check {

namespace {

std::string words(const std::optional<Call> &call) {
    return call ? call_words(*call) : "no more calls";
}

// "1 swap", "2 swaps"
std::string counted(unsigned long long n, const std::string &thing) {
    return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
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

std::string describe(const Mismatch &mismatch, const std::vector<Call> &expected,
                     const std::vector<Call> &got, bool sorted) {
    const CallCounts before = count_calls(got, mismatch.call);
    std::string text = "call " + std::to_string(mismatch.call + 1) + ": expected " +
                       words(mismatch.expected) + "; got " + words(mismatch.got) + " (" +
                       counted(before.comparisons, "comparison") + " and " +
                       counted(before.swaps, "swap") + " before it)";
    const CallCounts want = count_calls(expected, expected.size());
    const CallCounts made = count_calls(got, got.size());
    const bool no_comparison = want.comparisons > 0 && made.comparisons == 0;
    const bool no_swap = want.swaps > 0 && made.swaps == 0;
    if (!no_comparison && !no_swap) {
        return text;
    }
    text += sorted ? "\n  it sorted the values without calling " : "\n  it never called ";
    text += no_comparison && no_swap ? "goes_before or swap"
            : no_comparison          ? "goes_before"
                                     : "swap";
    text += ": ";
    text += no_comparison ? "compare elements only through goes_before(x, y)" : "";
    text += no_comparison && no_swap ? " and " : "";
    text += no_swap ? "exchange elements only through swap(a, i, j)" : "";
    return text;
}

std::string malformed_line(const std::string &line) {
    const std::string shown = line.size() > 60 ? line.substr(0, 60) + "..." : line;
    return "the harness's report has a malformed line: " + shown;
}

std::string text_verdict(const CheckResult &check) {
    switch (check.status) {
    case Status::missing:
        return check.name + ": missing\n" + (check.why.empty() ? "" : "  " + check.why + "\n");
    case Status::pass:
        return check.inputs == 0 ? check.name + ": conforms\n"
                                 : check.name + ": conforms (" + std::to_string(check.inputs) +
                                       " inputs; results, counts and calls as the library's)\n";
    case Status::fail:
    case Status::error:
        break;
    }
    return check.name + ": does not conform\n  " + check.why + "\n";
}

} // namespace adtlab::check
