// A straight-alpha RGBA colour in floats, 0..1 per channel, used by every painting routine.
#pragma once

#include <algorithm>

namespace brx::tools {

struct Colour {
    float r = 0, g = 0, b = 0, a = 1;

    Colour() = default;
    constexpr Colour(float red, float green, float blue, float alpha = 1.0f)
        : r(red), g(green), b(blue), a(alpha) {}

    // Same hue at another opacity.
    Colour withAlpha(float alpha) const { return {r, g, b, alpha}; }
    // Colour scaled towards black (factor < 1) or brightened (factor > 1), alpha kept.
    Colour scaled(float factor) const { return {r * factor, g * factor, b * factor, a}; }
    // Linear mix: t = 0 gives this colour, t = 1 the other.
    Colour mixed(const Colour& other, float t) const {
        return {r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t,
                a + (other.a - a) * t};
    }
    Colour clamped() const {
        return {std::clamp(r, 0.0f, 1.0f), std::clamp(g, 0.0f, 1.0f), std::clamp(b, 0.0f, 1.0f),
                std::clamp(a, 0.0f, 1.0f)};
    }
};

// Colour from 8-bit components.
constexpr Colour rgb8(int r, int g, int b, int a = 255) {
    return {r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f};
}

}  // namespace brx::tools
