#include "report_junit.h"

#include "text_encodings.h"

#include <cmath>
#include <cstdio>

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

// A suite's counts: its tests, failures and errors, and its time in
// milliseconds, so that the root's sums are the sums of what is shown.
struct Counts {
    std::size_t tests = 0;
    std::size_t failures = 0;
    std::size_t errors = 0;
    long long milliseconds = 0;

    Counts &operator+=(const Counts &more) {
        tests += more.tests;
        failures += more.failures;
        errors += more.errors;
        milliseconds += more.milliseconds;
        return *this;
    }
};

Counts counts_of(const SubmissionResult &submission) {
    Counts counts;
    counts.tests = submission.checks.size();
    for (const CheckResult &check : submission.checks) {
        counts.failures += check.status == Status::fail || check.status == Status::missing ? 1 : 0;
        counts.errors += check.status == Status::error ? 1 : 0;
    }
    counts.milliseconds = std::llround(submission.seconds * 1000);
    return counts;
}

// ` tests="3" failures="1" errors="0" time="1.234"`
std::string attributes(const Counts &counts) {
    char time[32];
    std::snprintf(time, sizeof time, "%lld.%03lld", counts.milliseconds / 1000,
                  counts.milliseconds % 1000);
    return " tests=\"" + std::to_string(counts.tests) + "\" failures=\"" +
           std::to_string(counts.failures) + "\" errors=\"" + std::to_string(counts.errors) +
           "\" time=\"" + time + "\"";
}

std::string junit_suite(const RunResult &run, const SubmissionResult &submission) {
    std::string out = "  <testsuite name=\"" + xml_text(submission.name, true) + "\"" +
                      attributes(counts_of(submission)) + ">\n";
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
    Counts total;
    std::string suites;
    for (const SubmissionResult &submission : run.submissions) {
        total += counts_of(submission);
        suites += junit_suite(run, submission);
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"adtlab-check " +
           xml_text(run.kind, true) + "\"" + attributes(total) + ">\n" + suites + "</testsuites>\n";
}

} // namespace adtlab::check
