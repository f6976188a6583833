#include "tools/art/SkinArt.h"

#include <algorithm>
#include <cmath>

#include "tools/art/Noise.h"

namespace brx::tools {
namespace {

Colour grey(float v) {
    return {v, v, v, 1};
}

// Distance from the face edge in 0..0.5 (0 at the border, 0.5 in the middle).
float edgeDistance(float u, float v) {
    return std::min({u, v, 1 - u, 1 - v});
}

float sheen(float u, float v, const Noise& noise) {
    // A soft light falling from the upper left, a gloss streak, and a rim that darkens a little.
    float value = 0.86f + 0.1f * (1.0f - (u + v) * 0.5f);
    const float streak = std::exp(-std::pow((u + v - 0.62f) * 6.0f, 2.0f));
    value += 0.08f * streak;
    value -= 0.12f * std::max(0.0f, 0.12f - edgeDistance(u, v)) / 0.12f;
    return value + (noise.fbm(u * 24, v * 24, 3) - 0.5f) * 0.03f;
}

float engraved(float u, float v, const Noise& noise) {
    float value = 0.9f + (noise.fbm(u * 40, v * 40, 3) - 0.5f) * 0.05f;
    // A groove is a dark line with a bright lip below-right: light from the upper left.
    auto groove = [&](float distance, float at) {
        const float d = distance - at;
        return -0.35f * std::exp(-std::pow(d / 0.012f, 2.0f)) +
               0.12f * std::exp(-std::pow((d + 0.02f) / 0.01f, 2.0f));
    };
    value += groove(edgeDistance(u, v), 0.12f);
    const float r = std::hypot(u - 0.5f, v - 0.5f);
    value += groove(0.5f - r, 0.5f - 0.22f);
    // A raised diamond in the middle.
    const float diamond = std::abs(u - 0.5f) + std::abs(v - 0.5f);
    if (diamond < 0.12f) value += (u < 0.5f) == (v < 0.5f) ? 0.08f : -0.06f;
    value -= 0.1f * std::max(0.0f, 0.06f - edgeDistance(u, v)) / 0.06f;
    return value;
}

float gem(float u, float v, const Noise& noise) {
    // A flat table in the middle and four sloping facets towards the edges, each catching the
    // light from the upper left differently.
    const float du = u - 0.5f, dv = v - 0.5f;
    const float table = 0.2f;
    float value;
    if (std::abs(du) < table && std::abs(dv) < table) {
        value = 1.0f - 0.12f * (du + dv);
    } else if (std::abs(du) > std::abs(dv)) {
        value = du < 0 ? 0.93f : 0.66f;
    } else {
        value = dv < 0 ? 1.0f : 0.58f;
    }
    // Bright facet edges.
    const float diagonal = std::abs(std::abs(du) - std::abs(dv));
    if (std::max(std::abs(du), std::abs(dv)) > table) value += 0.12f * std::exp(-diagonal * 90);
    const float ring = std::abs(std::max(std::abs(du), std::abs(dv)) - table);
    value += 0.1f * std::exp(-ring * 120);
    // A sparkle on the table.
    value += 0.25f * std::exp(-(std::pow((u - 0.4f) * 30, 2.0f) + std::pow((v - 0.4f) * 30, 2.0f)));
    return value + (noise.value(u * 64, v * 64) - 0.5f) * 0.02f;
}

void addTonePatches(Image& image) {
    const int p = SkinArt::kPatch, far = SkinArt::kSize - p;
    for (int y = 0; y < p; ++y)
        for (int x = 0; x < p; ++x) {
            // Image rows run top-down and texture v bottom-up: v near 0 is the bottom row.
            image.at(x, far + y) = grey(SkinArt::kLightTone);
            image.at(far + x, far + y) = grey(SkinArt::kMidTone);
            image.at(x, y) = grey(SkinArt::kDarkTone);
        }
}

}  // namespace

Image SkinArt::skin(int index) {
    Image image(kSize, kSize);
    const Noise noise(uint32_t(101 + index));
    image.fill([&](int x, int y) {
        const float u = (float(x) + 0.5f) / float(kSize), v = (float(y) + 0.5f) / float(kSize);
        const float value = index == 0   ? sheen(u, v, noise)
                            : index == 1 ? engraved(u, v, noise)
                                         : gem(u, v, noise);
        // A faint cool tint keeps white blocks from looking flat grey.
        const float t = std::clamp(value, 0.0f, 1.0f);
        return Colour{t, t, std::min(1.0f, t * 1.02f + 0.01f), 1};
    });
    addTonePatches(image);
    return image;
}

}  // namespace brx::tools
