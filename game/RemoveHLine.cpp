#include "game/RemoveHLine.h"

#include <cmath>

#include "game/BonusEffects.h"
#include "game/Game.h"
#include "objects/HVExplosion.h"

namespace brx {
namespace {

constexpr float kFlashHeight = 1.0f;  // the flash sits this far in front of the remover

}  // namespace

RemoveHLine::RemoveHLine(int32_t shadowMode, int32_t initialColour) : Box(shadowMode) {
    colour = initialColour;
    isBonus = true;
}

RemoveHLine::RemoveHLine(const RemoveHLine& other) : Box(other), horizontal(other.horizontal) {
    isBonus = true;
}

std::unique_ptr<Box> RemoveHLine::cloneBox() const {
    return std::make_unique<RemoveHLine>(*this);
}

void RemoveHLine::activate() {
    if (!game) return;
    const Vector3 centre = position();
    std::unique_ptr<KvBaseBound> flash = BonusEffects::makeEffect(
        *game, EffectRegistry::kHVExplosion, centre + Vector3(0.0f, 0.0f, kFlashHeight));
    BonusEffects::maybeSpawnTrail(centre);
    if (flash) {
        flash->setup(horizontal ? HVExplosion::kRow : HVExplosion::kColumn);
        flash->start();
    }
    BonusEffects::addEffect(std::move(flash));
    // Current positions decide, so a block falling through the line goes too.
    Game& owner = *game;
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const Box* block = owner.blockAt(c, r);
            if (!block || block->colour == kUnmovable || block->colour == kFixed) continue;
            const Vector3 p = block->position();
            const float offset = horizontal ? p.y - centre.y : p.x - centre.x;
            if (std::fabs(offset) < BonusEffects::kLineTolerance)
                BonusEffects::launchWithSparkle(owner, c, r);
        }
    }
    BonusEffects::playSound(BonusEffects::kSoundLineRemover);
}

}  // namespace brx
