// How adtlab-check gives up: a usage error or a system call that fails ends
// the run with one message and status 2, once the working folders are
// removed. Sources that do not build end only their own submission.
#pragma once

#include <stdexcept>
#include <string>

namespace adtlab::check {

// what() is the whole message after "adtlab-check: ", newline included.
class Failure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Sources that do not compile or link; what() holds the compiler's message.
class BuildFailure : public Failure {
  public:
    using Failure::Failure;
};

[[noreturn]] inline void fail(const std::string &message) {
    throw Failure(message + "\n");
}

} // namespace adtlab::check
