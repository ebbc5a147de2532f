// Runs a program in a child process and collects what it printed and how it
// ended, for end-to-end tests of programs and of functions that exit.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace adtlab::testing {

struct Outcome {
    std::string out; // everything written to standard output
    std::string err; // everything written to standard error
    int status = -1; // exit status, or -1 when ended by a signal
    int signal = 0;  // the signal that ended it, or 0

    bool exited(int code) const { return signal == 0 && status == code; }
};

// Runs argv[0] with the given arguments, feeding `input` on standard input and
// closing it after. `env` entries ("NAME=value") are added to the environment.
Outcome run_program(const std::vector<std::string> &argv, const std::string &input = "",
                    const std::vector<std::string> &env = {});

// Runs `body` in a forked child whose standard streams are pipes, as above;
// the child exits with status 0 when `body` returns.
Outcome run_in_child(const std::function<void()> &body, const std::string &input = "");

} // namespace adtlab::testing
