#include "objects/BigBomb.h"

#include <GL/gl.h>

#include <cmath>
#include <numbers>

#include "core/Random.h"

namespace brx {
namespace {

// (advance ms, opacity) of the ten rings, outermost first.
struct Ring {
    double advanceMs;
    float alpha;
};
constexpr Ring kRings[] = {{240, 1.0f}, {216, 0.9f}, {192, 0.8f}, {168, 0.7f}, {144, 0.6f},
                           {120, 0.5f}, {96, 0.4f},  {72, 0.3f},  {96, 0.2f},  {48, 0.1f}};

}  // namespace

std::unique_ptr<KvBaseBound> BigBomb::clone() const {
    return std::make_unique<BigBomb>(*this);
}

void BigBomb::loadTextures() {
    texture.load(kBlastTextureName, true);
    particleTexture.load(kParticleTextureName, true);
}

void BigBomb::setup(int16_t) {
    blast.life = kBlastMs;
    blast.colour = {1.0f, 1.0f, 1.0f, 1.0f};
    blast.colourRate = {0.0f, 0.0f, 0.0f, float(-1.0 / kBlastMs)};
    blast.position = position;
    blast.size = 1.0;
    blast.sizeRate = randomReal(4.0f, 5.0f) / kBlastMs;
}

void BigBomb::start() {
    setup(1);
    for (const Ring& ring : kRings) emitRing(kRingParticles, ring.advanceMs, ring.alpha);
}

void BigBomb::emitRing(int n, double advanceMs, float alpha) {
    const int atEntry = particles.count();
    const double step = 2.0 * std::numbers::pi / n;
    double angle = 0.0;
    while (particles.count() < atEntry + n) {
        Particle* p = particles.append();
        if (p == nullptr) return;  // capacity reached
        const bool slow = (particles.count() - 1 - atEntry) % 2 == 0;
        angle += step;
        const Vector3 direction(float(std::sin(angle)), float(std::cos(angle)), 0.0f);
        p->velocity = direction / float(slow ? kSlowDivisor : kFastDivisor);
        p->acceleration = {};
        p->position = position + Vector3(0.0f, 0.0f, 1.0f) + p->velocity * float(advanceMs);
        p->life = kParticleLifeMs;
        p->colour = {tint.r, tint.g, tint.b, alpha};
        p->colourRate = {0.0f, 0.0f, 0.0f, float(-alpha / kParticleLifeMs)};
        p->size = 0.5;
        p->sizeRate = 0.0;
    }
}

void BigBomb::update(double dtMs) {
    if (particles.step(dtMs)) alive = false;
    blast.advanceBlast(dtMs);
}

void BigBomb::draw() {
    drawBlendedSprites();
    particleTexture.bind();
    drawParticles(particles.data(), particles.count());
    drawBlast(blast, texture);
}

}  // namespace brx
