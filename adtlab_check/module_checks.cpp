// Runs the queue, stack and fixed-string checks: sends a check's script to
// the harness, reads one numbered answer per operation and judges each
// against the script's.
#include "module_checks.h"

#include "module_scripts.h"
#include "reporting.h"
#include "seeding.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace adtlab::check {

namespace {

constexpr std::size_t report_limit = std::size_t{16} << 20; // bytes a check's answers take at most

// The text of a dump, unescaped; nothing for a bad escape.
std::optional<std::string> unescape(const std::string &text) {
    std::string bytes;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] != '\\') {
            bytes += text[k];
            continue;
        }
        const std::optional<std::string> byte =
            text.compare(k, 2, "\\x") == 0 ? unhex(text.substr(k + 2, 2)) : std::nullopt;
        if (!byte || byte->size() != 1) {
            return std::nullopt;
        }
        bytes += *byte;
        k += 3;
    }
    return bytes;
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The numbers above 7000 in magnitude that a dump shows, in order.
std::string dumped(const std::string &text) {
    std::string numbers;
    const char *end = text.data() + text.size();
    for (const char *p = text.data(); p < end;) {
        if (!is_digit(*p) && !(*p == '-' && p + 1 < end && is_digit(p[1]))) {
            ++p;
            continue;
        }
        long long value = 0;
        const auto [next, error] = std::from_chars(p, end, value);
        const bool shown = error == std::errc() && (value > 7000 || value < -7000);
        if (shown) { // appended in steps, past g++ 12's false -Wrestrict at -O3
            numbers += numbers.empty() ? "" : " ";
            numbers += std::to_string(value);
        }
        p = next > p ? next : p + 1;
        while (p < end && is_digit(*p)) { // past a number too long for its type
            ++p;
        }
    }
    return numbers;
}

// Whether every word of `text` is a number of the type.
bool numbers_only(const std::string &text, bool negative) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t space = text.find(' ', at);
        const std::string word = text.substr(at, space == std::string::npos ? space : space - at);
        std::int64_t value = 0;
        const auto [next, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (word.empty() || error != std::errc() || next != word.data() + word.size() ||
            (!negative && word[0] == '-')) {
            return false;
        }
        at = space == std::string::npos ? text.size() : space + 1;
    }
    return true;
}

// The answer in a script's words ("size 3", "dump 7001 -7002", ...), or
// nothing when it is none of the harness's.
std::optional<std::string> answer(const std::string &text) {
    const std::size_t space = text.find(' ');
    const std::string word = text.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : text.substr(space + 1);
    if (text == "done" || text == "bool true" || text == "bool false" || text == "array null") {
        return text;
    }
    if (word == "dump" && space != std::string::npos) {
        const std::optional<std::string> bytes = unescape(rest);
        if (!bytes) {
            return std::nullopt;
        }
        std::string said = "dump ";
        said += dumped(*bytes);
        return said;
    }
    const bool numbers = (word == "size" && !rest.empty() && numbers_only(rest, false) &&
                          rest.find(' ') == std::string::npos) ||
                         (word == "array" && !rest.empty() && numbers_only(rest, true));
    const std::size_t second = rest.find(' ');
    const bool texts = word == "set" && second != std::string::npos &&
                       unhex(rest.substr(0, second)) && unhex(rest.substr(second + 1));
    return numbers || texts ? std::optional<std::string>(text) : std::nullopt;
}

// "7001 -7002", or "nothing"; twelve values at most.
std::string list_words(const std::string &numbers) {
    if (numbers.empty()) {
        return "nothing";
    }
    std::size_t at = 0;
    for (int k = 0; k < 12 && at != std::string::npos; ++k) {
        at = numbers.find(' ', at + 1);
    }
    if (at == std::string::npos) {
        return numbers;
    }
    const auto count = std::count(numbers.begin(), numbers.end(), ' ') + 1;
    return numbers.substr(0, at) + " ... (" + std::to_string(count) + " values)";
}

// A fixed string's bytes up to its terminator, in words.
std::string buffer_words(const std::string &digits) {
    const std::string bytes = unhex(digits).value_or("");
    const std::size_t end = bytes.find('\0');
    return end == std::string::npos ? "no terminator within 100 bytes"
                                    : quoted(bytes.substr(0, end));
}

// What an answer says, as expected ("the dump to show ...", "3") or as got
// ("it showed ...", "it returned 4").
std::string answer_words(const std::string &said, bool expected) {
    const std::size_t space = said.find(' ');
    const std::string word = said.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : said.substr(space + 1);
    if (word == "dump") {
        return (expected ? "the dump to show " : "it showed ") + list_words(rest);
    }
    if (word == "array") {
        return rest == "null" ? "it returned NULL"
                              : (expected ? "the array to hold " : "it held ") + list_words(rest) +
                                    (expected ? " (top first)" : "");
    }
    if (word == "set") {
        const std::size_t second = rest.find(' ');
        return (expected ? "the target to hold " : "the target held ") +
               buffer_words(rest.substr(0, second)) + " and the source " +
               buffer_words(rest.substr(second + 1));
    }
    const std::string value = word == "bool" || word == "size" ? rest : said;
    return expected ? value : "it returned " + value;
}

