#include "game/RemoveHVLine.h"

#include <cmath>

#include "game/BonusEffects.h"
#include "game/Game.h"
#include "objects/HVExplosion.h"

namespace brx {
namespace {

constexpr float kFlashHeight = 1.0f;  // the flashes sit this far in front of the remover

}  // namespace

RemoveHVLine::RemoveHVLine(int32_t shadowMode, int32_t initialColour) : Box(shadowMode) {
    colour = initialColour;
    isBonus = true;
}

RemoveHVLine::RemoveHVLine(const RemoveHVLine& other) : Box(other) {
    isBonus = true;
}

std::unique_ptr<Box> RemoveHVLine::cloneBox() const {
    return std::make_unique<RemoveHVLine>(*this);
}

void RemoveHVLine::activate() {
    if (!game) return;
    const Vector3 centre = position();
    BonusEffects::maybeSpawnTrail(centre);
    for (int16_t direction : {HVExplosion::kCrossVertical, HVExplosion::kCrossHorizontal}) {
        std::unique_ptr<KvBaseBound> flash = BonusEffects::makeEffect(
            *game, EffectRegistry::kHVExplosion, centre + Vector3(0.0f, 0.0f, kFlashHeight));
        if (flash) flash->setup(direction);
        BonusEffects::addEffect(std::move(flash));
    }
    Game& owner = *game;
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const Box* block = owner.blockAt(c, r);
            if (!block || block->colour == kUnmovable || block->colour == kFixed) continue;
            const Vector3 p = block->position();
            const bool onCross = std::fabs(p.y - centre.y) < BonusEffects::kLineTolerance ||
                                 std::fabs(p.x - centre.x) < BonusEffects::kLineTolerance;
            if (onCross) BonusEffects::launchWithSparkle(owner, c, r);
        }
    }
    BonusEffects::playSound(BonusEffects::kSoundLineRemover);
}

}  // namespace brx
