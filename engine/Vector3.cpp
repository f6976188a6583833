#include "engine/Vector3.h"

#include <cmath>

namespace brx {

namespace {
constexpr float kPi = 3.1415927f;
}

float Vector3::length() const {
    return std::sqrt(lengthSquared());
}

Vector3& Vector3::normalize() {
    const float len = length();
    if (len != 0.0f) *this /= len;
    return *this;
}

Vector3 Vector3::normalized() const {
    Vector3 copy = *this;
    return copy.normalize();
}

float distance(const Vector3& a, const Vector3& b) {
    return (a - b).length();
}

float angleBetween(const Vector3& a, const Vector3& b) {
    const double lengths = std::sqrt(double(a.lengthSquared()) * double(b.lengthSquared()));
    if (lengths == 0.0) return kPi / 2.0f;  // as if the dot product were 0
    const double quotient = double(a.dot(b)) / lengths;
    if (quotient >= 1.0) return 0.0f;
    if (quotient <= -1.0) return kPi;
    return float(std::acos(quotient));
}

}  // namespace brx
