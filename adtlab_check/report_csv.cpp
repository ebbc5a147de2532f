#include "report_csv.h"

#include "text_encodings.h"

#include "json_writer/json_writer.h"

namespace adtlab::check {

namespace {

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

} // namespace

std::string csv_report(const RunResult &run, const ReportOptions &) {
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
            out += status_name(submission.status_of(check));
        }
        out += ',';
        out += std::to_string(submission.score());
        out += ',';
        out += std::to_string(submission.max_score());
        out += '\n';
    }
    return out;
}

} // namespace adtlab::check
