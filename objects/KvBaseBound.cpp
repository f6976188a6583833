#include "objects/KvBaseBound.h"

#include <GL/gl.h>

#include "objects/BillboardCorners.h"

namespace brx {

std::unique_ptr<KvBaseBound> KvBaseBound::clone() const {
    return std::make_unique<KvBaseBound>(*this);
}

void KvBaseBound::start() {}

void KvBaseBound::update(double) {}

void KvBaseBound::draw() {}

void KvBaseBound::setup(int16_t) {}

void KvBaseBound::loadTextures() {}

void KvBaseBound::drawBlendedSprites() {
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
}

void KvBaseBound::drawBlast(const Particle& blast, const TextureRef& blastTexture) {
    drawBlendedSprites();
    blastTexture.bind();
    glColor4f(blast.colour.r, blast.colour.g, blast.colour.b, blast.colour.a);
    BillboardCorners::current().drawBillboard(blast.position, float(blast.size));
}

void KvBaseBound::drawParticles(const Particle* particles, int count) {
    const BillboardCorners& corners = BillboardCorners::current();
    for (int i = 0; i < count; ++i) {
        const Particle& p = particles[i];
        if (p.life < 0.0) continue;
        glColor4f(p.colour.r, p.colour.g, p.colour.b, p.colour.a);
        corners.drawBillboard(p.position, float(p.size));
    }
}

}  // namespace brx
