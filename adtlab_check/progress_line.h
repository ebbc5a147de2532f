// How far a class's check has come, shown on standard error.
#pragma once

#include <chrono>
#include <cstddef>

namespace adtlab::check {

// "checked 7 of 30 submissions, 12 s" on standard error when it is a
// terminal, redrawn in place and cleared at the end.
class ProgressLine {
  public:
    ProgressLine();
    void show(std::size_t done, std::size_t total) const;
    void clear() const;

  private:
    bool shown_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace adtlab::check
