#include "game/ColorBomb.h"

#include "game/BonusEffects.h"
#include "game/Game.h"
#include "objects/KvBaseBound.h"

namespace brx {
namespace {

constexpr float kBurstHeight = 0.5f;  // the burst sits this far in front of the bomb
constexpr float kByte = 255.0f;

// Burst colours as 8-bit components, by colour id 1 to 5. The white bomb bursts gold and the
// yellow one silver: the bursts are the game's own palette, not the blocks' materials.
constexpr float kBurstColours[5][3] = {
    {197, 10, 10},    // red
    {61, 61, 255},    // blue
    {33, 196, 33},    // green
    {240, 194, 74},   // white
    {193, 193, 193},  // yellow
};

}  // namespace

ColorBomb::ColorBomb(int32_t shadowMode, int32_t initialColour) : Box(shadowMode) {
    colour = initialColour;
    isBonus = true;
}

ColorBomb::ColorBomb(const ColorBomb& other) : Box(other) {
    isBonus = true;
}

std::unique_ptr<Box> ColorBomb::cloneBox() const {
    return std::make_unique<ColorBomb>(*this);
}

Rgba ColorBomb::burstTint(int32_t colourId) {
    if (colourId < kRed || colourId > kYellow) return {1.0f, 1.0f, 1.0f, 1.0f};
    const float* rgb = kBurstColours[colourId - kRed];
    return {rgb[0] / kByte, rgb[1] / kByte, rgb[2] / kByte, 1.0f};
}

void ColorBomb::activate() {
    if (!game) return;
    game->startShake();
    std::unique_ptr<KvBaseBound> burst = BonusEffects::makeEffect(
        *game, EffectRegistry::kBigBomb, position() + Vector3(0.0f, 0.0f, kBurstHeight));
    BonusEffects::maybeSpawnTrail(position());
    if (burst) {
        burst->tint = burstTint(colour);
        burst->start();
    }
    BonusEffects::addEffect(std::move(burst));
    // The bomb is launched with the rest: game may hand it to the flying list on the way.
    Game& owner = *game;
    const int32_t target = colour;
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r)
            if (const Box* block = owner.blockAt(c, r); block && block->colour == target)
                owner.launchBlock(c, r);
    BonusEffects::playSound(BonusEffects::kSoundColourBomb);
}

}  // namespace brx
