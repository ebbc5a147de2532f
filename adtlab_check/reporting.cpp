#include "reporting.h"

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

std::string text_verdict(const CheckResult &check) {
    switch (check.status) {
    case Status::missing:
        return check.name + ": missing\n";
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
