// The perspective camera. Its frame is the camera frame: X right, Y up, Z backwards (it looks
// along -Z). apply() sets up OpenGL for the 3D scene, apply2D() for the 800 x 600 style pixel
// space of menus and text, and pickRay() turns a mouse pixel into a world-space direction.
//
// Design note: the view and projection matrices are computed here as well as loaded into
// OpenGL, so picking and projecting points work without a GL context (rules and tests).
#pragma once

#include "engine/Matrix4.h"
#include "engine/O3D.h"
#include "engine/Vector3.h"

namespace brx {

class OCamera : public O3D {
public:
    // Viewport size in pixels, vertical field of view in degrees, clip distances in units.
    OCamera(float width, float height, float fovDegrees, float nearDistance, float farDistance);

    // 3D set-up before drawing the scene: viewport, gluPerspective projection, view matrix
    // loaded into the model-view matrix, depth test on. Clears the 2D offset.
    void apply(float width, float height);
    // 2D set-up: lighting and depth test off, orthographic (0, 0)-(width, height) with depth
    // -1..1, identity model-view. y grows upwards.
    void apply2D(float width, float height);

    // Turns the camera so that it looks at target with world +Z as up; straight up or down it
    // takes X = (1, 0, 0) and Y = (0, 1, 0). A target at the position changes nothing.
    void lookAt(const Vector3& target);
    void lookAt(float x, float y, float z) { lookAt(Vector3(x, y, z)); }

    // Unit world direction of the ray from the camera through window pixel (mouseX, mouseY),
    // mouse y growing downwards.
    Vector3 pickRay(float mouseX, float mouseY) const;
    // The window pixel (mouse convention, y downwards) at which point appears; false when the
    // point lies behind the camera.
    bool projectToWindow(const Vector3& point, float* mouseX, float* mouseY) const;

    // World to eye space: rows are the frame axes, translation (-X.p, -Y.p, -Z.p).
    Matrix4 buildViewMatrix() const;
    // The projection apply() sets, for the current size.
    Matrix4 buildProjectionMatrix() const;

    // The matrices as of the last apply() (or construction / setSize for the projection).
    const Matrix4& viewMatrix() const { return view_; }
    const Matrix4& projectionMatrix() const { return projection_; }
    // projection x view.
    const Matrix4& combinedMatrix() const { return combined_; }

    float fovDegrees() const { return fovDegrees_; }
    void setFovDegrees(float fov) { fovDegrees_ = fov; }
    float nearDistance() const { return near_; }
    float farDistance() const { return far_; }
    float width() const { return width_; }
    float height() const { return height_; }
    // Sets the viewport size without touching OpenGL (picking before the first apply()).
    void setSize(float width, float height);
    // Pixels added to mouse positions when a ray is made.
    void setOffset2D(float x, float y);

private:
    void refreshMatrices();

    Matrix4 view_;
    Matrix4 projection_;
    Matrix4 combined_;
    float fovDegrees_;
    float near_;
    float far_;
    float width_;
    float height_;
    float offsetX_ = 0.0f;
    float offsetY_ = 0.0f;
};

}  // namespace brx
