// The explosion of the big bomb: a growing translucent flash and a cloud of fire sprites that
// fade to black, drawn with additive blending so that black shows as gone.
#pragma once

#include "objects/KvBaseBound.h"
#include "objects/ParticleArray.h"

namespace brx {

class SuperBomb : public KvBaseBound {
public:
    static constexpr const char* kBlastTextureName = "HVBlast.Tga";
    static constexpr const char* kFireTextureName = "FireFlash.Jpg";
    static constexpr int kCapacity = 32;
    static constexpr double kBlastMs = 500.0;

    std::unique_ptr<KvBaseBound> clone() const override;
    // setup(1), then the fire: each sprite draws z, y, x, its life (300..450 ms) and its growth.
    void start() override;
    // Particle step, then blast step; ends when the last fire sprite has died.
    void update(double dtMs) override;
    // The flash blended, then the fire added (the blend function is left as the flash's).
    void draw() override;
    // The flash at position, three quarters opaque, fading in 500 ms, growing by 4 units.
    void setup(int16_t mode) override;
    void loadTextures() override;

    TextureRef fireTexture;
    Particle blast;
    ParticleArray<kCapacity> particles;
};

}  // namespace brx
