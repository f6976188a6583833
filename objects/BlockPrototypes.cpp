#include "objects/BlockPrototypes.h"

#include "objects/ColorMaterials.h"
#include "objects/FlyBox.h"
#include "objects/ScoreBox.h"

namespace brx {
namespace {

// Prototypes of the board are all read from the detail folders.
BlockPrototypes::ModelSetUp detailSwitched(const Material* ownMaterial = nullptr) {
    BlockPrototypes::ModelSetUp setUp;
    setUp.detailSwitched = true;
    setUp.ownMaterial = ownMaterial;
    return setUp;
}

std::unique_ptr<Box> cloneFrom(const std::map<int32_t, std::unique_ptr<Box>>& map, int32_t key) {
    const auto found = map.find(key);
    return found == map.end() ? nullptr : found->second->cloneBox();
}

const Box* findIn(const std::map<int32_t, std::unique_ptr<Box>>& map, int32_t key) {
    const auto found = map.find(key);
    return found == map.end() ? nullptr : found->second.get();
}

}  // namespace

void BlockPrototypes::setUp(Game* owner, const BonusBuilder& bonuses) {
    release();
    ColorTable colours;
    colours.load();
    colours.fillPlainColours(ColorMaterials::instance());
    buildPlainBlock(owner);
    buildFixedBlock(owner, colours);
    buildScoreBlock(owner, colours);
    if (bonuses) bonuses(*this, colours);
}

void BlockPrototypes::release() {
    blocks_.clear();
    bonuses_.clear();
}

void BlockPrototypes::prepareModel(KvModel& model, const std::string& fileName,
                                   const ModelSetUp& setUp) {
    KvModelData& fresh = model.data();
    fresh.detailSwitched = setUp.detailSwitched;
    fresh.smoothHigh = setUp.smoothNormals;
    fresh.smoothLow = setUp.smoothNormals;
    model.load(fileName);
    // load() may have swapped in the cached data; the material belongs to that one.
    if (setUp.ownMaterial) {
        model.data().ownMaterial = true;
        model.data().material = *setUp.ownMaterial;
    }
    model.buildDisplayList();
}

void BlockPrototypes::buildPlainBlock(Game* owner) {
    auto plain = std::make_unique<Box>(KvModel::kNoShadow);
    prepareModel(*plain, kPlainModel, detailSwitched());
    plain->colour = Box::kRed;
    plain->game = owner;
    // Resting blocks show the cheap model; turning and flying ones this rounder one.
    plain->altModel = std::make_unique<KvModel>(KvModel::kNoShadow);
    prepareModel(*plain->altModel, kPlainSecondModel, detailSwitched());
    blocks_[kPlainKey] = std::move(plain);
}

void BlockPrototypes::buildFixedBlock(Game* owner, ColorTable& colours) {
    const Material material = colours.material(kFixedMaterial);
    auto fixed = std::make_unique<FlyBox>(KvModel::kNoShadow);
    prepareModel(*fixed, kFixedModel, detailSwitched(&material));
    fixed->colour = Box::kFixed;
    fixed->game = owner;
    blocks_[kFixedKey] = std::move(fixed);
}

void BlockPrototypes::buildScoreBlock(Game* owner, ColorTable& colours) {
    const Material material = colours.material(kScoreMaterial);
    auto score = std::make_unique<ScoreBox>(KvModel::kNoShadow);
    prepareModel(*score, kScoreModel, detailSwitched(&material));
    score->colour = Box::kNoColour;
    score->game = owner;
    blocks_[kScoreKey] = std::move(score);
}

const Box* BlockPrototypes::block(int32_t key) const {
    return findIn(blocks_, key);
}

const Box* BlockPrototypes::bonus(int32_t key) const {
    return findIn(bonuses_, key);
}

std::unique_ptr<Box> BlockPrototypes::cloneBlock(int32_t key) const {
    return cloneFrom(blocks_, key);
}

std::unique_ptr<Box> BlockPrototypes::cloneBonus(int32_t key) const {
    return cloneFrom(bonuses_, key);
}

void BlockPrototypes::addBonus(int32_t key, std::unique_ptr<Box> prototype) {
    bonuses_[key] = std::move(prototype);
}

}  // namespace brx
