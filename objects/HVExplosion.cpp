#include "objects/HVExplosion.h"

#include <GL/gl.h>

#include "core/Random.h"
#include "objects/BillboardCorners.h"

namespace brx {
namespace {

constexpr float kNearOffset = 0.5f;  // units from the centre, row and column removers
constexpr float kFarOffset = 0.75f;  // units from the centre, cross remover

// Offset of blast B from the centre for the direction (blast A sits opposite).
Vector3 offsetFor(int16_t direction) {
    switch (direction) {
        case HVExplosion::kRow:
            return {kNearOffset, 0.0f, 0.0f};
        case HVExplosion::kColumn:
            return {0.0f, kNearOffset, 0.0f};
        case HVExplosion::kCrossVertical:
            return {0.0f, kFarOffset, 0.0f};
        case HVExplosion::kCrossHorizontal:
            return {kFarOffset, 0.0f, 0.0f};
        default:
            return {};
    }
}

}  // namespace

std::unique_ptr<KvBaseBound> HVExplosion::clone() const {
    return std::make_unique<HVExplosion>(*this);
}

void HVExplosion::loadTextures() {
    texture.load(kTextureName, true);
}

void HVExplosion::setup(int16_t direction) {
    for (Particle* blast : {&blastA, &blastB}) {
        blast->life = kLifetimeMs;
        blast->colourRate = {0.0f, 0.0f, 0.0f, float(-1.0 / kLifetimeMs)};
        blast->size = 0.25;
    }
    blastA.colour = {1.0f, 1.0f, 1.1f, 1.0f};
    blastB.colour = {1.0f, 1.0f, 1.0f, 1.0f};
    double growth = randomReal(2.5f, 3.0f) / kLifetimeMs;
    if (direction == kCrossVertical || direction == kCrossHorizontal)
        growth = randomReal(1.5f, 2.0f) / kLifetimeMs;
    const Vector3 offset = offsetFor(direction);
    blastA.position = position - offset;
    blastB.position = position + offset;
    blastA.sizeRate = blastB.sizeRate = growth;
}

void HVExplosion::update(double dtMs) {
    if (blastA.life < 0.0) {
        alive = false;
        return;
    }
    // B shares A's clock, fade and growth.
    blastB.life = blastA.life;
    blastB.colourRate = blastA.colourRate;
    blastB.sizeRate = blastA.sizeRate;
    blastA.advanceBlast(dtMs);
    blastB.advanceBlast(dtMs);
}

void HVExplosion::draw() {
    drawBlendedSprites();
    texture.bind();
    const BillboardCorners& corners = BillboardCorners::current();
    for (const Particle* blast : {&blastA, &blastB}) {
        if (blast->life <= 0.0) continue;
        glColor4f(blast->colour.r, blast->colour.g, blast->colour.b, blast->colour.a);
        corners.drawBillboard(blast->position, float(blast->size));
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

}  // namespace brx
