#include "game/BonusEffects.h"

#include "core/Random.h"
#include "game/Game.h"
#include "objects/EffectList.h"
#include "objects/KvBaseBound.h"
#include "objects/SplineTrail.h"
#include "sound/SoundManager.h"

namespace brx {

void BonusEffects::maybeSpawnTrail(const Vector3& position) {
    if (random(0, 1) == 0) SplineTrail::instance().spawn(position);
}

std::unique_ptr<KvBaseBound> BonusEffects::makeEffect(const Game& game, int key,
                                                      const Vector3& position) {
    const EffectRegistry* registry = game.effectRegistry();
    if (!registry) return nullptr;
    std::unique_ptr<KvBaseBound> effect = registry->create(key);
    if (effect) effect->position = position;
    return effect;
}

void BonusEffects::addEffect(std::unique_ptr<KvBaseBound> effect) {
    EffectList::instance().add(std::move(effect));
}

void BonusEffects::launchWithSparkle(Game& game, int column, int row) {
    const Box* block = game.blockAt(column, row);
    if (!block) return;
    const Vector3 where = block->position();
    game.launchBlock(column, row);
    std::unique_ptr<KvBaseBound> sparkle = makeEffect(game, EffectRegistry::kBoxExplosion, where);
    if (!sparkle) return;
    sparkle->start();
    addEffect(std::move(sparkle));
}

Box::Cell BonusEffects::findCell(const Game& game, const Box* block) {
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r)
            if (game.blockAt(c, r) == block) return {c, r};
    return {-1, -1};
}

void BonusEffects::playSound(int id) {
    SoundManager::instance().play(id, 0);
}

}  // namespace brx
