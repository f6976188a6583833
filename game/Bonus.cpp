#include "game/Bonus.h"

#include "game/BonusEffects.h"
#include "game/Game.h"
#include "objects/KvBaseBound.h"

namespace brx {
namespace {

constexpr float kFlameHeight = 0.5f;  // the flame sits this far in front of the bomb

}  // namespace

// Symmetric about the bomb; its own cell is 0.
const int Bonus::kPattern[kSpan][kSpan] = {
    {0, 0, 0, 1, 1, 1, 0, 0, 0}, {0, 1, 1, 1, 1, 1, 1, 1, 0}, {0, 1, 1, 1, 1, 1, 1, 1, 0},
    {1, 1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 0, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1, 1, 1},
    {0, 1, 1, 1, 1, 1, 1, 1, 0}, {0, 1, 1, 1, 1, 1, 1, 1, 0}, {0, 0, 0, 1, 1, 1, 0, 0, 0},
};

Bonus::Bonus(int32_t shadowMode) : Box(shadowMode) {
    colour = kNoColour;
    isBonus = true;
}

Bonus::Bonus(const Bonus& other) : Box(other) {
    isBonus = true;
}

std::unique_ptr<Box> Bonus::cloneBox() const {
    return std::make_unique<Bonus>(*this);
}

void Bonus::activate() {
    if (!game) return;
    game->startShake();
    std::unique_ptr<KvBaseBound> flame = BonusEffects::makeEffect(
        *game, EffectRegistry::kSuperBomb, position() + Vector3(0.0f, 0.0f, kFlameHeight));
    if (flame) flame->start();
    BonusEffects::addEffect(std::move(flame));
    BonusEffects::maybeSpawnTrail(position());
    const Cell own = BonusEffects::findCell(*game, this);
    if (own.column >= 0) clearArea(own.column, own.row);
    BonusEffects::playSound(BonusEffects::kSoundBigBomb);
}

void Bonus::clearArea(int column, int row) {
    for (int dc = -kReach; dc <= kReach; ++dc) {
        for (int dr = -kReach; dr <= kReach; ++dr) {
            if (!kPattern[dc + kReach][dr + kReach]) continue;
            const int c = column + dc;
            const int r = row + dr;
            if (c < 0 || c >= columns || r < 0 || r >= rows) continue;
            const Box* target = game->blockAt(c, r);
            if (target && target->colour != kFixed) game->launchBlock(c, r);
        }
    }
}

}  // namespace brx
