#include "result.h"

#include <algorithm>
#include <numeric>

namespace adtlab::check {

const char *status_name(Status status) {
    switch (status) {
    case Status::pass:
        return "pass";
    case Status::fail:
        return "fail";
    case Status::error:
        return "error";
    case Status::missing:
        return "missing";
    }
    return "error";
}

bool SubmissionResult::conforms() const {
    return built() && std::all_of(checks.begin(), checks.end(),
                                  [](const CheckResult &c) { return c.status == Status::pass; });
}

unsigned int SubmissionResult::score() const {
    return std::accumulate(checks.begin(), checks.end(), 0u,
                           [](unsigned int sum, const CheckResult &c) { return sum + c.points; });
}

unsigned int SubmissionResult::max_score() const {
    return std::accumulate(
        checks.begin(), checks.end(), 0u,
        [](unsigned int sum, const CheckResult &c) { return sum + c.max_points; });
}

Status SubmissionResult::status_of(const std::string &check) const {
    for (const CheckResult &result : checks) {
        if (result.name == check) {
            return result.status;
        }
    }
    return Status::missing;
}

bool RunResult::conforms() const {
    return std::all_of(submissions.begin(), submissions.end(),
                       [](const SubmissionResult &s) { return s.conforms(); });
}

// How the child ended, in the record: its kind's name and its words.
std::string record_ending(CheckResult &result, const Ending &ending, const Limits &limits) {
    result.ending = ending_words(ending, limits);
    result.ending_kind = ending_kind_name(ending.kind);
    return result.ending;
}

} // namespace adtlab::check
