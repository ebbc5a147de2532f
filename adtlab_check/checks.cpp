#include "checks.h"

#include "child.h"
#include "matching.h"
#include "object_scan.h"
#include "reporting.h"
#include "seeding.h"

#include "sort_inputs/shapes.h"
#include "sort_inputs/values.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <optional>
#include <random>
#include <sstream>
#include <string_view>
#include <vector>

namespace adtlab::check {

namespace {

using Input = std::vector<int>;

// Inputs of 2 to 120 values chosen from the seed, some of them extremes;
// the battery has the long ones.
void add_seeded_inputs(std::vector<Input> &inputs, unsigned long long seed) {
    std::mt19937_64 random = seeded_random(seed, "sorts");
    for (int k = 0; k < 8; ++k) {
        Input values(2 + random() % 119);
        const bool extreme = random() % 4 == 0;
        for (int &v : values) {
            v = extreme ? static_cast<int>(static_cast<unsigned int>(random()))
                        : static_cast<int>(random() % 2001) - 1000;
        }
        inputs.push_back(values);
    }
}

// The inputs, smallest first, so that the first failure is on the smallest:
// the same battery every time, and inputs chosen from the seed.
std::vector<Input> battery(unsigned long long seed) {
    std::vector<Input> inputs = {{3, -1, 2}, {2, -2},         {-2, 2},
                                 {1, 2, 3},  {5, 4, 3, 2, 1}, {-5, 5, 0, -5}};
    // A fixed seed: the same battery every time, so that reports repeat.
    std::mt19937 generator(2024); // NOLINT(cert-msc32-c,cert-msc51-cpp)
    for (unsigned int n = 0; n <= 40; ++n) {
        Input values(n);
        for (int &v : values) {
            v = static_cast<int>(generator() % 101) - 50;
        }
        inputs.push_back(values);
    }
    const int extremes[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
    for (unsigned int n : {100u, 200u, 300u}) {
        for (std::string_view shape : default_input_shapes) {
            inputs.push_back(make_input(shape, n, n));
        }
        Input values(n);
        for (int &v : values) {
            v = extremes[generator() % 7];
        }
        inputs.push_back(values);
    }
    add_seeded_inputs(inputs, seed);
    std::stable_sort(inputs.begin(), inputs.end(),
                     [](const auto &a, const auto &b) { return a.size() < b.size(); });
    return inputs;
}

// The harness reads "N V..." per input.
std::string inputs_text(const std::vector<Input> &inputs) {
    std::ostringstream out;
    for (const Input &values : inputs) {
        out << values.size();
        for (int v : values) {
            out << ' ' << v;
        }
        out << '\n';
    }
    return out.str();
}

// A sort's report as read so far: the input it is on, that input's calls,
// how many inputs came back as the library's, and any verdict. Past the
// first input whose calls differ, only each input's result is read.
struct SortReport {
    const SortAlgorithm &algorithm;
    const std::vector<Input> &inputs;
    CheckResult *result; // where the verdict goes
    bool keep_calls;     // for a page
    std::optional<std::size_t> current = std::nullopt;
    bool open = false; // between "begin" and its "end"
    std::vector<Call> calls = {};
    std::size_t done = 0;
    std::size_t ends = 0; // "end" lines read
    bool missing = false;
    bool stopped = false;  // a fault or a missing sort: the verdict is in
    bool differed = false; // an input's calls differed from the library's
    bool all_sorted = true;
    // Its calls on the input a page shows if it conforms, and on the input
    // whose calls differed.
    std::optional<SortCalls> small = std::nullopt;
    std::optional<SortCalls> failed = std::nullopt;
};

// The calls on the current input, as many as a page keeps.
SortCalls kept_calls(const SortReport &report) {
    const std::size_t kept = std::min(report.calls.size(), page_call_limit);
    return {&report.algorithm,
            report.inputs[*report.current],
            {report.calls.begin(), report.calls.begin() + static_cast<std::ptrdiff_t>(kept)},
            kept < report.calls.size(),
            !report.open};
}

// What a page shows of the sort: its calls on the input that failed, or on
// a small input when it conforms; none when it is missing or failed before
// its first input.
std::optional<SortCalls> shown_calls(const SortReport &report, Status status) {
    if (status == Status::missing) {
        return SortCalls{};
    }
    if (status == Status::pass) {
        return report.small;
    }
    if (report.failed) {
        return report.failed;
    }
    return report.current ? kept_calls(report) : SortCalls{};
}

// A call in words, or "no more calls".
std::string call_or_end(const std::optional<Call> &call) {
    return call ? call_words(*call) : "no more calls";
}

// A line that is none of the harness's, or out of its place: a fault, or
// past a differing input, the end of reading.
bool malformed(SortReport &report, const std::string &line) {
    if (report.differed) {
        report.all_sorted = false;
    } else {
        report.result->fault = malformed_line(line);
    }
    report.stopped = true;
    return false;
}

// "end K V...": the line the harness writes after input K, sorted or not.
bool ends_input(const std::string &line, std::size_t k) {
    const std::string head = "end " + std::to_string(k);
    return line.rfind(head, 0) == 0 && (line.size() == head.size() || line[head.size()] == ' ');
}

// "end K V...", the values sorted right.
std::string sorted_end(std::size_t k, const Input &sorted) {
    std::string line = "end " + std::to_string(k);
    for (int v : sorted) {
        line += ' ';
        line += std::to_string(v);
    }
    return line;
}

// "end K V...": the calls and the result on the current input against the
// library's; true while they agree.
bool judge_input(SortReport &report, const std::string &line) {
    const Input &input = report.inputs[*report.current];
    Input sorted = input;
    const std::vector<Call> expected = record_calls(report.algorithm, sorted);
    const std::string right = sorted_end(*report.current, sorted);
    if (report.differed) {
        report.all_sorted = report.all_sorted && line == right;
        return true;
    }
    CheckResult &result = *report.result;
    result.input = input;
    result.input_sorted = line == right;
    result.mismatch = match_sort(report.algorithm, input, expected, report.calls);
    if (result.mismatch) {
        result.expected = call_or_end(result.mismatch->expected);
        result.got = call_or_end(result.mismatch->got);
        result.before = count_calls(report.calls, result.mismatch->call);
        report.differed = true;
        report.all_sorted = result.input_sorted;
        if (report.keep_calls) {
            report.failed = kept_calls(report);
        }
        return true; // read on: are the other results right?
    }
    if (result.input_sorted) {
        result.input.reset();
        return true;
    }
    result.expected = right;
    result.got = line;
    report.stopped = true;
    return false;
}

// "past I J": a swap of the current input past its end, which the harness
// did not make; its words, or a malformed line's.
bool past_end(SortReport &report, const std::string &line) {
    const std::size_t n = report.inputs[*report.current].size();
    const std::size_t space = line.find(' ', 5);
    const std::optional<long long> first =
        parse_number(line.substr(5, space == std::string::npos ? 0 : space - 5), 0, UINT_MAX);
    const std::optional<long long> second = space == std::string::npos
                                                ? std::nullopt
                                                : parse_number(line.substr(space + 1), 0, UINT_MAX);
    if (!first || !second ||
        (*first < static_cast<long long>(n) && *second < static_cast<long long>(n))) {
        return malformed(report, line);
    }
    const auto i = static_cast<unsigned int>(*first);
    const auto j = static_cast<unsigned int>(*second);
    report.stopped = true;
    if (report.differed) { // past a differing input: only its result is at stake
        report.all_sorted = false;
        return false;
    }
    const unsigned int past = i >= n ? i : j;
    const std::string outside =
        i >= n && j >= n && i != j
            ? "positions " + std::to_string(i) + " and " + std::to_string(j) + " are"
            : "position " + std::to_string(past) + " is";
    report.result->input = report.inputs[*report.current];
    report.result->fault = "call " + std::to_string(report.calls.size() + 1) + ": swap(a, " +
                           std::to_string(i) + ", " + std::to_string(j) + ") on " +
                           std::to_string(n) + (n == 1 ? " value: " : " values: ") + outside +
                           " past the end";
    return false;
}

// "begin NAME_sort K": input K starts, which must be the next one.
bool begin_input(SortReport &report, const std::string &line) {
    const std::size_t next = report.differed ? report.ends : report.done;
    const std::string want = "begin " + report.result->name + " " + std::to_string(next);
    if (report.open || line != want || next >= report.inputs.size()) {
        return malformed(report, line);
    }
    report.current = next;
    report.open = true;
    report.calls.clear();
    return true;
}

// "end K V...": input K ended.
bool end_input(SortReport &report, const std::string &line) {
    report.open = false;
    if (!ends_input(line, *report.current)) {
        return malformed(report, line);
    }
    ++report.ends;
    if (!judge_input(report, line)) {
        return false;
    }
    if (!report.differed) {
        ++report.done;
        if (!report.small && report.inputs[*report.current].size() == page_input_size) {
            report.small = kept_calls(report);
        }
    }
    return true;
}

// Takes one line of the report; false once it gave a verdict.
bool take_line(SortReport &report, const std::string &line) {
    // "missing NAME_sort" of this sort alone, before any input; any other
    // (another sort's, a forged one) is malformed.
    if (line == "missing " + report.result->name && !report.current) {
        report.missing = true;
        report.stopped = true;
        return false;
    }
    if (line.rfind("begin ", 0) == 0) {
        return begin_input(report, line);
    }
    if (line.rfind("past ", 0) == 0 && report.open) {
        return past_end(report, line);
    }
    if (line.rfind("end", 0) == 0 && report.open) {
        return end_input(report, line);
    }
    const std::optional<Call> call = parse_call_json(line);
    if (!call || !report.open) {
        return malformed(report, line);
    }
    if (!report.differed) {
        report.calls.push_back(*call);
    }
    return true;
}

// "quick_sort": a sort's check, named as its C function is.
std::string check_name(const SortAlgorithm &algorithm) {
    return std::string(algorithm.name) + "_sort";
}

// Why a sort is missing, where its name says more than that: a C++
// definition, whose mangled name no C caller finds.
std::string missing_words(const std::string &name,
                          const std::vector<std::filesystem::path> &objects) {
    const std::string symbol = cxx_definition(objects, name);
    if (symbol.empty()) {
        return "";
    }
    return "it is defined as C++, under the name " + symbol +
           ", which C code does not call: declare it extern \"C\", as sorting/sorting.h does";
}

// A run that ended on an open input: where its calls first differ from the
// library's, or stop.
void stopped_on(const SortReport &report, CheckResult &result) {
    const Input &input = report.inputs[*report.current];
    result.input = input;
    if (report.open) {
        Input sorted = input;
        result.mismatch = match_sort(report.algorithm, input,
                                     record_calls(report.algorithm, sorted), report.calls);
    }
}

// The verdict, once the report has given one or ended. Writing on the
// checker's channel comes first: what the report then holds may be off.
void conclude(const SortReport &report, Child &child, bool timed_out) {
    CheckResult &result = *report.result;
    result.inputs = report.done;
    const bool given = report.stopped || channel_written(child);
    Ending ending = finish(child, given || timed_out); // a verdict given: stop it
    if (ending.kind == EndingKind::wrote_on_channel) {
        result.status = Status::fail;
        result.fault = "it " + record_ending(result, ending, child.limits);
        if (report.current) {
            result.input = report.inputs[*report.current];
        }
        return;
    }
    if (report.missing || report.differed || report.stopped) {
        result.status = report.missing ? Status::missing : Status::fail;
        // The battery read to its end, every result right, a normal exit.
        result.all_sorted = report.differed && report.all_sorted &&
                            report.ends == report.inputs.size() &&
                            ending.kind == EndingKind::exited && !timed_out;
        if (!report.missing && report.current && !result.input) {
            result.input = report.inputs[*report.current];
        }
        return;
    }
    if (ending.kind == EndingKind::exited && report.done != report.inputs.size()) {
        ending.kind = EndingKind::stopped_early;
    }
    if (ending.kind != EndingKind::exited) {
        result.status = ending.kind == EndingKind::stopped_early ? Status::fail : Status::error;
        record_ending(result, ending, child.limits);
        if (report.current) {
            stopped_on(report, result);
        }
        return;
    }
    result.points = 1;
}

} // namespace

CheckResult check_sort(const SortAlgorithm &algorithm, const Harness &harness, bool keep_calls) {
    const std::vector<Input> inputs = battery(harness.seed);
    CheckResult result;
    result.name = check_name(algorithm);
    Child child = start(harness, algorithm.name, inputs_text(inputs));
    SortReport report{algorithm, inputs, &result, keep_calls};
    bool timed_out = false;
    for (std::optional<std::string> line; (line = next_line(child, timed_out));) {
        if (!take_line(report, *line)) {
            break;
        }
    }
    conclude(report, child, timed_out);
    if (result.status == Status::missing) {
        result.why = missing_words(result.name, harness.objects);
    } else if (result.status != Status::pass) {
        result.why = joined(sort_lines(result), "\n  ");
    }
    if (keep_calls) {
        result.shown = shown_calls(report, result.status);
        if (result.shown) {
            result.shown->algorithm = &algorithm;
        }
    }
    return result;
}

std::vector<std::string> sort_check_names(const Kind &, const Assignment &assignment) {
    std::vector<std::string> names;
    for (const SortAlgorithm *algorithm : assignment.sorts) {
        names.push_back(check_name(*algorithm));
    }
    return names;
}

std::vector<CheckResult> check_sorts(const Kind &, const Assignment &assignment,
                                     const Harness &harness, bool keep_calls) {
    std::vector<CheckResult> checks;
    for (const SortAlgorithm *algorithm : assignment.sorts) {
        checks.push_back(check_sort(*algorithm, harness, keep_calls));
    }
    return checks;
}

} // namespace adtlab::check
