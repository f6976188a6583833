// The rising "100 points" sign: one blast that climbs one unit per second and fades out in a
// second.
#pragma once

#include "objects/KvBaseBound.h"

namespace brx {

class Bonus100 : public KvBaseBound {
public:
    static constexpr const char* kTextureName = "100.Tga";
    static constexpr double kLifetimeMs = 1000.0;
    static constexpr float kRiseSpeed = 0.001f;  // units per ms

    std::unique_ptr<KvBaseBound> clone() const override;
    // setup(1).
    void start() override;
    // Rises and fades; once no time remains the effect asks to be deleted.
    void update(double dtMs) override;
    void draw() override;
    // The sign at position, opaque white, one unit wide either side, a second to live.
    void setup(int16_t mode) override;
    void loadTextures() override;

    Particle blast;
};

}  // namespace brx
