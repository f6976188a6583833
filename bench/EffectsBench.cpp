// The timed effects' share of a frame: EffectList::updateAll with one of every effect at its
// full particle capacity, and the spline positions the glowing trail evaluates for its streak.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "core/Random.h"
#include "objects/BigBomb.h"
#include "objects/Bonus100.h"
#include "objects/BoxExplosion.h"
#include "objects/EffectList.h"
#include "objects/HVExplosion.h"
#include "objects/OWayPoint.h"
#include "objects/SuperBomb.h"

namespace {

// One of each effect, every particle array full: 512 + 64 + 32 particles and four blasts.
void fillList() {
    brx::EffectList& list = brx::EffectList::instance();
    list.clear();
    auto sign = std::make_unique<brx::Bonus100>();
    sign->start();
    auto bomb = std::make_unique<brx::BigBomb>();
    bomb->start();
    while (bomb->particles.count() < brx::BigBomb::kCapacity) bomb->emitRing(16, 0.0, 1.0f);
    auto flash = std::make_unique<brx::HVExplosion>();
    flash->setup(brx::HVExplosion::kCrossVertical);
    auto sparkle = std::make_unique<brx::BoxExplosion>();
    sparkle->emit(brx::BoxExplosion::kCapacity);
    auto fire = std::make_unique<brx::SuperBomb>();
    fire->start();
    list.add(std::move(sign));
    list.add(std::move(bomb));
    list.add(std::move(flash));
    list.add(std::move(sparkle));
    list.add(std::move(fire));
}

// A frame step of 0 ms costs what any step costs (every particle is advanced) but keeps the
// effects alive, so each iteration measures the same full frame.
void BM_UpdateAllFullCapacity(benchmark::State& state) {
    brx::seedRandom(1);
    fillList();
    for (auto _ : state) {
        brx::EffectList::instance().updateAll(0.0);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * (512 + 64 + 32));
    brx::EffectList::instance().clear();
}
BENCHMARK(BM_UpdateAllFullCapacity);

// A realistic 16 ms frame, the list refilled whenever its effects have run out.
void BM_UpdateAllSixteenMsFrames(benchmark::State& state) {
    brx::seedRandom(2);
    fillList();
    for (auto _ : state) {
        if (brx::EffectList::instance().empty()) {
            state.PauseTiming();
            fillList();
            state.ResumeTiming();
        }
        brx::EffectList::instance().updateAll(16.0);
    }
    brx::EffectList::instance().clear();
}
BENCHMARK(BM_UpdateAllSixteenMsFrames);

// The streak of a trail on a 40-point path of about 60 units: W / 50 positions per frame.
void BM_TrailStreakPositions(benchmark::State& state) {
    brx::OWayPoint path;
    for (int i = 0; i <= 40; ++i) {
        const double a = 2.0 * std::numbers::pi * (i % 40) / 40.0;
        path.points.emplace_back(float(10 * std::cos(a)), float(7 * std::sin(2 * a)), 2.0f);
    }
    path.build();
    const double streak = 300000.0 / path.length;
    double head = 0.0;
    for (auto _ : state) {
        head = std::fmod(head + 16.0 * path.length / 25.0, 60000.0 - streak - 1.0);
        for (double t = std::floor(head); t < head + streak; t += 50.0)
            benchmark::DoNotOptimize(path.positionAt(float(t)));
    }
    state.counters["positions"] = streak / 50.0;
}
BENCHMARK(BM_TrailStreakPositions);

}  // namespace
