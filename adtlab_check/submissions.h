// The submissions of a run: gathered from the arguments, built and checked
// each in a private folder of its own, several at a time.
#pragma once

#include "building.h"
#include "child.h"
#include "kinds.h"
#include "result.h"
#include "submission_gathering.h"

#include <filesystem>
#include <string>
#include <vector>

namespace adtlab::check {

// How each submission is checked.
struct Checking {
    const Kind *kind = nullptr;
    Assignment assignment; // the sorts checked, of the sorts kind
    Resources resources;
    Limits limits;
    unsigned long long seed = 0;
    bool keep = false;            // keep each private folder
    bool keep_calls = false;      // keep each sort's calls for a page of them (one submission)
    unsigned int jobs = 1;        // submissions checked at the same time
    bool objects = false;         // take objects and archives, not only sources
    std::filesystem::path staged; // see stage_resources
    std::vector<std::filesystem::path> libraries; // adtlab's own, which no object may be
};

// Builds and checks every submission, `jobs` at a time, and returns their
// records in the order given. A submission that does not build is a record
// with its compiler's message; a failure of the system stops the run. On a
// terminal, standard error shows how many are checked so far.
std::vector<SubmissionResult> check_all(const std::vector<Submission> &submissions,
                                        const Checking &checking);

} // namespace adtlab::check
