// Shows on standard error, while a run takes more than a second, which run is
// going and for how long; only when standard error is a terminal, and from a
// thread of its own that sleeps in between.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
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

    // A run starts; `calls`, if given, counts how far it has gone.
    void begin(std::string what, const std::atomic<std::uint64_t> *calls = nullptr);
    void end();

  private:
    void show();

    bool shown_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string what_;
    const std::atomic<std::uint64_t> *calls_ = nullptr;
    std::chrono::steady_clock::time_point start_;
    bool running_ = false;
    bool on_screen_ = false;
    bool quit_ = false;
};

} // namespace compare_sorts
