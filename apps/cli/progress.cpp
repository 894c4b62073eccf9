#include "cli/progress.h"

#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace quintorbelle::cli {

ProgressMeter::ProgressMeter() : enabled_(isatty(STDERR_FILENO) != 0) {}

ProgressMeter::~ProgressMeter() {
    Finish();
}

void ProgressMeter::Show(const std::string &line) {
    if (!enabled_) return;
    long long now = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count();
    if (shown_ && now - lastShown_ < 100) return;
    lastShown_ = now;
    shown_ = true;
    std::fprintf(stderr, "\r\033[K%s", line.c_str());
    std::fflush(stderr);
}

void ProgressMeter::Finish() {
    if (!shown_) return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    shown_ = false;
}

} // namespace quintorbelle::cli
