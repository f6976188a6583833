// The main loop's time step and frame-rate counter.
//
// Design note: one step drives every animation, so it is clamped: a stall (a drag, a modal box,
// a slow frame) longer than kMaxStepMs advances the game by kStallStepMs only, and a zero step
// still moves things by 1 ms.
#pragma once

namespace brx {

class FrameClock {
public:
    static constexpr double kMaxStepMs = 100.0;
    static constexpr int kStallStepMs = 50;
    static constexpr int kMeasureWindowMs = 1000;

    // The step the frame gets for elapsedMs since the previous pass (ms).
    static int clampStep(double elapsedMs);

    // Counts one pass of elapsedMs; once a second's worth is in, updates framesPerSecond().
    void countFrame(int elapsedMs);
    // Frames per second measured over the last full second; 0 before the first one.
    float framesPerSecond() const { return framesPerSecond_; }

private:
    int frames_ = 0;
    int totalMs_ = 0;
    float framesPerSecond_ = 0.0f;
};

}  // namespace brx
