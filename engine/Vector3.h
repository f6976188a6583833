// Three 32-bit floats: positions, directions and extents in world units.
// Equality is exact, component by component; callers that need a tolerance compare lengths.
#pragma once

namespace brx {

class Vector3 {
public:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    constexpr Vector3() = default;
    constexpr Vector3(float xValue, float yValue, float zValue) : x(xValue), y(yValue), z(zValue) {}

    // Replaces all three components.
    constexpr void set(float xValue, float yValue, float zValue) {
        x = xValue;
        y = yValue;
        z = zValue;
    }

    constexpr Vector3 operator+(const Vector3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    constexpr Vector3 operator-(const Vector3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    constexpr Vector3 operator-() const { return {-x, -y, -z}; }
    constexpr Vector3 operator*(float s) const { return {x * s, y * s, z * s}; }
    constexpr Vector3 operator/(float s) const { return {x / s, y / s, z / s}; }

    constexpr Vector3& operator+=(const Vector3& o) {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    constexpr Vector3& operator-=(const Vector3& o) {
        x -= o.x;
        y -= o.y;
        z -= o.z;
        return *this;
    }
    constexpr Vector3& operator*=(float s) {
        x *= s;
        y *= s;
        z *= s;
        return *this;
    }
    constexpr Vector3& operator/=(float s) {
        x /= s;
        y /= s;
        z /= s;
        return *this;
    }

    // Exact component-wise equality.
    constexpr bool operator==(const Vector3& o) const = default;
    // True when all three components equal value exactly.
    constexpr bool allEqual(float value) const { return x == value && y == value && z == value; }
    constexpr bool isZero() const { return allEqual(0.0f); }

    constexpr float dot(const Vector3& o) const { return x * o.x + y * o.y + z * o.z; }
    // this x o, right-handed.
    constexpr Vector3 cross(const Vector3& o) const {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
    constexpr float lengthSquared() const { return dot(*this); }
    // Euclidean length.
    float length() const;

    // Divides by the length; a vector of length exactly 0 is left unchanged.
    Vector3& normalize();
    // A normalised copy (the zero vector stays zero).
    Vector3 normalized() const;

    // Component access by index 0..2 (x, y, z).
    constexpr float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    constexpr float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
};

constexpr Vector3 operator*(float s, const Vector3& v) {
    return v * s;
}

// Distance between two points.
float distance(const Vector3& a, const Vector3& b);

// Angle between two vectors in radians, 0..pi: acos(a.b / sqrt(|a|^2 |b|^2)), a quotient of 1 or
// more gives 0 and of -1 or less gives pi (rounding must not push acos out of its domain); a zero
// vector gives pi / 2, as a dot product of 0 would.
float angleBetween(const Vector3& a, const Vector3& b);

}  // namespace brx
