#include "objects/BoxExplosion.h"

#include <GL/gl.h>

#include "core/Random.h"

namespace brx {

std::unique_ptr<KvBaseBound> BoxExplosion::clone() const {
    return std::make_unique<BoxExplosion>(*this);
}

void BoxExplosion::loadTextures() {
    texture.load(kTextureName, true);
}

void BoxExplosion::start() {
    emit(kStartParticles);
}

void BoxExplosion::emit(int n) {
    const float* rgb = kPalette[random(0, kPaletteSize - 1)];
    const int atEntry = particles.count();
    while (particles.count() < atEntry + n) {
        Particle* p = particles.append();
        if (p == nullptr) return;  // capacity reached
        p->life = randomReal(750.0f, 1000.0f);
        const float z = randomReal(-0.5f, 0.5f) + 1.0f;
        const float y = randomReal(-0.5f, 0.5f);
        const float x = randomReal(-0.5f, 0.5f);
        p->position = position + Vector3(x, y, z);
        p->velocity = {};
        p->acceleration = {};
        p->colour = {rgb[0], rgb[1], rgb[2], 1.0f};
        p->colourRate = {0.0f, 0.0f, 0.0f, float(-1.0 / p->life)};
        p->size = 0.25;
        p->sizeRate = randomReal(0.125f, 0.25f) / p->life;
    }
}

void BoxExplosion::update(double dtMs) {
    if (particles.step(dtMs)) alive = false;
}

void BoxExplosion::draw() {
    drawBlendedSprites();
    texture.bind();
    for (int i = 0; i < particles.count(); ++i) {
        const Particle& p = particles[i];
        if (p.life < 0.0) continue;
        const auto s = float(p.size);
        const Vector3& c = p.position;
        glColor4f(p.colour.r, p.colour.g, p.colour.b, p.colour.a);
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(c.x - s, c.y - s, c.z);
        glTexCoord2f(1.0f, 0.0f);
        glVertex3f(c.x + s, c.y - s, c.z);
        glTexCoord2f(0.0f, 1.0f);
        glVertex3f(c.x - s, c.y + s, c.z);
        glTexCoord2f(1.0f, 1.0f);
        glVertex3f(c.x + s, c.y + s, c.z);
        glEnd();
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

}  // namespace brx
