#include "progress.h"

#include <unistd.h>

#include <algorithm>
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

void Progress::begin(std::string what, double most_seconds) {
    std::lock_guard<std::mutex> lock(mutex_);
    what_ = std::move(what);
    most_seconds_ = most_seconds;
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
        const double left = seconds_left(taken.count());
        if (left >= 0) {
            std::fprintf(stderr, ", up to about %s left", duration_text(left).c_str());
        }
        std::fflush(stderr);
        on_screen_ = true;
    }
}

// From the forecast; -1 where there is none.
double Progress::seconds_left(double taken) const {
    return most_seconds_ > 0 ? std::max(0.0, most_seconds_ - taken) : -1;
}

std::string duration_text(double seconds) {
    struct Unit {
        const char *name;
        double seconds;
    };
    const Unit units[] = {{"years", 365.25 * 86400}, {"days", 86400}, {"h", 3600}, {"min", 60}};
    for (const Unit &unit : units) {
        if (seconds >= 2 * unit.seconds) {
            return std::to_string(static_cast<long long>(seconds / unit.seconds)) + " " + unit.name;
        }
    }
    return std::to_string(static_cast<long long>(seconds)) + " s";
}

} // namespace compare_sorts
