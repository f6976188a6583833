// The block objects: loading every model of the game cold through the library (the real
// archive when the data has been built beside the benchmark, else the art generator's models),
// and one motion step of a full 16 x 18 board of 288 blocks in every kind of motion.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "core/DataManifest.h"
#include "core/Random.h"
#include "core/ResourceArchive.h"
#include "objects/Box.h"
#include "objects/ModelLibrary.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/TempDir.h"
#include "tools/art/AsvmWriter.h"
#include "tools/art/ModelArt.h"

namespace {

constexpr int kBoardBlocks = 16 * 18;
constexpr int kFrameMs = 16;

// Opens the built archive, or one made from the generator's models; true for the real one.
bool openModelArchive(testsupport::TempDir& folder) {
    brx::ResourceArchive& archive = brx::ResourceArchive::instance();
    archive.close();
    if (archive.open() && archive.contains("Data/Models/Hi/FastBox.Asvm")) return true;
    testsupport::ArchiveBuilder builder;
    for (const brx::DataManifest::Model& model : brx::DataManifest::models()) {
        if (model.detailSwitched) {
            builder.add(
                brx::DataManifest::kHighDetailFolder + model.name,
                brx::tools::AsvmWriter::encode(brx::tools::ModelArt::model(model.name, true)));
        } else {
            builder.add(
                brx::DataManifest::kModelFolder + model.name,
                brx::tools::AsvmWriter::encode(brx::tools::ModelArt::model(model.name, true)));
        }
    }
    builder.install(folder);
    return false;
}

void BM_LoadEveryModelCold(benchmark::State& state) {
    testsupport::TempDir folder;
    const bool real = openModelArchive(folder);
    brx::ModelLibrary::instance().setDetail(brx::ModelLibrary::kHighDetail);
    size_t triangles = 0;
    for (auto _ : state) {
        // Every model is released at the end of the pass, so each pass reads every file anew.
        std::vector<std::unique_ptr<brx::KvModel>> models;
        triangles = 0;
        for (const brx::DataManifest::Model& entry : brx::DataManifest::models()) {
            auto model = std::make_unique<brx::KvModel>();
            model->data().detailSwitched = entry.detailSwitched;
            model->load(entry.name);
            triangles += model->mesh().faceCount;
            models.push_back(std::move(model));
        }
        benchmark::DoNotOptimize(models.data());
    }
    state.SetLabel(real ? "real archive" : "generator models");
    state.counters["triangles"] = double(triangles);
    state.counters["models"] = double(brx::DataManifest::models().size());
    brx::ResourceArchive::instance().close();
}
BENCHMARK(BM_LoadEveryModelCold)->Unit(benchmark::kMillisecond);

// Sets a block going again in the kind of motion its index stands for.
void restart(brx::Box& box, int index) {
    const brx::Vector3 home(float(index % 16), float(index / 16), 0.0f);
    switch (index % 4) {
        case 0:
            box.setPosition(home + brx::Vector3(0, 3, 0));
            box.startMove(brx::Box::kFalling, home);
            break;
        case 1:
            box.setPosition(home - brx::Vector3(3, 0, 0));
            box.startMove(brx::Box::kSlidingRight, home);
            break;
        case 2:
            box.setPosition(home);
            box.startSpin();
            break;
        default:
            box.setPosition(home);
            box.life = 1;
            box.flyAway();
            break;
    }
}

void BM_MoveFullBoard(benchmark::State& state) {
    brx::seedRandom(3);
    std::vector<std::unique_ptr<brx::Box>> blocks;
    for (int i = 0; i < kBoardBlocks; ++i) {
        blocks.push_back(std::make_unique<brx::Box>());
        restart(*blocks.back(), i);
    }
    for (auto _ : state) {
        for (int i = 0; i < kBoardBlocks; ++i) {
            brx::Box& box = *blocks[size_t(i)];
            benchmark::DoNotOptimize(box.move(kFrameMs));
            const bool done = box.life < 0 || (box.motion == brx::Box::kResting && !box.spinning);
            if (done) restart(box, i);
        }
    }
    state.SetItemsProcessed(state.iterations() * kBoardBlocks);
}
BENCHMARK(BM_MoveFullBoard)->Unit(benchmark::kMicrosecond);

}  // namespace
