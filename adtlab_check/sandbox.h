// Where submitted code runs: a private folder of its own, inside bubblewrap
// where it is installed, and what that code wrote and how it broke, read
// back from the folder.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace adtlab::check {

// A folder of a submission's own in $TMPDIR (else /tmp): the working
// directory of its compiler and of its child. Removed at the end, built or
// not, unless kept; a kept folder is named once on standard error.
class PrivateFolder {
  public:
    explicit PrivateFolder(bool keep = false);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder &) = delete;
    PrivateFolder &operator=(const PrivateFolder &) = delete;
    const std::filesystem::path &path() const { return path_; }

  private:
    std::filesystem::path path_;
    bool keep_;
};

// How the children are isolated, in words, decided once per run:
// "bubblewrap: no network, ..." or "limits only: <why not bubblewrap>".
std::string isolation_in_words();

// The words that run a program in bubblewrap with only `work` writable and
// `work` as its directory, or none when bubblewrap is not in use.
std::vector<std::string> isolation_command(const std::filesystem::path &work);

// What the children wrote on their standard output and error, kept in the
// folder, up to output_bound bytes.
constexpr std::size_t output_bound = std::size_t{64} * 1024;
std::string captured_output(const std::filesystem::path &work);
std::filesystem::path output_file(const std::filesystem::path &work);

// The resident memory, in bytes, of every process in the group.
unsigned long long group_memory(pid_t group);

// A fault that the sanitizers or the C++ runtime wrote in `output`, in
// words ("made a memory error (heap-use-after-free)"), "" for none, or
// `memory_limit` when the fault was running out of the memory allowed.
std::string fault_in_output(const std::string &output, const std::string &memory_limit);

} // namespace adtlab::check
