// Helpers for end-to-end tests: run a program, or a function that may end the
// process, in a child and collect what it printed and how it ended; and
// temporary input files.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace adtlab::testing {

struct Outcome {
    std::string out;      // everything written to standard output
    std::string err;      // everything written to standard error
    int status = -1;      // exit status, or -1 when ended by a signal
    int signal = 0;       // the signal that ended it, or 0
    bool stopped = false; // ended by run_program once its `until` held

    bool exited(int code) const { return signal == 0 && status == code; }
};

// Runs argv[0] with the given arguments, feeding `input` on standard input and
// closing it after. `env` entries ("NAME=value") are added to the environment.
Outcome run_program(const std::vector<std::string> &argv, const std::string &input = "",
                    const std::vector<std::string> &env = {});

// Whether run_program starts programs in an emulator (qemu-user), where the
// emulated program's memory lies outside the host's resource limits.
bool programs_run_emulated();

// How run_program starts a program, beyond its arguments.
struct Start {
    std::string input;
    std::vector<std::string> env;
    unsigned long data_limit = 0; // RLIMIT_DATA in bytes; 0 leaves it alone
    bool terminal_stderr = false; // standard error a pseudo-terminal, not a pipe
    // If set, looked at after each read of the program's output; once it
    // holds, the program is killed and its outcome marked `stopped`.
    std::function<bool(const Outcome &)> until;
};
Outcome run_program(const std::vector<std::string> &argv, const Start &start);

// Runs `body` in a forked child whose standard streams are pipes, as above;
// the child exits with status 0 when `body` returns.
Outcome run_in_child(const std::function<void()> &body, const std::string &input = "");

// The lines of a program's output, without their newlines.
std::vector<std::string> lines_of(const std::string &text);

// A file in /tmp holding the given bytes, removed when this goes out of scope.
class TempFile {
  public:
    explicit TempFile(const std::string &contents);
    ~TempFile();
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;
    const std::string &path() const { return path_; }

  private:
    std::string path_;
};

} // namespace adtlab::testing
