// One sprite of an effect: a particle of a burst, or a blast (the same record, its remaining
// time in place of the life). Speeds are units per millisecond, rates per millisecond.
#pragma once

#include "engine/O2D.h"
#include "engine/Vector3.h"

namespace brx {

struct Particle {
    Vector3 position;
    Vector3 velocity;
    Vector3 acceleration;
    Rgba colour{1.0f, 1.0f, 1.0f, 1.0f};
    Rgba colourRate{0.0f, 0.0f, 0.0f, 0.0f};
    double life = 0.0;  // ms; for a blast, the time remaining
    double size = 0.0;  // half width of the sprite (units)
    double sizeRate = 0.0;

    // One Euler step of a live particle: moves, fades, grows and ages by dtMs.
    void advance(double dtMs);
    // One step of a blast: while time remains, it ages, fades and grows in place.
    void advanceBlast(double dtMs);
    // colour += colourRate * dtMs.
    void fade(double dtMs);
};

}  // namespace brx
