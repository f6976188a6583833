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

    // Starts measuring at nowMs (ms on the precise clock).
    void start(double nowMs);
    // The whole-millisecond step of the pass at nowMs. The fraction left over is carried into
    // the next pass, so that the steps add up to the time that passed (stalls and passes under
    // a millisecond aside, which clampStep rules).
    int takeStep(double nowMs);

    // Counts one pass of elapsedMs; once a second's worth is in, updates framesPerSecond().
    void countFrame(int elapsedMs);
    // Frames per second measured over the last full second; 0 before the first one.
    float framesPerSecond() const { return framesPerSecond_; }

private:
    double lastMs_ = 0.0;
    double carryMs_ = 0.0;  // fraction of a millisecond not yet handed out
    int frames_ = 0;
    int totalMs_ = 0;
    float framesPerSecond_ = 0.0f;
};

}  // namespace brx
