// The game's effect prototypes by key; bonuses make their effects by cloning them:
//   auto effect = registry.create(EffectRegistry::kBigBomb);
//   effect->position = ...; effect->tint = ...; effect->start();  // or setup(direction)
//   EffectList::instance().add(std::move(effect));
//
// Design note: the prototypes are built without textures so that rules and tests can use the
// registry without a rendering context; loadTextures() gives them (and the trail) their sprites
// once the context exists. Clones share the prototypes' textures.
#pragma once

#include <map>
#include <memory>

#include "objects/KvBaseBound.h"

namespace brx {

class EffectRegistry {
public:
    static constexpr int kBonus100 = 1;
    static constexpr int kBigBomb = 2;
    static constexpr int kHVExplosion = 3;
    static constexpr int kBoxExplosion = 4;
    static constexpr int kSuperBomb = 5;

    // One prototype of each of the five effects, without textures.
    EffectRegistry();

    // Loads the sprites of every prototype and of the glowing trail (mipmaps); a missing
    // sprite is logged and that effect goes on without it. The game calls it as it is set up,
    // before any effect is made.
    void loadTextures();
    // A new effect cloned from the prototype under key, or null for an unknown key.
    std::unique_ptr<KvBaseBound> create(int key) const;
    // The prototype under key, or null.
    const KvBaseBound* prototype(int key) const;

private:
    std::map<int, std::unique_ptr<KvBaseBound>> prototypes_;
};

}  // namespace brx
