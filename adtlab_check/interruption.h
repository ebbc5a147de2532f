// SIGINT and SIGTERM: every process group this process started is killed at
// once, from the handler; the run then unwinds, which removes every private
// folder and leaves --output as it was, and ends by the same signal.
#pragma once

#include "failure.h"

#include <sys/types.h>

namespace adtlab::check {

// Thrown where the run notices the signal; what() names it.
class Interrupted : public Failure {
  public:
    explicit Interrupted(int signal);
    int signal() const { return signal_; }

  private:
    int signal_;
};

// Installs the handlers (without SA_RESTART, so that a wait returns).
void handle_interruptions();

// The signal that interrupted the run, or 0.
int interruption();

// Throws Interrupted once the run is interrupted.
void stop_if_interrupted();

// A process (the leader of its own group) to kill if the run is
// interrupted, until it is forgotten.
void remember_group(pid_t group);
void forget_group(pid_t group);

} // namespace adtlab::check
