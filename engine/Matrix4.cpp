#include "engine/Matrix4.h"

#include <cmath>
#include <cstring>

namespace brx {

namespace {

constexpr float kRadiansPerDegree = 0.01745329251994f;

// Rodrigues' formula: v cos a + (axis x v) sin a + axis (axis . v)(1 - cos a), axis unit length.
Vector3 rotateAbout(const Vector3& v, const Vector3& axis, float cosA, float sinA) {
    return v * cosA + axis.cross(v) * sinA + axis * (axis.dot(v) * (1.0f - cosA));
}

}  // namespace

Matrix4::Matrix4() {
    std::memset(m_, 0, sizeof(m_));
    m_[0] = m_[5] = m_[10] = m_[15] = 1.0f;
}

Matrix4::Matrix4(const float* columnMajor) {
    std::memcpy(m_, columnMajor, sizeof(m_));
}

Matrix4 Matrix4::translation(const Vector3& offset) {
    Matrix4 r;
    r.setTranslation(offset);
    return r;
}

Matrix4 Matrix4::rotationX(float angleRad) {
    return rotationAxis({1, 0, 0}, angleRad);
}
Matrix4 Matrix4::rotationY(float angleRad) {
    return rotationAxis({0, 1, 0}, angleRad);
}
Matrix4 Matrix4::rotationZ(float angleRad) {
    return rotationAxis({0, 0, 1}, angleRad);
}

Matrix4 Matrix4::rotationAxis(const Vector3& axis, float angleRad) {
    Matrix4 r;
    const Vector3 unit = axis.normalized();
    if (unit.isZero()) return r;
    const float c = std::cos(angleRad);
    const float s = std::sin(angleRad);
    for (int i = 0; i < 3; ++i) r.setColumn(i, rotateAbout(r.column(i), unit, c, s));
    return r;
}

Matrix4 Matrix4::scaling(const Vector3& factors) {
    Matrix4 r;
    r.m_[0] = factors.x;
    r.m_[5] = factors.y;
    r.m_[10] = factors.z;
    return r;
}

Matrix4 Matrix4::perspective(float fovDegrees, float aspect, float nearDistance,
                             float farDistance) {
    const float f = 1.0f / std::tan(fovDegrees * 0.5f * kRadiansPerDegree);
    const float depth = nearDistance - farDistance;
    Matrix4 r;
    r.m_[0] = f / aspect;
    r.m_[5] = f;
    r.m_[10] = (farDistance + nearDistance) / depth;
    r.m_[11] = -1.0f;
    r.m_[14] = 2.0f * farDistance * nearDistance / depth;
    r.m_[15] = 0.0f;
    return r;
}

Matrix4 Matrix4::orthographic(float left, float right, float bottom, float top, float nearDistance,
                              float farDistance) {
    Matrix4 r;
    r.m_[0] = 2.0f / (right - left);
    r.m_[5] = 2.0f / (top - bottom);
    r.m_[10] = -2.0f / (farDistance - nearDistance);
    r.m_[12] = -(right + left) / (right - left);
    r.m_[13] = -(top + bottom) / (top - bottom);
    r.m_[14] = -(farDistance + nearDistance) / (farDistance - nearDistance);
    return r;
}

void Matrix4::setColumn(int c, const Vector3& v) {
    m_[c * 4] = v.x;
    m_[c * 4 + 1] = v.y;
    m_[c * 4 + 2] = v.z;
}

Matrix4 Matrix4::operator*(const Matrix4& o) const {
    Matrix4 r;
    for (int c = 0; c < 4; ++c) {
        for (int row = 0; row < 3; ++row) {
            float sum = at(row, 0) * o.at(0, c) + at(row, 1) * o.at(1, c) + at(row, 2) * o.at(2, c);
            if (c == 3) sum += at(row, 3);
            r.at(row, c) = sum;
        }
    }
    return r;  // bottom row stays 0 0 0 1 from the identity
}

Matrix4 Matrix4::fullProduct(const Matrix4& a, const Matrix4& b) {
    Matrix4 r;
    for (int c = 0; c < 4; ++c) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.at(row, k) * b.at(k, c);
            r.at(row, c) = sum;
        }
    }
    return r;
}

Vector3 Matrix4::transformPoint(const Vector3& p) const {
    return transformDirection(p) + translationPart();
}

Vector3 Matrix4::transformDirection(const Vector3& v) const {
    return column(0) * v.x + column(1) * v.y + column(2) * v.z;
}

Vector3 Matrix4::directionToLocal(const Vector3& v) const {
    return {column(0).dot(v), column(1).dot(v), column(2).dot(v)};
}

Vector3 Matrix4::pointToLocal(const Vector3& p) const {
    return directionToLocal(p - translationPart());
}

Vector3 Matrix4::projectPoint(const Vector3& p) const {
    float out[4];
    for (int row = 0; row < 4; ++row)
        out[row] = at(row, 0) * p.x + at(row, 1) * p.y + at(row, 2) * p.z + at(row, 3);
    return Vector3(out[0], out[1], out[2]) / out[3];
}

Matrix4 Matrix4::transposed() const {
    Matrix4 r;
    for (int row = 0; row < 4; ++row)
        for (int c = 0; c < 4; ++c) r.at(row, c) = at(c, row);
    return r;
}

bool Matrix4::invertAffine(Matrix4* inverse) const {
    // Inverse of the 3 x 3 part from its cofactors: rows of the inverse are the cross products
    // of the columns, divided by the determinant.
    const Vector3 c0 = column(0), c1 = column(1), c2 = column(2);
    const Vector3 r0 = c1.cross(c2), r1 = c2.cross(c0), r2 = c0.cross(c1);
    const float determinant = c0.dot(r0);
    *inverse = Matrix4();
    if (determinant == 0.0f || !std::isfinite(determinant)) return false;
    const Vector3 rows[3] = {r0 / determinant, r1 / determinant, r2 / determinant};
    const Vector3 t = translationPart();
    for (int row = 0; row < 3; ++row) {
        for (int c = 0; c < 3; ++c) inverse->at(row, c) = rows[row][c];
        inverse->at(row, 3) = -rows[row].dot(t);
    }
    return true;
}

Matrix4 Matrix4::inverted() const {
    Matrix4 r;
    invertAffine(&r);
    return r;
}

bool Matrix4::operator==(const Matrix4& o) const {
    for (int i = 0; i < 16; ++i)
        if (m_[i] != o.m_[i]) return false;
    return true;
}

}  // namespace brx
