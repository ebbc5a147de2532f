// Shows on standard error, while a run takes more than a second, which run is
// going and for how long; only when standard error is a terminal, and from a
// thread of its own that sleeps in between.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace compare_sorts {

class Progress {
  public:
    Progress();
    ~Progress();
    Progress(const Progress &) = delete;
    Progress &operator=(const Progress &) = delete;

    // A run starts; `most_seconds`, if not 0, is how long it may take.
    void begin(std::string what, double most_seconds);
    void end();

  private:
    void show();
    double seconds_left(double taken) const;

    bool shown_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string what_;
    double most_seconds_ = 0;
    std::chrono::steady_clock::time_point start_;
    bool running_ = false;
    bool on_screen_ = false;
    bool quit_ = false;
};

// "42 s", "17 min", "5 h", "58 days" or "3 years".
std::string duration_text(double seconds);

} // namespace compare_sorts
