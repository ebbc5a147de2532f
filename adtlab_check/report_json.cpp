#include "report_json.h"

#include "json_writer/json_writer.h"

namespace adtlab::check {

namespace {

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

} // namespace

std::string json_report(const RunResult &run, const ReportOptions &) {
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
    return json.text() + "\n";
}

} // namespace adtlab::check
