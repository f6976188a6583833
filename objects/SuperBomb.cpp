#include "objects/SuperBomb.h"

#include <GL/gl.h>

#include "core/Random.h"

namespace brx {

std::unique_ptr<KvBaseBound> SuperBomb::clone() const {
    return std::make_unique<SuperBomb>(*this);
}

void SuperBomb::loadTextures() {
    texture.load(kBlastTextureName, true);
    fireTexture.load(kFireTextureName, true);
}

void SuperBomb::setup(int16_t) {
    blast.life = kBlastMs;
    blast.colour = {1.0f, 1.0f, 1.0f, 0.75f};
    blast.colourRate = {0.0f, 0.0f, 0.0f, float(-0.75 / kBlastMs)};
    blast.position = position;
    blast.size = 1.0;
    blast.sizeRate = 4.0 / kBlastMs;
}

void SuperBomb::start() {
    setup(1);
    while (Particle* p = particles.append()) {
        p->velocity = {};
        p->acceleration = {};
        const float z = randomReal(-0.5f, 0.5f) + 1.0f;
        const float y = randomReal(-1.0f, 1.0f);
        const float x = randomReal(-1.0f, 1.0f);
        p->position = position + Vector3(x, y, z);
        p->life = random(300, 450);
        const auto life = float(p->life);
        p->colour = {0.8f, 0.6f, 0.2f, 0.5f};
        p->colourRate = {-0.8f / life, -0.6f / life, -0.2f / life, 0.0f};
        p->size = 0.5;
        p->sizeRate = randomReal(0.25f, 2.0f) / p->life;
    }
}

void SuperBomb::update(double dtMs) {
    if (particles.step(dtMs)) alive = false;
    blast.advanceBlast(dtMs);
}

void SuperBomb::draw() {
    drawBlast(blast, texture);
    glBlendFunc(GL_ONE, GL_ONE);
    fireTexture.bind();
    drawParticles(particles.data(), particles.count());
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

}  // namespace brx
