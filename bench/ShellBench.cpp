// The shell's costs: start-up to the first frame after the loading bar, the CPU time of one
// drawn menu frame without the swap, the frame rate of drawn frames with swap pacing off, and
// the share of a core the main loop takes on the still menu. Runs the real shell in the
// benchmark's own window; the working directory becomes the built game folder so the real
// archive is read.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <GL/gl.h>

#include <chrono>
#include <ctime>
#include <memory>

#include "app/OBrixel.h"
#include "core/SystemSettings.h"
#include "platform/Platform.h"

namespace {

using Clock = std::chrono::steady_clock;

// The shell with the swap replaced by a finish, so a frame's own work can be timed.
class UnswappedShell : public brx::OBrixel {
public:
    void swapBuffers() override { glFinish(); }
};

// The shell whose main loop ends by itself after two seconds.
class TimedShell : public brx::OBrixel {
public:
    void frame(int elapsedMs) override {
        brx::OBrixel::frame(elapsedMs);
        if (Clock::now() - start_ > std::chrono::seconds(2) && !quitting_) {
            quitting_ = true;
            quit();
        }
    }
    void startTiming() { start_ = Clock::now(); }

private:
    Clock::time_point start_ = Clock::now();
    bool quitting_ = false;
};

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

template <typename Shell>
std::unique_ptr<Shell> startShell() {
    if (chdir(BRX_GAME_DIR) != 0) return nullptr;
    brx::SystemSettings::instance() = brx::SystemSettings{};
    auto shell = std::make_unique<Shell>();
    if (!shell->create(brx::OBrixel::kClassName, brx::OBrixel::kTitle, 800, 600)) return nullptr;
    shell->init();
    return shell;
}

void BM_StartUpToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        auto shell = startShell<brx::OBrixel>();
        if (!shell) {
            state.SkipWithError("the shell could not start (display or data missing)");
            return;
        }
        shell->frame(16);
    }
}
BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FrameWithoutSwap(benchmark::State& state) {
    auto shell = startShell<UnswappedShell>();
    if (!shell) {
        state.SkipWithError("the shell could not start (display or data missing)");
        return;
    }
    for (auto _ : state) {
        shell->requestRedraw();  // the still menu would skip its drawing
        shell->frame(16);
    }
}
BENCHMARK(BM_FrameWithoutSwap)->Unit(benchmark::kMicrosecond);

// Draws frames for two seconds of wall time with swap pacing off; reports frames per second
// and the share of one core the process used (GL driver threads included).
void BM_UnpacedFrames(benchmark::State& state) {
    auto shell = startShell<brx::OBrixel>();
    if (!shell) {
        state.SkipWithError("the shell could not start (display or data missing)");
        return;
    }
    platform::setSwapPacing(false);
    for (auto _ : state) {
        const auto start = Clock::now();
        const double cpuStart = processCpuSeconds();
        int frames = 0;
        while (Clock::now() - start < std::chrono::seconds(2)) {
            shell->requestRedraw();
            shell->frame(16);
            ++frames;
        }
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        state.counters["fps"] = frames / wall;
        state.counters["cpu_percent_of_core"] = 100.0 * (processCpuSeconds() - cpuStart) / wall;
    }
    platform::setSwapPacing(true);
}
BENCHMARK(BM_UnpacedFrames)->Unit(benchmark::kMillisecond)->Iterations(1);

// The real main loop on the still menu for two seconds: the share of one core it takes.
void BM_MainLoopOnTheStillMenu(benchmark::State& state) {
    auto shell = startShell<TimedShell>();
    if (!shell) {
        state.SkipWithError("the shell could not start (display or data missing)");
        return;
    }
    for (auto _ : state) {
        shell->startTiming();
        const auto start = Clock::now();
        const double cpuStart = processCpuSeconds();
        shell->run();
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        state.counters["cpu_percent_of_core"] = 100.0 * (processCpuSeconds() - cpuStart) / wall;
    }
}
BENCHMARK(BM_MainLoopOnTheStillMenu)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
