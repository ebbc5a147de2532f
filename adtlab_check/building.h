// Building someone's module: the harness of its kind and copies of their
// files, compiled and linked in a sandbox that sees only those copies, the
// system and copies of this system's headers and ordtally's library.
#pragma once

#include "kinds.h"

#include <filesystem>
#include <string>
#include <vector>

namespace adtlab::check {

// Where the headers, libraries and harnesses are: beside this program when
// installed, else in the build tree it was built in.
struct Resources {
    std::filesystem::path include;
    std::filesystem::path libdir;
    std::filesystem::path harness;
};

Resources find_resources();

// adtlab's own sorting, queue, stack and fixed-string libraries, installed
// or in the build tree: what a submission's objects must not be.
std::vector<std::filesystem::path> reference_libraries();

// Whether the compiler builds and runs a program with AddressSanitizer and
// UndefinedBehaviorSanitizer; tried once per run.
bool sanitizers_in_use();

// What a build sees of this system, copied once per run into `folder`:
// the headers (include/), the harnesses' sources (harness/), ordtally's
// library (lib/) and the harnesses' objects of `kind`, compiled (objects/).
// A failure when the harness does not build.
void stage_resources(const Resources &where, const Kind &kind, const std::filesystem::path &folder);

// A submission built: the harness linked with it, and its own objects.
struct Built {
    std::filesystem::path program;
    std::vector<std::filesystem::path> objects; // the submission's own, compiled or brought
};

// Copies the submission's files into `box` (refusing a file that is not a
// regular one, or an object or archive without `objects`, or one that is an
// object of `libraries`), compiles them
// with the staged harness's objects in `staged`, and links box/objects/
// harness. Sources that do not build or link, or bring code that would run
// before the harness's filter, are a failure that holds the compiler's
// message, naming files as the submission names them.
Built build(const Kind &kind, const std::vector<std::string> &files,
            const std::filesystem::path &staged, const std::filesystem::path &box, bool objects,
            const std::vector<std::filesystem::path> &libraries);

} // namespace adtlab::check
