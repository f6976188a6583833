#include "engine/OCamera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace brx {

namespace {
constexpr double kRadiansPerDegree = 0.01745329251994;
const Vector3 kWorldUp(0.0f, 0.0f, 1.0f);
}  // namespace

OCamera::OCamera(float width, float height, float fovDegrees, float nearDistance, float farDistance)
    : fovDegrees_(fovDegrees),
      near_(nearDistance),
      far_(farDistance),
      width_(width),
      height_(height) {
    refreshMatrices();
}

void OCamera::setSize(float width, float height) {
    width_ = width;
    height_ = height;
    refreshMatrices();
}

void OCamera::setOffset2D(float x, float y) {
    offsetX_ = x;
    offsetY_ = y;
}

void OCamera::refreshMatrices() {
    view_ = buildViewMatrix();
    projection_ = buildProjectionMatrix();
    combined_ = Matrix4::fullProduct(projection_, view_);
}

Matrix4 OCamera::buildViewMatrix() const {
    Matrix4 v;
    const Vector3 axes[3] = {axisX(), axisY(), axisZ()};
    const Vector3 p = position();
    for (int row = 0; row < 3; ++row) {
        for (int c = 0; c < 3; ++c) v.at(row, c) = axes[row][c];
        v.at(row, 3) = -axes[row].dot(p);
    }
    return v;
}

Matrix4 OCamera::buildProjectionMatrix() const {
    const float aspect = height_ != 0.0f ? width_ / height_ : 1.0f;
    return Matrix4::perspective(fovDegrees_, aspect, near_, far_);
}

void OCamera::apply(float width, float height) {
    width_ = width;
    height_ = height;
    offsetX_ = offsetY_ = 0.0f;
    glViewport(0, 0, GLsizei(width), GLsizei(height));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = height != 0.0f ? double(width) / double(height) : 1.0;
    gluPerspective(fovDegrees_, aspect, near_, far_);
    glMatrixMode(GL_MODELVIEW);
    view_ = buildViewMatrix();
    glLoadMatrixf(view_.data());
    glGetFloatv(GL_PROJECTION_MATRIX, projection_.data());
    combined_ = Matrix4::fullProduct(projection_, view_);
    glEnable(GL_DEPTH_TEST);
}

void OCamera::apply2D(float width, float height) {
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void OCamera::lookAt(const Vector3& target) {
    const Vector3 p = position();
    if (target == p) return;
    const Vector3 z = (p - target).normalized();
    Vector3 y = kWorldUp - z * z.z;
    Vector3 x;
    if (y.isZero()) {
        x.set(1, 0, 0);
        y.set(0, 1, 0);
    } else {
        y.normalize();
        x = y.cross(z);
    }
    frame.setColumn(0, x);
    frame.setColumn(1, y);
    frame.setColumn(2, z);
}

Vector3 OCamera::pickRay(float mouseX, float mouseY) const {
    const double d = (height_ / 2.0) / std::tan(fovDegrees_ / 2.0 * kRadiansPerDegree);
    const float v = float((offsetY_ - mouseY + height_ / 2.0) / d);
    const float u = float((mouseX + offsetX_ - width_ / 2.0) / d);
    return (axisX() * u + axisY() * v - axisZ()).normalized();
}

bool OCamera::projectToWindow(const Vector3& point, float* mouseX, float* mouseY) const {
    const Vector3 eye = buildViewMatrix().transformPoint(point);
    if (eye.z >= 0.0f) return false;
    const Vector3 ndc = buildProjectionMatrix().projectPoint(eye);
    *mouseX = (ndc.x + 1.0f) * 0.5f * width_ - offsetX_;
    *mouseY = height_ - (ndc.y + 1.0f) * 0.5f * height_ + offsetY_;
    return true;
}

}  // namespace brx
