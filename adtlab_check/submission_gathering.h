// The submissions of a run, gathered from the command line's arguments.
#pragma once

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

} // namespace adtlab::check
