#include "objects/Particle.h"

namespace brx {

void Particle::fade(double dtMs) {
    colour.r += float(colourRate.r * dtMs);
    colour.g += float(colourRate.g * dtMs);
    colour.b += float(colourRate.b * dtMs);
    colour.a += float(colourRate.a * dtMs);
}

void Particle::advance(double dtMs) {
    const auto dt = float(dtMs);
    position += velocity * dt;
    velocity += acceleration * dt;
    fade(dtMs);
    size += sizeRate * dtMs;
    life -= dtMs;
}

void Particle::advanceBlast(double dtMs) {
    if (life < 0.0) return;
    life -= dtMs;
    fade(dtMs);
    size += sizeRate * dtMs;
}

}  // namespace brx
