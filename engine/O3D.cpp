#include "engine/O3D.h"

#include <GL/gl.h>

#include <cmath>

namespace brx {

namespace {

// |m x d| against the box's projection on each of the three cross axes: true when the line
// through m along d passes the box of half-extents e without touching it.
bool lineSeparated(const Vector3& m, const Vector3& d, const Vector3& e) {
    if (std::fabs(m.y * d.z - m.z * d.y) > e.y * std::fabs(d.z) + e.z * std::fabs(d.y)) return true;
    if (std::fabs(m.z * d.x - m.x * d.z) > e.x * std::fabs(d.z) + e.z * std::fabs(d.x)) return true;
    return std::fabs(m.x * d.y - m.y * d.x) > e.x * std::fabs(d.y) + e.y * std::fabs(d.x);
}

// Any unit vector perpendicular to v (v non-zero).
Vector3 perpendicularTo(const Vector3& v) {
    const Vector3 helper = std::fabs(v.x) < std::fabs(v.y) ? Vector3(1, 0, 0) : Vector3(0, 1, 0);
    return v.cross(helper).normalized();
}

void drawAxisLine(const Vector3& from, const Vector3& axis, float r, float g, float b) {
    const Vector3 to = from + axis * O3D::kAxisLength;
    glColor3f(r, g, b);
    glVertex3f(from.x, from.y, from.z);
    glVertex3f(to.x, to.y, to.z);
}

}  // namespace

void O3D::update(int32_t /*arg*/) {}

void O3D::draw() {
    glPushMatrix();
    const GLboolean lightingWasOn = glIsEnabled(GL_LIGHTING);
    glDisable(GL_LIGHTING);
    glEnable(GL_LINE_SMOOTH);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glLineWidth(1.0f);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_LINES);
    drawAxisLine(position(), axisX(), 1, 0, 0);
    drawAxisLine(position(), axisY(), 0, 1, 0);
    drawAxisLine(position(), axisZ(), 0, 0, 1);
    glEnd();
    glLineWidth(1.0f);
    glDisable(GL_BLEND);
    glColor3f(1, 1, 1);
    if (lightingWasOn) glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
}

void O3D::resetOrientation() {
    const Vector3 p = position();
    frame = Matrix4();
    setPosition(p);
}

void O3D::rotateAboutAxis(float angleRad, const Vector3& axis) {
    const Matrix4 rotation = Matrix4::rotationAxis(axis, angleRad);
    for (int i = 0; i < 3; ++i) frame.setColumn(i, rotation.transformDirection(frame.column(i)));
}

void O3D::rotateTowards(const Vector3& point, const Vector3& vector) {
    const Vector3 w = point - position();
    if (w.isZero() || vector.isZero()) return;
    const float angle = angleBetween(w, vector);
    Vector3 axis = vector.cross(w).normalized();
    // Opposite directions have no cross product; any perpendicular axis turns one onto the
    // other, where leaving the frame alone would face the wrong way.
    if (axis.isZero() && angle > 0.0f) axis = perpendicularTo(vector);
    rotateAboutAxis(angle, axis);
}

void O3D::integrateMotion(float dtMs) {
    translate(velocity * dtMs);
    velocity += acceleration * dtMs;
}

Matrix4 O3D::worldMatrix() const {
    Matrix4 world = frame;
    for (const O3D* ancestor = parent_; ancestor != nullptr; ancestor = ancestor->parent_)
        world = ancestor->frame * world;
    return world;
}

Vector3 O3D::worldPosition() const {
    Vector3 p = position();
    for (const O3D* ancestor = parent_; ancestor != nullptr; ancestor = ancestor->parent_)
        p = ancestor->frame.transformPoint(p);
    return p;
}

void O3D::toLocal(Vector3* point, Vector3* direction) const {
    if (parent_ != nullptr) {
        const Matrix4 parentWorld = parent_->worldMatrix();
        *point = parentWorld.pointToLocal(*point);
        *direction = parentWorld.directionToLocal(*direction);
    }
    *point = frame.pointToLocal(*point);
    *direction = frame.directionToLocal(*direction);
}

bool O3D::hitByLine(const Vector3& point, const Vector3& direction) const {
    Vector3 p = point, d = direction;
    toLocal(&p, &d);
    return !lineSeparated(p - obbCentre, d, obbHalfExtents);
}

int O3D::hitBySegment(const Vector3& a, const Vector3& b, const Vector3& direction) const {
    Vector3 from = a, d = direction;
    toLocal(&from, &d);
    Vector3 to = b, unused = direction;
    toLocal(&to, &unused);
    // Measured from the segment's midpoint: the half-length reaches both ends from there.
    const Vector3 m = (from + to) * 0.5f - obbCentre;
    const float h = distance(a, b) * 0.5f;
    const Vector3& e = obbHalfExtents;
    for (int i = 0; i < 3; ++i)
        if (std::fabs(m[i]) > e[i] + h * std::fabs(d[i])) return kSegmentMiss;
    return lineSeparated(m, d, e) ? kSegmentMiss : kSegmentHit;
}

void O3D::setBoxFromCorners(const Vector3& minCorner, const Vector3& maxCorner) {
    aabbMin = minCorner;
    aabbMax = maxCorner;
    aabbHalfExtents = (maxCorner - minCorner) * 0.5f;
    obbHalfExtents = aabbHalfExtents;
    obbCentre = (maxCorner + minCorner) * 0.5f;
    boundingRadius = aabbHalfExtents.length();
}

}  // namespace brx
