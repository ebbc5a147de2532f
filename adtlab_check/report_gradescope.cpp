#include "report_gradescope.h"

#include "json_writer.h"
#include "report_text.h"
#include "reporting.h"

namespace adtlab::check {

std::string gradescope_report(const RunResult &run, const ReportOptions &) {
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

} // namespace adtlab::check
