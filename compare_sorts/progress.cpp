#include "progress.h"

#include <unistd.h>

#include <cstdio>

namespace compare_sorts {

Progress::Progress() : shown_(isatty(STDERR_FILENO) == 1) {
    if (shown_) {
        thread_ = std::thread([this] { show(); });
    }
}

Progress::~Progress() {
    if (shown_) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
}

void Progress::begin(std::string what, const std::atomic<std::uint64_t> *calls) {
    std::lock_guard<std::mutex> lock(mutex_);
    what_ = std::move(what);
    calls_ = calls;
    start_ = std::chrono::steady_clock::now();
    running_ = true;
}

void Progress::end() {
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = false;
    if (on_screen_) {
        std::fputs("\r\033[K", stderr);
        on_screen_ = false;
    }
}

void Progress::show() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
        wake_.wait_for(lock, std::chrono::milliseconds(250));
        std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start_;
        if (!running_ || quit_ || taken.count() < 1.0) {
            continue;
        }
        std::fprintf(stderr, "\r\033[K%s: %.0f s", what_.c_str(), taken.count());
        if (calls_ != nullptr) {
            std::fprintf(stderr, ", %llu calls counted",
                         static_cast<unsigned long long>(calls_->load()));
        }
        std::fflush(stderr);
        on_screen_ = true;
    }
}

} // namespace compare_sorts
