#include "report_junit.h"

#include "text_encodings.h"

#include <algorithm>

namespace adtlab::check {

namespace {

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

} // namespace

std::string junit_report(const RunResult &run, const ReportOptions &) {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"adtlab-check " +
        xml_text(run.kind, true) + "\">\n";
    for (const SubmissionResult &submission : run.submissions) {
        out += junit_suite(run, submission);
    }
    return out + "</testsuites>\n";
}

} // namespace adtlab::check
