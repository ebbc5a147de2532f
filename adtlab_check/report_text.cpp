#include "report_text.h"

#include "reporting.h"
#include "text_encodings.h"

#include <algorithm>
#include <vector>

namespace adtlab::check {

namespace {

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

std::string score_of(const SubmissionResult &submission) {
    return std::to_string(submission.score()) + "/" + std::to_string(submission.max_score());
}

// A row per submission, a column per check, and the score.
std::string summary_table(const RunResult &run) {
    std::vector<std::vector<std::string>> rows = {{"submission"}};
    rows[0].insert(rows[0].end(), run.check_names.begin(), run.check_names.end());
    rows[0].push_back("score");
    for (const SubmissionResult &submission : run.submissions) {
        std::vector<std::string> row = {escaped_controls(submission.name)};
        for (const std::string &check : run.check_names) {
            row.push_back(status_name(submission.status_of(check)));
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

} // namespace

std::string seed_in_words(const RunResult &run) {
    return "seed: " + std::to_string(run.seed) + "\nisolation: " + run.isolation + "\n";
}

std::string text_report(const RunResult &run, const ReportOptions &) {
    if (run.submissions.size() == 1) {
        return text_block(run.submissions[0]) + seed_in_words(run);
    }
    std::string out;
    for (const SubmissionResult &submission : run.submissions) {
        out += escaped_controls(submission.name) + "\n" + indented(text_block(submission), "  ") +
               "\n";
    }
    return out + summary_table(run) + seed_in_words(run);
}

} // namespace adtlab::check
