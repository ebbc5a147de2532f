// Where the children run: in bubblewrap, each run in a fresh sandbox with no
// privilege, no network and a root of its own, or, where bubblewrap cannot
// run, under the limits alone, which as root needs --no-sandbox.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace adtlab::check {

// --no-sandbox: as root, run the submissions even without bubblewrap.
void allow_without_sandbox();

// How the children are isolated, in words, decided once per run:
// "bubblewrap: no network, ..." or "limits only: <why not bubblewrap>".
std::string isolation_in_words();

// "" when submissions may run; else the one line that says why not.
std::string isolation_refusal();

bool in_bubblewrap();

// Inside a sandbox: its working folder, a tmpfs (HOME), and where the
// harness, the submission and adtlab's headers and libraries are seen.
inline const char *const sandbox_work = "/work";
inline const char *const sandbox_harness = "/check/harness";
inline const char *const sandbox_submission = "/submission";
inline const char *const sandbox_resources = "/adtlab";

// The words that start `program` (seen inside at sandbox_harness) in a
// fresh sandbox whose writable folders hold `tmpfs_bytes` each.
std::vector<std::string> run_sandbox(const std::filesystem::path &program,
                                     unsigned long long tmpfs_bytes);

// The words that start a compiler in a fresh sandbox that sees only the
// system, `resources` (read-only) and `submission` (its writable folder,
// its working directory), and `compiler` when it lies outside /usr; its
// /dev holds /dev/null alone, so that no source includes an endless file.
std::vector<std::string> build_sandbox(const std::filesystem::path &resources,
                                       const std::filesystem::path &submission,
                                       const std::filesystem::path &compiler);

} // namespace adtlab::check
