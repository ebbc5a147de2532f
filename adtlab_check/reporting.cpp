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

// What a call does, with the call itself: "compares -2 with 2
// (goes_before(-2, 2) -> true)", "swaps position 0 with itself (...)".
std::string action(const Call &call) {
    const std::string i = std::to_string(call.first);
    const std::string j = std::to_string(call.second);
    const std::string verb = !call.is_swap()             ? "compares " + i + " with " + j
                             : call.first == call.second ? "swaps position " + i + " with itself"
                                                         : "swaps positions " + i + " and " + j;
    return verb + " (" + call_words(call) + ")";
}

// "on these 2 values your sort's first call swaps positions 1 and 0 (...),
// before comparing any values; the library's compares -2 with 2 (...)":
// what the sort did at the call that differs, after the calls before it.
std::string what_it_did(const Mismatch &m, const CallCounts &before, std::size_t values) {
    const std::string number = std::to_string(m.call + 1);
    std::string text = values == 1 ? "on this 1 value" : "on these " + counted(values, "value");
    const std::string counts = counted(before.comparisons, "comparison") + " and " +
                               counted(before.swaps, "swap") + " as the library's";
    if (!m.got) {
        text += m.call == 0 ? " your sort makes no call" : " your sort stops after " + counts;
        return text + "; the library's call " + number + " " + action(*m.expected);
    }
    text += m.call == 0 ? " your sort's first call "
                        : ", after " + counts + ", your sort's call " + number + " ";
    text += action(*m.got);
    if (m.got->is_swap() && m.expected && !m.expected->is_swap() && before.comparisons == 0) {
        text += ", before comparing any values";
    }
    return text + "; " +
           (m.expected ? "the library's " + action(*m.expected)
                       : "the library makes no more calls");
}

// The line under the differing call: what the sort did there, and, when
// its results were right on every input, that only its calls differ.
std::string mismatch_words(const CheckResult &check, const CallCounts &before) {
    const Mismatch &m = *check.mismatch;
    const std::string did = what_it_did(m, before, check.input->size());
    if (!check.all_sorted) {
        return did;
    }
    if (m.range && m.expected) {
        return "it sorts every input correctly, but partitions differently: the library takes the "
               "first element of positions " +
               std::to_string(m.range->left) + " to " + std::to_string(m.range->right) + ", " +
               std::to_string(m.range->pivot) + ", as pivot and at call " +
               std::to_string(m.call + 1) + " " + action(*m.expected) + "; yours " +
               (m.got ? action(*m.got) : "makes no more calls");
    }
    return "it sorts every input correctly, but its calls differ from the library's at call " +
           std::to_string(m.call + 1) + ": " + did;
}

} // namespace

std::string show_input(const std::vector<int> &values, std::size_t shown) {
    // Appended in steps: g++ 12 at -O3 warns falsely of overlap in "(" + text.
    std::string text = "(";
    text += std::to_string(values.size());
    text += values.size() == 1 ? " value)" : " values)";
    for (std::size_t k = 0; k < values.size() && k < shown; ++k) {
        text += ' ';
        text += std::to_string(values[k]);
    }
    return values.size() > shown ? text + " ..." : text;
}

std::string mismatch_line(const Mismatch &mismatch, const CallCounts &before) {
    return "call " + std::to_string(mismatch.call + 1) + ": expected " + words(mismatch.expected) +
           "; got " + words(mismatch.got) + " (" + counted(before.comparisons, "comparison") +
           " and " + counted(before.swaps, "swap") + " before it)";
}

std::vector<std::string> sort_lines(const CheckResult &check, std::size_t shown) {
    const std::string on = check.input ? "on " + show_input(*check.input, shown) : "";
    if (!check.ending.empty() && check.fault.empty()) {
        return {"it " + check.ending + (on.empty() ? "" : " " + on)};
    }
    std::vector<std::string> lines;
    if (!on.empty()) {
        lines.push_back(on);
    }
    if (!check.fault.empty()) {
        lines.push_back(check.fault);
    } else if (check.mismatch && check.input) {
        const CallCounts before = check.before.value_or(CallCounts{});
        lines.push_back(mismatch_line(*check.mismatch, before));
        lines.push_back(mismatch_words(check, before));
    } else {
        // Every call matched, so the array was changed other than through swap.
        lines.push_back("the result differs from the library's though every call matched: "
                        "change the array only through swap(a, i, j)");
    }
    return lines;
}

std::string joined(const std::vector<std::string> &lines, const std::string &separator) {
    std::string text;
    for (const std::string &line : lines) {
        text += (text.empty() ? "" : separator) + line;
    }
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
