// The four corner offsets of a camera-facing sprite, taken once per frame from the model-view
// matrix and shared by every effect drawn in that frame.
#pragma once

#include "engine/Matrix4.h"
#include "engine/Vector3.h"

namespace brx {

class BillboardCorners {
public:
    // The corners of the frame being drawn (set by EffectList::drawAll).
    static BillboardCorners& current();

    // With R = (m0, m4, m8) and U = (m1, m5, m9), the camera's right and up directions in
    // world space: a = -R + U, b = -R - U, c = R + U, d = R - U.
    void computeFrom(const Matrix4& modelView);
    // One triangle strip of half width halfWidth (units) centred on p, showing the whole
    // texture.
    void drawBillboard(const Vector3& p, float halfWidth) const;
    // The same showing the texture window lowU..highU by lowV..highV.
    void drawBillboard(const Vector3& p, float halfWidth, float lowU, float highU, float lowV,
                       float highV) const;

    // Upper left, lower left, upper right, lower right. Facing along -Z until computed.
    Vector3 a{-1.0f, 1.0f, 0.0f};
    Vector3 b{-1.0f, -1.0f, 0.0f};
    Vector3 c{1.0f, 1.0f, 0.0f};
    Vector3 d{1.0f, -1.0f, 0.0f};
};

}  // namespace brx
