#include "formats.h"

#include "reporting.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace adtlab::check {

namespace {

const char replacement[] = "\xEF\xBF\xBD"; // U+FFFD

// The length of the well-formed UTF-8 character at text[k], or 0.
std::size_t character_length(std::string_view text, std::size_t k) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(k);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;  // the range of the second byte: no overlong
    unsigned char high = 0xBF; // form, no surrogate, nothing past U+10FFFF
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (k + length > text.size() || byte(k + 1) < low || byte(k + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(k + i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

std::string json_string(std::string_view raw) {
    const std::string text = valid_utf8(raw);
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned int>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

// A JSON document, written a value at a time: objects one member a line,
// arrays on one line.
class JsonWriter {
  public:
    void open_object() { open('{', true); }
    void close_object() { close('}'); }
    // An array of objects goes one a line; of numbers, on one line.
    void open_array(bool lines) { open('[', lines); }
    void close_array() { close(']'); }
    JsonWriter &key(std::string_view name) {
        separate();
        out_ += json_string(name) + ": ";
        keyed_ = true;
        return *this;
    }
    void string(std::string_view text) { scalar(json_string(text)); }
    void count(unsigned long long value) { scalar(std::to_string(value)); }
    void integer(long long value) { scalar(std::to_string(value)); }
    void real(double value) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.17g", value);
        scalar(digits);
    }
    void boolean(bool value) { scalar(value ? "true" : "false"); }
    void null() { scalar("null"); }
    // A string, or null when it is empty.
    void string_or_null(std::string_view text) { text.empty() ? null() : string(text); }
    std::string text() const { return out_ + "\n"; }

  private:
    struct Level {
        bool lines; // one member a line
        bool empty = true;
    };
    void separate() {
        if (keyed_) {
            keyed_ = false;
            return;
        }
        if (levels_.empty()) {
            return;
        }
        Level &level = levels_.back();
        out_ += level.empty ? "" : level.lines ? "," : ", ";
        if (level.lines) {
            new_line();
        }
        level.empty = false;
    }
    // In steps: g++ 12 at -O3 warns falsely of overlap in "\n" + indent.
    void new_line() {
        out_ += '\n';
        out_.append(2 * levels_.size(), ' ');
    }
    void scalar(const std::string &text) {
        separate();
        out_ += text;
    }
    void open(char bracket, bool lines) {
        separate();
        out_ += bracket;
        levels_.push_back({lines});
    }
    void close(char bracket) {
        const Level level = levels_.back();
        levels_.pop_back();
        if (level.lines && !level.empty) {
            new_line();
        }
        out_ += bracket;
    }
    std::string out_;
    std::vector<Level> levels_;
    bool keyed_ = false;
};

} // namespace

std::string valid_utf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t k = 0; k < bytes.size();) {
        const std::size_t length = character_length(bytes, k);
        if (length == 0) {
            text += replacement;
            ++k;
        } else {
            text.append(bytes.substr(k, length));
            k += length;
        }
    }
    return text;
}

} // namespace adtlab::check

namespace adtlab::check {

namespace {

// ---- text ----

std::string indented(const std::string &text, const std::string &margin) {
    std::string out;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        end = end == std::string::npos ? text.size() : end + 1;
        out += margin + text.substr(from, end - from);
        from = end;
    }
    return out.empty() || out.back() == '\n' ? out : out + "\n";
}

// A submission's verdicts, or the compiler's message.
std::string text_block(const SubmissionResult &submission) {
    if (!submission.built()) {
        return indented(submission.build_error, "");
    }
    std::string out;
    for (const CheckResult &check : submission.checks) {
        out += text_verdict(check);
    }
    return out;
}

const char *status_of(const SubmissionResult &submission, const std::string &check) {
    for (const CheckResult &result : submission.checks) {
        if (result.name == check) {
            return status_name(result.status);
        }
    }
    return status_name(Status::missing);
}

std::string score_of(const SubmissionResult &submission) {
    return std::to_string(submission.score()) + "/" + std::to_string(submission.max_score());
}

// A row per submission, a column per check, and the score.
std::string summary_table(const RunResult &run) {
    std::vector<std::vector<std::string>> rows = {{"submission"}};
    rows[0].insert(rows[0].end(), run.check_names.begin(), run.check_names.end());
    rows[0].push_back("score");
    for (const SubmissionResult &submission : run.submissions) {
        std::vector<std::string> row = {submission.name};
        for (const std::string &check : run.check_names) {
            row.push_back(status_of(submission, check));
        }
        row.push_back(score_of(submission));
        rows.push_back(row);
    }
    std::vector<std::size_t> widths(rows[0].size(), 0);
    for (const auto &row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], row[c].size());
        }
    }
    std::string out;
    for (const auto &row : rows) {
        for (std::size_t c = 0; c + 1 < row.size(); ++c) {
            out += row[c] + std::string(widths[c] - row[c].size() + 2, ' ');
        }
        out += row.back() + "\n";
    }
    return out;
}

