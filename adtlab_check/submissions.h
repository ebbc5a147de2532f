// The submissions of a run: gathered from the arguments, built and checked
// each in a private folder of its own, several at a time.
#pragma once

#include "building.h"
#include "child.h"
#include "kinds.h"
#include "result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace adtlab::check {

// A submission: its name and the files it is made of.
struct Submission {
    std::string name;
    std::vector<std::string> files;
};

// Each folder argument is one submission, named after the folder: its C and
// C++ sources, objects and static libraries, sorted by name, not recursing;
// any kind of file with such a name, for the build to refuse what is not a
// regular file.
// The files named directly form one submission, at the place of the first
// and named after it. Submissions whose names are the same are named by the
// fewest last parts of their paths that tell them apart ("a/ana", "b/ana");
// the same path given twice is numbered ("ana", "ana (2)"). An argument that
// is neither a folder nor a file is a failure.
std::vector<Submission> gather_submissions(const std::vector<std::string> &arguments);

// How each submission is checked.
struct Checking {
    const Kind *kind = nullptr;
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
