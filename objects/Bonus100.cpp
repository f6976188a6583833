#include "objects/Bonus100.h"

namespace brx {

std::unique_ptr<KvBaseBound> Bonus100::clone() const {
    return std::make_unique<Bonus100>(*this);
}

void Bonus100::loadTextures() {
    texture.load(kTextureName, true);
}

void Bonus100::start() {
    setup(1);
}

void Bonus100::setup(int16_t) {
    blast.velocity = {0.0f, kRiseSpeed, 0.0f};
    blast.acceleration = {};
    blast.life = kLifetimeMs;
    blast.colour = {1.0f, 1.0f, 1.0f, 1.0f};
    blast.colourRate = {0.0f, 0.0f, 0.0f, float(-1.0 / kLifetimeMs)};
    blast.position = position;
    blast.size = 1.0;
}

void Bonus100::update(double dtMs) {
    if (blast.life <= 0.0) {
        alive = false;
        return;
    }
    blast.life -= dtMs;
    blast.fade(dtMs);
    blast.position += blast.velocity * float(dtMs);
    blast.velocity += blast.acceleration * float(dtMs);
}

void Bonus100::draw() {
    drawBlast(blast, texture);
}

}  // namespace brx