std::string seed_in_words(const RunResult &run) {
    return "seed: " + std::to_string(run.seed) + "\nisolation: " + run.isolation + "\n";
}

std::string text_report(const RunResult &run) {
    if (run.submissions.size() == 1) {
        return text_block(run.submissions[0]) + seed_in_words(run);
    }
    std::string out;
    for (const SubmissionResult &submission : run.submissions) {
        out += submission.name + "\n" + indented(text_block(submission), "  ") + "\n";
    }
    return out + summary_table(run) + seed_in_words(run);
}

// ---- csv ----

std::string csv_field(const std::string &raw) {
    const std::string text = valid_utf8(raw);
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string out = "\"";
    for (char c : text) {
        out += c == '"' ? "\"\"" : std::string(1, c);
    }
    return out + "\"";
}

std::string csv_report(const RunResult &run) {
    std::string out = "name";
    for (const std::string &check : run.check_names) {
        out += ',';
        out += csv_field(check);
    }
    out += ",score,max_score\n";
    for (const SubmissionResult &submission : run.submissions) {
        out += csv_field(submission.name);
        for (const std::string &check : run.check_names) {
            out += ',';
            out += status_of(submission, check);
        }
        out += ',';
        out += std::to_string(submission.score());
        out += ',';
        out += std::to_string(submission.max_score());
        out += '\n';
    }
    return out;
}

// ---- json ----

void write_check(JsonWriter &json, const CheckResult &check) {
    json.open_object();
    json.key("name").string(check.name);
    json.key("status").string(status_name(check.status));
    json.key("points").count(check.points);
    json.key("max_points").count(check.max_points);
    json.key("inputs").count(check.inputs);
    json.key("why").string_or_null(check.why);
    json.key("input");
    if (check.input) {
        json.open_array(false);
        for (int value : *check.input) {
            json.integer(value);
        }
        json.close_array();
    } else {
        json.null();
    }
    json.key("expected").string_or_null(check.expected);
    json.key("got").string_or_null(check.got);
    json.key("before");
    if (check.before) {
        json.open_object();
        json.key("comparisons").count(check.before->comparisons);
        json.key("swaps").count(check.before->swaps);
        json.close_object();
    } else {
        json.null();
    }
    json.key("ending").string_or_null(check.ending);
    json.key("ending_kind").string_or_null(check.ending_kind);
    json.close_object();
}

void write_submission(JsonWriter &json, const SubmissionResult &submission) {
    json.open_object();
    json.key("name").string(submission.name);
    json.key("conforms").boolean(submission.conforms());
    json.key("score").count(submission.score());
    json.key("max_score").count(submission.max_score());
    json.key("build_error").string_or_null(submission.build_error);
    json.key("output").string(submission.output);
    json.key("checks").open_array(true);
    for (const CheckResult &check : submission.checks) {
        write_check(json, check);
    }
    json.close_array();
    json.close_object();
}

std::string json_report(const RunResult &run) {
    JsonWriter json;
    json.open_object();
    json.key("kind").string(run.kind);
    json.key("seed").count(run.seed);
    json.key("isolation").string(run.isolation);
    json.key("limits").open_object();
    json.key("time_seconds").real(run.limits.seconds);
    json.key("memory_mib").count(run.limits.memory_mib);
    json.key("cpu_seconds").count(run.limits.cpu_seconds);
    json.key("file_mib").count(run.limits.file_mib);
    json.close_object();
    json.key("conforms").boolean(run.conforms());
    json.key("submissions").open_array(true);
    for (const SubmissionResult &submission : run.submissions) {
        write_submission(json, submission);
    }
    json.close_array();
    json.close_object();
    return json.text();
}

// ---- junit ----

// Text for XML: valid UTF-8 without the characters XML forbids (control
// characters but tab and line ends, U+FFFE, U+FFFF), markup escaped; line
// ends kept in attributes too.
std::string xml_text(std::string_view raw, bool attribute) {
    const std::string text = valid_utf8(raw);
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        const bool line_end = c == '\n' || c == '\r' || c == '\t';
        if (text.compare(k, 2, "\xEF\xBF") == 0 && k + 2 < text.size() &&
            (text[k + 2] == '\xBE' || text[k + 2] == '\xBF')) {
            out += replacement;
            k += 2;
        } else if (static_cast<unsigned char>(c) < 0x20 && !line_end) {
            out += replacement;
        } else if (line_end && attribute) {
            out += "&#" + std::to_string(static_cast<int>(c)) + ";";
        } else if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '"') {
            out += "&quot;";
        } else {
            out += c;
        }
    }
    return out;
}

