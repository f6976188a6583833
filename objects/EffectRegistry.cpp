#include "objects/EffectRegistry.h"

#include "core/ErrorLog.h"
#include "engine/OException.h"
#include "objects/BigBomb.h"
#include "objects/Bonus100.h"
#include "objects/BoxExplosion.h"
#include "objects/HVExplosion.h"
#include "objects/SplineTrail.h"
#include "objects/SuperBomb.h"

namespace brx {

EffectRegistry::EffectRegistry() {
    prototypes_[kBonus100] = std::make_unique<Bonus100>();
    prototypes_[kBigBomb] = std::make_unique<BigBomb>();
    prototypes_[kHVExplosion] = std::make_unique<HVExplosion>();
    prototypes_[kBoxExplosion] = std::make_unique<BoxExplosion>();
    prototypes_[kSuperBomb] = std::make_unique<SuperBomb>();
}

void EffectRegistry::loadTextures() {
    // One missing sprite (logged by the loader) leaves that effect bare, not all of them.
    for (auto& entry : prototypes_) {
        try {
            entry.second->loadTextures();
        } catch (const OFileNotFound&) {
            BRX_LOG_ERROR("Effect %d draws without its sprite", entry.first);
        }
    }
    try {
        SplineTrail::instance().loadTexture();
    } catch (const OFileNotFound&) {
        BRX_LOG_ERROR("The glowing trail draws without its sprite");
    }
}

std::unique_ptr<KvBaseBound> EffectRegistry::create(int key) const {
    const KvBaseBound* source = prototype(key);
    return source ? source->clone() : nullptr;
}

const KvBaseBound* EffectRegistry::prototype(int key) const {
    const auto found = prototypes_.find(key);
    return found == prototypes_.end() ? nullptr : found->second.get();
}

}  // namespace brx
