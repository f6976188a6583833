// A colour bomb: a block of one of the five colours that also joins groups of its colour.
// Clicked alone it shakes the camera, bursts in its colour and launches every block of that
// colour on the board, itself and other bombs of the colour included.
#pragma once

#include "engine/O2D.h"
#include "objects/Box.h"

namespace brx {

class ColorBomb : public Box {
public:
    explicit ColorBomb(int32_t shadowMode = kNoShadow, int32_t initialColour = kRed);
    ColorBomb(const ColorBomb& other);

    std::unique_ptr<Box> cloneBox() const override;
    // Goes off on the owning game's board (game must be set).
    void activate() override;

    // The colour of the burst for a colour id 1 to 5 (each bomb its own); white otherwise.
    static Rgba burstTint(int32_t colourId);
};

}  // namespace brx
