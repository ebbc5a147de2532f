// Building someone's module: the harness of its kind and their files,
// compiled and linked against this system's headers and libraries.
#pragma once

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

// Whether the compiler builds and runs a program with AddressSanitizer and
// UndefinedBehaviorSanitizer; tried once per run.
bool sanitizers_in_use();

// Compiles the harness of `kind` and the files in `work`, its working
// directory, with the sanitizers where they are in use, and links them into
// work/harness. Sources that do not build or link are a failure that holds
// the compiler's message.
std::filesystem::path build(const std::string &kind, const std::vector<std::string> &files,
                            const Resources &where, const std::filesystem::path &work);

} // namespace adtlab::check
