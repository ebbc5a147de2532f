// What a check finds, kept apart from how it is shown: every format (text,
// csv, json, junit, gradescope) is written from these records.
#pragma once

#include "child.h"
#include "matching.h"

#include "sort_calls/calls.h"

#include <optional>
#include <string>
#include <vector>

namespace adtlab::check {

// pass: conforms; fail: a wrong result or call; error: the child crashed,
// ran out of time or hit a limit; missing: the module does not define it.
enum class Status { pass, fail, error, missing };

const char *status_name(Status status); // "pass", "fail", "error", "missing"

// The most calls of a sort on one input that a page keeps, and the size of
// the battery's input it shows of a sort that conforms.
inline constexpr std::size_t page_call_limit = 1000000;
inline constexpr std::size_t page_input_size = 10;

// A sort's own calls on the input a page of it shows: the input its check
// reports, or a small one of the battery when it conforms.
struct SortCalls {
    const SortAlgorithm *algorithm = nullptr; // the sort whose calls they are
    std::vector<int> input;
    std::vector<Call> calls; // at most page_call_limit
    bool cut = false;        // it made more calls than were kept
    bool finished = false;   // it reported its end of this input
};

// One check, worth `points` of `max_points`: a sort, or an operation of a
// module.
struct CheckResult {
    std::string name; // "selection_sort", "queue_enqueue", ...
    Status status = Status::pass;
    unsigned int points = 0;
    unsigned int max_points = 1;
    std::size_t inputs = 0; // how many inputs it passed, where it counts them
    std::string why;        // the report's lines under "does not conform"
    // Where it failed, when known: the input, the expected and the actual
    // call (or result) in words, the counts before it, and how the child
    // ended when that was not a normal exit.
    std::optional<std::vector<int>> input;
    std::string expected;
    std::string got;
    std::optional<CallCounts> before;
    std::string ending;
    std::string ending_kind; // its kind's name ("timed_out", ...), "" for a normal exit
    // A sort's verdict as data, rendered into `why` by reporting.cpp: the
    // first call that differs from the library's on `input` (of a run that
    // stopped, where its calls stop), whether its result there was right,
    // whether every input's was (the battery read to its end), and a fault
    // of the report itself (a malformed line) in words.
    std::optional<Mismatch> mismatch;
    bool input_sorted = true;
    bool all_sorted = false;
    std::string fault;
    std::optional<SortCalls> shown; // a sort's, when kept for a page
};

// One submission: a folder, or the files named together.
struct SubmissionResult {
    std::string name;
    std::string build_error; // the compiler's message, when it did not build
    std::vector<CheckResult> checks;
    std::string output; // what the child wrote on its standard output and error, bounded
    double seconds = 0; // the wall time of its build and checks

    bool built() const { return build_error.empty(); }
    bool conforms() const;
    unsigned int score() const;
    unsigned int max_score() const;
    Status status_of(const std::string &check) const; // missing when it has no such check
};

// A run: the kind checked, how, and each submission's record in the order
// given.
struct RunResult {
    std::string kind;
    unsigned long long seed = 0;
    std::string isolation; // how the children were isolated, in words
    Limits limits;
    std::vector<std::string> check_names; // the checks of the kind, in order
    std::vector<SubmissionResult> submissions;

    bool conforms() const;
};

// How a child ended, in the record: its words (returned) and its kind's
// name.
std::string record_ending(CheckResult &result, const Ending &ending, const Limits &limits);

} // namespace adtlab::check
