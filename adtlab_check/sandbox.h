// Where a submission is built and checked: a private folder of its own;
// what its code wrote and how it broke, read back from its output file.
#pragma once

#include "ending.h"

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace adtlab::check {

// A folder of a submission's own in $TMPDIR (else /tmp): the working
// directory of its compiler and of its child. Removed at the end, built or
// not, unless kept; a kept folder, or one that cannot be removed, is named
// once on standard error. As root, it belongs to the children's user.
class PrivateFolder {
  public:
    // Where the folders made from then on are: the run's own folder, so
    // that one removal takes every folder of an interrupted run.
    static void place_in(const std::filesystem::path &root);

    explicit PrivateFolder(bool keep = false);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder &) = delete;
    PrivateFolder &operator=(const PrivateFolder &) = delete;
    const std::filesystem::path &path() const { return path_; }

  private:
    std::filesystem::path path_;
    bool keep_;
};

// As root, a failure unless the children's user can reach `folder`: every
// folder above it open to others (o+x).
void check_reachable(const std::filesystem::path &folder);

// A folder in a private folder that the children may write: as root, it
// belongs to their user. Returns its path.
std::filesystem::path make_children_folder(const std::filesystem::path &path);

// The file of what the children write on their standard output and error,
// opened in the folder by this process, which reads it only through this
// descriptor: never a FIFO or a link that a child put in its place.
int open_output_file(const std::filesystem::path &folder);

// What the children wrote, up to output_bound bytes, and `length` bytes of
// the file from `from`.
constexpr std::size_t output_bound = std::size_t{64} * 1024;
std::string captured_output(int output);
std::string read_output(int output, long long from, std::size_t length);

// The resident memory, in bytes, of the process and all it started.
unsigned long long tree_memory(pid_t root);

// A fault that the sanitizers or the C++ runtime wrote in `output`: a
// memory error ("heap-use-after-free"), undefined behaviour, running out of
// the memory allowed, or a normal exit for none.
Ending fault_in_output(const std::string &output);

} // namespace adtlab::check
