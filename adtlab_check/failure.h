// How adtlab-check gives up: a usage error, sources that do not build or a
// system call that fails end it with one message and status 2, once main has
// removed the working folder.
#pragma once

#include <stdexcept>
#include <string>

namespace adtlab::check {

// what() is the whole message after "adtlab-check: ", newline included.
class Failure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] inline void fail(const std::string &message) {
    throw Failure(message + "\n");
}

} // namespace adtlab::check
