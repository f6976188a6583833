// The burst of a colour bomb: a growing white flash and ten rings of dust in the bomb's tint
// that spread in the board plane, fainter towards the centre.
#pragma once

#include "objects/KvBaseBound.h"
#include "objects/ParticleArray.h"

namespace brx {

class BigBomb : public KvBaseBound {
public:
    static constexpr const char* kBlastTextureName = "BmBlast.Tga";
    static constexpr const char* kParticleTextureName = "DirtPuf.Tga";
    static constexpr int kCapacity = 512;
    static constexpr int kRingParticles = 16;
    static constexpr double kBlastMs = 500.0;
    static constexpr double kParticleLifeMs = 750.0;
    // Units per ms of the slow and the fast particles of a ring.
    static constexpr double kSlowDivisor = 350.0;
    static constexpr double kFastDivisor = 175.0;

    std::unique_ptr<KvBaseBound> clone() const override;
    // setup(1), then the ten rings.
    void start() override;
    // Particle step, then blast step; ends when the last particle has died.
    void update(double dtMs) override;
    // The dust, then the flash.
    void draw() override;
    // The flash at position: opaque white, fading in 500 ms, growing to 5 or 6 units (one
    // draw of the generator).
    void setup(int16_t mode) override;
    void loadTextures() override;

    // Up to n particles evenly round a ring, alternating slow and fast, already advanced by
    // advanceMs, in the tint with the given opacity.
    void emitRing(int n, double advanceMs, float alpha);

    TextureRef particleTexture;
    Particle blast;
    ParticleArray<kCapacity> particles;
};

}  // namespace brx
