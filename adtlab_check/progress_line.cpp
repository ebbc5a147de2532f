#include "progress_line.h"

#include <unistd.h>

#include <cstdio>

namespace adtlab::check {

ProgressLine::ProgressLine() : shown_(isatty(STDERR_FILENO) == 1) {}

void ProgressLine::show(std::size_t done, std::size_t total) const {
    if (shown_) {
        const auto taken = std::chrono::duration_cast<std::chrono::seconds>(
            std::chrono::steady_clock::now() - start_);
        std::fprintf(stderr, "\r\033[Kchecked %zu of %zu submissions, %lld s", done, total,
                     static_cast<long long>(taken.count()));
        std::fflush(stderr);
    }
}

void ProgressLine::clear() const {
    if (shown_) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    }
}

} // namespace adtlab::check
