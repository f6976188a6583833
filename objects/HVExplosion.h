// The flash of a line remover: two blasts either side of the remover that grow and fade
// together. The direction given to setup places them: 0 along a row, 1 along a column, 2 and 3
// wider apart and growing more slowly (the two halves of the cross remover).
#pragma once

#include "objects/KvBaseBound.h"

namespace brx {

class HVExplosion : public KvBaseBound {
public:
    static constexpr const char* kTextureName = "HVBlast.Tga";
    static constexpr double kLifetimeMs = 600.0;
    static constexpr int16_t kRow = 0;
    static constexpr int16_t kColumn = 1;
    static constexpr int16_t kCrossVertical = 2;
    static constexpr int16_t kCrossHorizontal = 3;

    std::unique_ptr<KvBaseBound> clone() const override;
    // Both blasts advance while the first has time left; then the effect asks to be deleted.
    void update(double dtMs) override;
    void draw() override;
    // Places and starts both blasts for the direction (see above). Draws the growth from the
    // generator once, and for directions 2 and 3 once more for the slower growth.
    void setup(int16_t direction) override;
    void loadTextures() override;

    Particle blastA;
    Particle blastB;
};

}  // namespace brx
