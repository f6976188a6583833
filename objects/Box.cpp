#include "objects/Box.h"

#include <GL/gl.h>

#include "core/Random.h"
#include "core/SystemSettings.h"
#include "objects/ColorMaterials.h"

namespace brx {
namespace {

const Vector3 kSpinAxes[6] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};

// Launch of a destroyed block: each velocity component uniform in its range, then scaled.
constexpr float kLaunchScale = 0.25f;
constexpr float kLaunchXRange = 0.05f;
constexpr float kLaunchYMin = 0.025f, kLaunchYMax = 0.05f;
constexpr float kLaunchZMin = 0.0125f, kLaunchZMax = 0.025f;
constexpr float kGravity = -0.00025f * 0.5f;  // units per ms^2
// End of a Classic level: straight down and towards the viewer.
const Vector3 kLeaveVelocity = Vector3(0.0f, -0.075f, 0.05f) * 0.25f;

}  // namespace

Box::Box(int32_t shadowMode) : KvModel(shadowMode) {}

Box::Box(const Box& other) : KvModel(other), game(other.game), colour(other.colour) {
    life = 1;
}

std::unique_ptr<Box> Box::cloneBox() const {
    return std::make_unique<Box>(*this);
}

bool Box::move(int32_t dtMs) {
    if (spinning) stepSpin(dtMs);
    switch (motion) {
        case kFlyingAway:
            stepFlight(dtMs);
            return false;
        case kFalling:
        case kSlidingRight:
        case kSlidingLeft:
            return stepTowardsTarget(dtMs);
        default:
            return false;
    }
}

void Box::stepSpin(int32_t dtMs) {
    double step = dtMs * kSpinSpeed;
    if (spinAngle + step > spinTarget) {
        step = spinTarget - spinAngle;
        spinning = false;
    }
    spinAngle += step;
    rotateAboutAxis(float(step), spinAxis);
    if (!spinning) {
        // A cube turned by 90 degrees looks as before: start afresh so no drift builds up.
        spinAngle = 0.0;
        resetOrientation();
    }
}

void Box::stepFlight(int32_t dtMs) {
    integrateMotion(float(dtMs));
    rotateAboutAxis(float(dtMs * tumbleSpeed), tumbleAxis);
    const Vector3 p = position();
    if (p.y < kFlyAwayFloorY || p.z > kFlyAwayFarZ) life = -1;
}

bool Box::stepTowardsTarget(int32_t dtMs) {
    translate(velocity * float(dtMs));
    const Vector3 p = position();
    if (motion == kFalling) {
        if (p.y <= target.y) arrive();
        return false;
    }
    const bool passed = motion == kSlidingRight ? p.x > target.x : p.x < target.x;
    if (!passed) return false;
    arrive();
    return true;
}

void Box::arrive() {
    setPosition(target);
    motion = kResting;
    computeBounds();
}

void Box::startSpin() {
    spinAxis = kSpinAxes[random(0, 5)];
    spinTarget = spinAngle + kQuarterTurn;
    spinning = true;
}

void Box::startMove(int32_t newMotion, const Vector3& newTarget) {
    motion = newMotion;
    target = newTarget;
    if (newMotion == kFalling) velocity = {0.0f, -kMoveSpeed, 0.0f};
    if (newMotion == kSlidingRight) velocity = {kMoveSpeed, 0.0f, 0.0f};
    if (newMotion == kSlidingLeft) velocity = {-kMoveSpeed, 0.0f, 0.0f};
}

void Box::pickTumbleAxis() {
    // z first, like the velocity: the order of the draws is part of a seeded game.
    const float z = randomReal(-1.0f, 1.0f);
    const float y = randomReal(-1.0f, 1.0f);
    const float x = randomReal(-1.0f, 1.0f);
    tumbleAxis = {x, y, z};
}

void Box::flyAway() {
    motion = kFlyingAway;
    spinning = false;
    selected = false;
    // Drawn z, y, x, as a removed group's blocks are: the order of the draws is part of a
    // seeded game.
    const float z = randomReal(kLaunchZMin, kLaunchZMax);
    const float y = randomReal(kLaunchYMin, kLaunchYMax);
    const float x = randomReal(-kLaunchXRange, kLaunchXRange);
    velocity = Vector3(x, y, z) * kLaunchScale;
    acceleration = {0.0f, kGravity, 0.0f};
    tumbleSpeed = kTumbleSpeed;
    pickTumbleAxis();
}

void Box::leaveBoard() {
    motion = kFlyingAway;
    spinning = false;
    selected = false;
    velocity = kLeaveVelocity;
    acceleration = {};
    pickTumbleAxis();
}

void Box::activate() {}

void Box::draw() {
    if (data().ownMaterial) {
        KvModel::draw();
        return;
    }
    ColorMaterials::instance().get(colour).apply();
    glPushMatrix();
    glMultMatrixf(frame.data());
    if (selected) {
        drawSelected();
    } else if (motion != kFlyingAway && !spinning) {
        callList();
    } else if (altModel) {
        altModel->callList();
    }
    glPopMatrix();
}

void Box::drawSelected() const {
    if (SystemSettings::instance().selectEffect != 0) {
        glPushMatrix();
        glScalef(kSelectedScale, kSelectedScale, kSelectedScale);
        glColor4fv(tint);
        callList();
        glPopMatrix();
    } else {
        glDepthMask(GL_FALSE);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        // Lit, a fragment's alpha is the material's diffuse alpha (glColor does not reach it
        // with colour material off); unlit, it is the current colour's. Both are halved.
        const Material& own = ColorMaterials::instance().get(colour);
        Material halfSeen = own;
        halfSeen.diffuse[3] = kSelectedAlpha;
        halfSeen.apply();
        glColor4f(1.0f, 1.0f, 1.0f, kSelectedAlpha);
        callList();
        own.apply();
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

void Box::drawDetailed() {
    if (data().ownMaterial) {
        KvModel::draw();
        return;
    }
    ColorMaterials::instance().get(colour).apply();
    glPushMatrix();
    glMultMatrixf(frame.data());
    if (altModel) altModel->callList();
    glPopMatrix();
}

}  // namespace brx
