#include "report_gradescope.h"

#include "json_writer/json_writer.h"
#include "report_text.h"
#include "reporting.h"

namespace adtlab::check {

namespace {

// Whether a check's verdict names what it failed on: the input of a sort,
// the operations of a module.
bool names_its_input(const SubmissionResult &submission, const CheckResult &check) {
    return submission.built() && (check.status == Status::fail || check.status == Status::error);
}

// The verdict without its input: "on 14 values (hidden)", and how the
// child ended when it did not end well.
std::string verdict_without_input(const CheckResult &check) {
    const std::size_t size = check.input ? check.input->size() : 0;
    std::string on = !check.input ? "on operations that are hidden"
                                  : "on " + std::to_string(size) +
                                        (size == 1 ? " value" : " values") + " (hidden)";
    if (!check.ending.empty()) {
        on = "it " + check.ending + " " + on;
    }
    return check.name + ": does not conform\n  " + on + "\n";
}

void write_test(JsonWriter &json, const CheckResult &check, unsigned int max_score,
                const std::string &name, const char *visibility, const std::string &output) {
    json.open_object();
    json.key("name").string(name);
    json.key("score").count(max_score == 0 ? 0 : check.points);
    json.key("max_score").count(max_score);
    json.key("status").string(check.status == Status::pass ? "passed" : "failed");
    json.key("output").string(output);
    json.key("visibility").string(visibility);
    json.close_object();
}

// A test per check, seen by all; with `hide_input`, a check that names its
// input shows only its size, and a test of no points that only the teacher
// sees holds the whole verdict.
void write_tests(JsonWriter &json, const SubmissionResult &submission, bool hide_input) {
    for (const CheckResult &check : submission.checks) {
        const std::string verdict =
            submission.built() ? text_verdict(check) : check.name + ": " + check.why + "\n";
        const bool hidden = hide_input && names_its_input(submission, check);
        write_test(json, check, check.max_points, check.name, "visible",
                   hidden ? verdict_without_input(check) : verdict);
        if (hidden) {
            write_test(json, check, 0, check.name + " (with its input)", "hidden", verdict);
        }
    }
}

} // namespace

std::string gradescope_report(const RunResult &run, const ReportOptions &options) {
    const SubmissionResult &submission = run.submissions.at(0);
    JsonWriter json;
    json.open_object();
    json.key("score").count(submission.score());
    json.key("max_score").count(submission.max_score());
    json.key("output").string(seed_in_words(run) + submission.build_error);
    json.key("tests").open_array(true);
    write_tests(json, submission, options.hide_input);
    json.close_array();
    json.close_object();
    return json.text() + "\n";
}

} // namespace adtlab::check
