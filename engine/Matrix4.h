// A 4 x 4 float matrix in OpenGL order: element (row r, column c) is m[c * 4 + r], so elements
// 0-2 are the first column and 12-14 the translation; data() goes straight to glLoadMatrixf.
//
// Design note: scene frames are affine, so the ordinary product skips the bottom row (taken as
// 0 0 0 1). Projection matrices are not affine; they use fullProduct() and projectPoint().
#pragma once

#include "engine/Vector3.h"

namespace brx {

class Matrix4 {
public:
    // The identity.
    Matrix4();
    // From 16 floats in OpenGL (column-major) order.
    explicit Matrix4(const float* columnMajor);

    static Matrix4 identity() { return Matrix4(); }
    // A translation by offset (units).
    static Matrix4 translation(const Vector3& offset);
    // Right-handed rotations by angleRad radians about the X, Y or Z axis.
    static Matrix4 rotationX(float angleRad);
    static Matrix4 rotationY(float angleRad);
    static Matrix4 rotationZ(float angleRad);
    // Rotation by angleRad about axis (normalised here; a zero axis gives the identity).
    static Matrix4 rotationAxis(const Vector3& axis, float angleRad);
    // Scaling along the three axes.
    static Matrix4 scaling(const Vector3& factors);
    // The matrix gluPerspective builds: vertical field of view in degrees.
    static Matrix4 perspective(float fovDegrees, float aspect, float nearDistance,
                               float farDistance);
    // The matrix glOrtho builds.
    static Matrix4 orthographic(float left, float right, float bottom, float top,
                                float nearDistance, float farDistance);

    float& operator[](int i) { return m_[i]; }
    float operator[](int i) const { return m_[i]; }
    // Element at row r, column c (0..3).
    float& at(int r, int c) { return m_[c * 4 + r]; }
    float at(int r, int c) const { return m_[c * 4 + r]; }
    const float* data() const { return m_; }
    float* data() { return m_; }

    // Column c (0..3) as a vector: 0-2 are the frame axes, 3 the translation.
    Vector3 column(int c) const { return {m_[c * 4], m_[c * 4 + 1], m_[c * 4 + 2]}; }
    // Replaces the upper three elements of column c.
    void setColumn(int c, const Vector3& v);
    Vector3 translationPart() const { return column(3); }
    void setTranslation(const Vector3& t) { setColumn(3, t); }

    // Affine product this x o (column vectors: o applies first); bottom row read as 0 0 0 1.
    Matrix4 operator*(const Matrix4& o) const;
    Matrix4& operator*=(const Matrix4& o) { return *this = *this * o; }
    // The complete 4 x 4 product a x b, for projection matrices.
    static Matrix4 fullProduct(const Matrix4& a, const Matrix4& b);

    // Rotation part times p plus the translation.
    Vector3 transformPoint(const Vector3& p) const;
    // Rotation part times v (no translation).
    Vector3 transformDirection(const Vector3& v) const;
    // v expressed in the matrix's own axes: (column 0 . v, column 1 . v, column 2 . v), the
    // transpose of the rotation part applied to v.
    Vector3 directionToLocal(const Vector3& v) const;
    // A point expressed in the frame's axes: directionToLocal(p - translation). Exact inverse of
    // transformPoint for orthonormal frames.
    Vector3 pointToLocal(const Vector3& p) const;
    // The full 4 x 4 transform of (p, 1) divided by w (clip space to normalised device space).
    Vector3 projectPoint(const Vector3& p) const;

    Matrix4 transposed() const;
    // Inverse of an affine matrix (any invertible 3 x 3 part); false and identity when singular.
    bool invertAffine(Matrix4* inverse) const;
    // Affine inverse, or the identity when the matrix is singular.
    Matrix4 inverted() const;

    // Exact element-wise equality.
    bool operator==(const Matrix4& o) const;

private:
    float m_[16];
};

}  // namespace brx
