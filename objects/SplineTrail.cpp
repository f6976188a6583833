#include "objects/SplineTrail.h"

#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "core/ErrorLog.h"
#include "objects/OWayPoint.h"
#include "objects/PathSet.h"

namespace brx {
namespace {

constexpr double kSpeedDivisor = 25.0;          // ms * L / 25 parameter units per step
constexpr double kStreakParameter = 300000.0;   // W * L, a streak of 5 units
constexpr double kHeadOpacityPerSprite = 25.0;  // sprite k has alpha 25 k / W

}  // namespace

SplineTrail& SplineTrail::instance() {
    static SplineTrail trail;
    return trail;
}

void SplineTrail::spawn(const Vector3& p) {
    if (flyer) return;
    std::shared_ptr<OWayPoint> path = PathSet::instance().nextSharedPath();
    if (path == nullptr) return;
    std::vector<Vector3> through{{p.x, p.y, kStartDepth}, p};
    through.insert(through.end(), path->points.begin(), path->points.end());
    if (!path->rebuild(through)) {
        BRX_LOG_ERROR("Trail through (%g, %g, %g) makes no spline; no trail started", p.x, p.y,
                      p.z);
        path->build();  // the file's own spline again, for the next trail
        return;
    }
    time = 0.0;
    flyer = std::make_unique<FlyObject>();
    flyer->path = path;
    flyer->setPosition(path->positionAt(0.0f));
}

double SplineTrail::streakLength() const {
    if (!flyer || !(flyer->path->length > 0.0f)) return 0.0;
    return kStreakParameter / flyer->path->length;
}

void SplineTrail::update(double ms) {
    if (!flyer) return;
    const OWayPoint& path = *flyer->path;
    time += ms * path.length / kSpeedDivisor;
    if (time > double(OWayPoint::kParameterSpan) - streakLength() - 1.0) {
        flyer.reset();
        return;
    }
    flyer->setPosition(path.positionAt(float(time)));
}

void SplineTrail::stop() {
    flyer.reset();
    time = 0.0;
}

void SplineTrail::loadTexture() {
    if (!texture) texture.load(kTextureName, true);
}

void SplineTrail::releaseTexture() {
    texture.release();
}

void SplineTrail::draw() {
    if (!flyer) return;
    const OWayPoint& path = *flyer->path;
    const double streak = streakLength();
    glDepthMask(GL_FALSE);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    texture.bind();
    int k = 1;
    for (double t = std::floor(time); t < time + streak; t += kSpriteSpacing, ++k) {
        const Vector3 c = path.positionAt(float(t));
        glColor4f(1.0f, 1.0f, 1.0f, float(kHeadOpacityPerSprite * k / streak));
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(0.0f, 1.0f);
        glVertex3f(c.x, c.y + kSpriteSide, c.z);
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(c.x, c.y, c.z);
        glTexCoord2f(1.0f, 1.0f);
        glVertex3f(c.x + kSpriteSide, c.y + kSpriteSide, c.z);
        glTexCoord2f(1.0f, 0.0f);
        glVertex3f(c.x + kSpriteSide, c.y, c.z);
        glEnd();
    }
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glEnable(GL_CULL_FACE);
    glDepthMask(GL_TRUE);
}

}  // namespace brx
