#include "shell/FrameClock.h"

namespace brx {

int FrameClock::clampStep(double elapsedMs) {
    // The timer is finer than the millisecond the old one counted in: less than a whole
    // millisecond read as 0 there, and 0 became 1.
    if (elapsedMs < 1.0) return 1;
    if (elapsedMs > kMaxStepMs) return kStallStepMs;
    return int(elapsedMs);
}

void FrameClock::start(double nowMs) {
    lastMs_ = nowMs;
    carryMs_ = 0.0;
}

int FrameClock::takeStep(double nowMs) {
    const double elapsedMs = nowMs - lastMs_ + carryMs_;
    lastMs_ = nowMs;
    const int step = clampStep(elapsedMs);
    // Only an ordinary step keeps its remainder; a stall or a too-short pass starts afresh.
    const bool ordinary = elapsedMs >= 1.0 && elapsedMs <= kMaxStepMs;
    carryMs_ = ordinary ? elapsedMs - step : 0.0;
    return step;
}

void FrameClock::countFrame(int elapsedMs) {
    ++frames_;
    totalMs_ += elapsedMs;
    if (totalMs_ < kMeasureWindowMs) return;
    framesPerSecond_ = 1000.0f / (float(totalMs_) / float(frames_));
    frames_ = 0;
    totalMs_ = 0;
}

}  // namespace brx
