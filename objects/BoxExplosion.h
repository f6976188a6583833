// The sparkle round a block taken by a line remover: a few glints of one pastel colour that
// stay where they are, fade and grow; drawn flat in the board plane, not facing the camera.
#pragma once

#include "objects/KvBaseBound.h"
#include "objects/ParticleArray.h"

namespace brx {

class BoxExplosion : public KvBaseBound {
public:
    static constexpr const char* kTextureName = "ParticleBit.Tga";
    static constexpr int kCapacity = 64;
    static constexpr int kStartParticles = 4;
    static constexpr int kPaletteSize = 12;
    // Red, green and blue of the twelve glint colours.
    static constexpr float kPalette[kPaletteSize][3] = {
        {1.0f, 0.5f, 0.5f}, {1.0f, 0.75f, 0.5f}, {1.0f, 1.0f, 0.5f}, {0.75f, 1.0f, 0.5f},
        {0.5f, 1.0f, 0.5f}, {0.5f, 1.0f, 0.75f}, {0.5f, 1.0f, 1.0f}, {0.5f, 0.75f, 1.0f},
        {0.5f, 0.5f, 1.0f}, {0.75f, 0.5f, 1.0f}, {1.0f, 0.5f, 1.0f}, {1.0f, 0.5f, 0.75f}};

    std::unique_ptr<KvBaseBound> clone() const override;
    // emit(4).
    void start() override;
    // Particle step; ends when the last glint has died.
    void update(double dtMs) override;
    // Each live glint as a square in the board plane; leaves depth writes on, blending off.
    void draw() override;
    void loadTextures() override;

    // Up to n glints of one colour (drawn once per call) within half a unit of the block,
    // lifted by one unit; each draws its life, then z, y, x, then its growth.
    void emit(int n);

    ParticleArray<kCapacity> particles;
};

}  // namespace brx
