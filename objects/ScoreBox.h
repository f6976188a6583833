// The block of the finishing fill (colour id 8): shown at full size, then shrinking away with
// every frame drawn, after which it still holds its cell but is invisible.
//
// Design note: the shrink happens in draw(), driven by frameTime, because the level-end count
// writes the frame time into every block and only draws them during that phase.
#pragma once

#include "objects/Box.h"

namespace brx {

class ScoreBox : public Box {
public:
    // Below this scale the block is no longer drawn.
    static constexpr double kVanishScale = 0.25;
    // Scale lost per millisecond of frameTime: from 1 to 0.25 in 300 ms.
    static constexpr double kShrinkPerMs = 0.0025;

    explicit ScoreBox(int32_t shadowMode = kNoShadow);
    ScoreBox(const ScoreBox& other);

    std::unique_ptr<Box> cloneBox() const override;
    // Shrinks by frameTime and draws at the new scale; nothing once below kVanishScale.
    void draw() override;
    // Score blocks take no part in the intro and outro.
    void drawDetailed() override {}

    double scale = 1.0;
};

}  // namespace brx
