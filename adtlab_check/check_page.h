// The page that plays a learner's sorts beside the library's, call by call,
// in the player that sort_trace's page shares: one group per sort, on the
// input its check reports, opened at the first call that differs.
#pragma once

#include "matching.h"
#include "result.h"

#include "player/page.h"
#include "sort_calls/calls.h"
#include "sort_calls/sorts.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace adtlab::check {

// What the page needs of one sort's check.
struct SortOnPage {
    const SortAlgorithm *algorithm = nullptr;
    bool missing = false;
    SortCalls seen;
    std::string ending; // how the child ended, when not by itself
    // Where its calls first differ from the library's, as its check found
    // them (a run that stopped differs where its calls stop).
    std::optional<Mismatch> mismatch;
    // Why it does not conform, a line each, as the report says but with the
    // input whole; none when it conforms.
    std::vector<std::string> verdict;
};

// The sort's first differing call, unless only the page's bound stopped
// the calls kept there.
std::optional<Mismatch> first_difference(const SortOnPage &sort);

// What the page shows of a sort's check, from its record.
SortOnPage sort_on_page(const CheckResult &check);

// The group of one sort: the panels "yours-NAME" and "library-NAME" (none
// for a missing sort; the library's with the steps and code lines that its
// sort reported), the first difference and a sentence.
// It points into `sort` and `library`, which must outlive it.
player::Group sort_group(const SortOnPage &sort, const Recording &library);

// Writes the page of the sorts to `path`; returns what went wrong, or "".
std::string write_sorts_page(const std::string &path, const std::string &title,
                             const std::vector<SortOnPage> &sorts);

// The page of a submission's sorts, checked with their calls kept.
std::string write_check_page(const std::string &path, const SubmissionResult &submission);

} // namespace adtlab::check