// "queue_dump(q, file) after queue_empty(), queue_enqueue of 7001"
std::string step_words(const Step &step) {
    return step.after.empty() ? step.call : step.call + " after " + step.after;
}

// Line k of the report: "K ANSWER"; false with the verdict when it is not
// step k's expected answer.
bool judge(const Step &step, std::size_t k, const std::string &line, CheckResult &result) {
    const std::string number = std::to_string(k) + " ";
    const std::optional<std::string> said =
        line.rfind(number, 0) == 0 ? answer(line.substr(number.size())) : std::nullopt;
    const auto kind = [](const std::string &text) { return text.substr(0, text.find(' ')); };
    if (!said || kind(*said) != kind(step.expected)) {
        result.status = Status::fail;
        result.got = line.substr(0, 200);
        result.why = "in " + step_words(step) + "\n  " + malformed_line(line);
        return false;
    }
    if (*said == step.expected) {
        return true;
    }
    result.status = Status::fail;
    result.expected = answer_words(step.expected, true);
    result.got = answer_words(*said, false);
    result.why = step_words(step) + ": expected " + result.expected + "; " + result.got;
    return false;
}

// A child that stopped answering before step k, or wrote on the checker's
// channel: a crash, a time-out or an exit is an error; a flood of its report
// or a write on the channel a failure.
void stopped(Child &child, bool timed_out, const std::string &where, CheckResult &result) {
    Ending ending = finish(child, timed_out || child.flooded);
    if (ending.kind == EndingKind::wrote_on_channel) {
        result.status = Status::fail;
        result.why = where + "\n  it " + record_ending(result, ending, child.limits);
        return;
    }
    if (child.flooded) {
        result.status = Status::fail;
        result.why = "the harness's report ran over " + std::to_string(report_limit >> 20) +
                     " MiB " + where + ": the module writes into it";
        return;
    }
    result.status = Status::error;
    if (ending.kind == EndingKind::exited) {
        ending.kind = EndingKind::stopped_early;
    }
    result.why = "it " + record_ending(result, ending, child.limits) + " " + where;
}

// "channel": the harness stopped after an operation that wrote on the
// checker's channel, which it did when the channel holds what it wrote.
bool wrote_on_channel(const Child &child, const std::string &line) {
    return line == "channel" && channel_written(child);
}

// The steps of check `name` of a module kind, for a seed.
std::vector<Step> script(const Kind &kind, const std::string &name, unsigned long long seed) {
    std::mt19937_64 random = seeded_random(seed, name);
    for (const ModuleCheck &check : kind.operations) {
        if (name == check.name) {
            return check.steps(random);
        }
    }
    return {};
}

CheckResult run_check(const Kind &kind, const std::string &name, const Harness &harness) {
    const std::vector<Step> steps = script(kind, name, harness.seed);
    std::string commands;
    for (const Step &step : steps) {
        commands += step.command + '\n';
    }
    CheckResult result;
    result.name = name;
    Child child = start(harness, std::string(kind.name), commands);
    child.read_limit = report_limit;
    bool timed_out = false;
    for (std::size_t k = 0; k < steps.size(); ++k) {
        const std::optional<std::string> line = next_line(child, timed_out);
        if (!line) {
            stopped(child, timed_out, "in " + step_words(steps[k]), result);
            return result;
        }
        if (k > 0 && wrote_on_channel(child, *line)) {
            stopped(child, true, "in " + step_words(steps[k - 1]), result);
            return result;
        }
        if (!judge(steps[k], k, *line, result)) {
            finish(child, true); // the verdict is in: stop it
            return result;
        }
    }
    if (const std::optional<std::string> line = next_line(child, timed_out)) {
        if (!steps.empty() && wrote_on_channel(child, *line)) {
            stopped(child, true, "in " + step_words(steps.back()), result);
            return result;
        }
        finish(child, true);
        result.status = Status::fail;
        result.why = "after its last operation\n  " + malformed_line(*line);
        return result;
    }
    if (child.flooded || timed_out || channel_written(child)) {
        stopped(child, true, "after its last operation", result);
        return result;
    }
    if (const Ending ending = finish(child, false); ending.kind != EndingKind::exited) {
        result.status = ending.kind == EndingKind::wrote_on_channel ? Status::fail : Status::error;
        const std::string words = record_ending(result, ending, child.limits);
        result.why = ending.kind == EndingKind::wrote_on_channel
                         ? "after its last operation\n  it " + words
                         : "it " + words + " after its last operation";
        return result;
    }
    result.points = 1;
    return result;
}

} // namespace

std::vector<std::string> module_check_names(const Kind &kind, const Assignment &) {
    std::vector<std::string> names;
    for (const ModuleCheck &check : kind.operations) {
        names.emplace_back(check.name);
    }
    return names;
}

std::vector<CheckResult> check_module(const Kind &kind, const Assignment &, const Harness &harness,
                                      bool) {
    std::vector<CheckResult> results;
    for (const ModuleCheck &check : kind.operations) {
        results.push_back(run_check(kind, check.name, harness));
    }
    return results;
}

} // namespace adtlab::check
