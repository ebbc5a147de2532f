// A submission's files, copied into its private folder before any build:
// regular files only, read without following a link or waiting on a FIFO,
// each within a size bound. The compiler sees only these copies.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace adtlab::check {

// The largest file of a submission that is copied.
constexpr unsigned long long submission_file_bound = 16ULL << 20;

// Copies each file into `box` under its own name (a second of the same name
// gets "-2" before its extension) and returns the names. A file that is a
// link, a FIFO, a device or a socket, or too large, is a build failure of
// one line that names it as the submission does; so is an object or an
// archive without `objects`, and with it one that is not an object or an
// archive (a linker script).
std::vector<std::string> copy_submission(const std::vector<std::string> &files,
                                         const std::filesystem::path &box, bool objects);

} // namespace adtlab::check