std::string xml_element(const std::string &name, const std::string &message,
                        const std::string &body) {
    return "<" + name + " message=\"" + xml_text(message, true) + "\">" + xml_text(body, false) +
           "</" + name + ">";
}

// <failure> for a wrong result or a missing function; <error> for a crash,
// a time-out, a limit or a submission that does not build.
std::string junit_case(const SubmissionResult &submission, const CheckResult &check) {
    std::string out = "    <testcase classname=\"" + xml_text(submission.name, true) +
                      "\" name=\"" + xml_text(check.name, true) + "\"";
    if (check.status == Status::pass) {
        return out + "/>\n";
    }
    out += ">\n      ";
    if (!submission.built()) {
        out += xml_element("error", "does not build", submission.build_error);
    } else if (check.status == Status::error) {
        out += xml_element("error", check.ending.empty() ? "error" : check.ending, check.why);
    } else {
        out += xml_element(
            "failure", check.status == Status::missing ? "missing" : "does not conform", check.why);
    }
    return out + "\n    </testcase>\n";
}

std::size_t count_status(const SubmissionResult &submission, bool errors) {
    return static_cast<std::size_t>(std::count_if(
        submission.checks.begin(), submission.checks.end(), [&](const CheckResult &check) {
            return check.status != Status::pass && (check.status == Status::error) == errors;
        }));
}

std::string junit_suite(const RunResult &run, const SubmissionResult &submission) {
    std::string out = "  <testsuite name=\"" + xml_text(submission.name, true) + "\" tests=\"" +
                      std::to_string(submission.checks.size()) + "\" failures=\"" +
                      std::to_string(count_status(submission, false)) + "\" errors=\"" +
                      std::to_string(count_status(submission, true)) + "\">\n";
    out += "    <properties>\n      <property name=\"seed\" value=\"" + std::to_string(run.seed) +
           "\"/>\n      <property name=\"isolation\" value=\"" + xml_text(run.isolation, true) +
           "\"/>\n    </properties>\n";
    for (const CheckResult &check : submission.checks) {
        out += junit_case(submission, check);
    }
    if (!submission.output.empty()) {
        out += "    <system-out>" + xml_text(submission.output, false) + "</system-out>\n";
    }
    return out + "  </testsuite>\n";
}

std::string junit_report(const RunResult &run) {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"adtlab-check " +
        xml_text(run.kind, true) + "\">\n";
    for (const SubmissionResult &submission : run.submissions) {
        out += junit_suite(run, submission);
    }
    return out + "</testsuites>\n";
}

// ---- gradescope ----

std::string gradescope_report(const RunResult &run) {
    const SubmissionResult &submission = run.submissions.at(0);
    JsonWriter json;
    json.open_object();
    json.key("score").count(submission.score());
    json.key("max_score").count(submission.max_score());
    json.key("output").string(seed_in_words(run) + submission.build_error);
    json.key("tests").open_array(true);
    for (const CheckResult &check : submission.checks) {
        json.open_object();
        json.key("name").string(check.name);
        json.key("score").count(check.points);
        json.key("max_score").count(check.max_points);
        json.key("status").string(check.status == Status::pass ? "passed" : "failed");
        json.key("output").string(submission.built() ? text_verdict(check)
                                                     : check.name + ": " + check.why + "\n");
        json.close_object();
    }
    json.close_array();
    json.close_object();
    return json.text();
}

} // namespace

std::optional<Format> format_named(std::string_view name) {
    const std::pair<std::string_view, Format> formats[] = {{"text", Format::text},
                                                           {"csv", Format::csv},
                                                           {"json", Format::json},
                                                           {"junit", Format::junit},
                                                           {"gradescope", Format::gradescope}};
    for (const auto &[known, format] : formats) {
        if (name == known) {
            return format;
        }
    }
    return std::nullopt;
}

std::string write_report(Format format, const RunResult &run) {
    switch (format) {
    case Format::text:
        return text_report(run);
    case Format::csv:
        return csv_report(run);
    case Format::json:
        return json_report(run);
    case Format::junit:
        return junit_report(run);
    case Format::gradescope:
        return gradescope_report(run);
    }
    return text_report(run);
}

} // namespace adtlab::check
