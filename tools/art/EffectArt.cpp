#include "tools/art/EffectArt.h"

#include <algorithm>
#include <cmath>

#include "tools/art/Noise.h"
#include "tools/art/Styling.h"

namespace brx::tools {
namespace {

// Fills a sprite from a function of the offset from its centre in -1..1.
Image sprite(int size, const std::function<Colour(float dx, float dy)>& f) {
    Image image(size, size);
    image.fill([&](int x, int y) {
        const float dx = (float(x) + 0.5f) / float(size) * 2 - 1;
        const float dy = (float(y) + 0.5f) / float(size) * 2 - 1;
        return f(dx, dy).clamped();
    });
    return image;
}

// Alpha that reaches zero before the border so the square never shows.
float fadeOut(float r) {
    return std::clamp((0.96f - r) / 0.15f, 0.0f, 1.0f);
}

// Fades alpha to zero over the outer `margin` pixels, for sprites painted from lettering.
void fadeBorder(Image& image, int margin) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int edge = std::min({x, y, image.width() - 1 - x, image.height() - 1 - y});
            image.at(x, y).a *= std::clamp(float(edge) / float(margin), 0.0f, 1.0f);
        }
}

}  // namespace

Image EffectArt::hundred() {
    Image image(128, 128);
    LetterStyle style;
    style.size = 58;
    style.top = {1, 1, 0.75f, 1};
    style.bottom = {1, 0.65f, 0.1f, 1};
    style.outline = {0.35f, 0.1f, 0, 1};
    style.outlineWidth = 2.5f;
    style.glow = 10;
    style.glowColour = {1, 0.7f, 0.2f, 0.7f};
    Styling::letter(image, "100", 64, 64, style);
    fadeBorder(image, 6);
    return image;
}

Image EffectArt::blastRing() {
    return sprite(128, [](float dx, float dy) {
        const float r = std::hypot(dx, dy);
        const float ring = std::exp(-std::pow((r - 0.72f) / 0.09f, 2.0f));
        const float core = 0.35f * std::exp(-std::pow(r / 0.5f, 2.0f));
        const float a = std::min(1.0f, ring + core) * fadeOut(r);
        return Colour{1, 1, 1, a}.mixed({1, 0.9f, 0.7f, a}, 1 - ring);
    });
}

Image EffectArt::dirtPuff() {
    const Noise noise(31);
    return sprite(64, [&](float dx, float dy) {
        const float r = std::hypot(dx, dy);
        const float cloud = noise.fbm(dx * 2.5f + 5, dy * 2.5f + 5, 4);
        const float a = std::clamp((1.0f - r * 1.1f) * 1.4f, 0.0f, 1.0f) * (0.45f + cloud * 0.7f);
        const float shade = 0.8f + 0.2f * cloud;
        return Colour{shade, shade, shade, a * fadeOut(r)};
    });
}

Image EffectArt::flash() {
    return sprite(128, [](float dx, float dy) {
        const float r = std::hypot(dx, dy);
        const float core = std::exp(-std::pow(r / 0.28f, 2.0f));
        const float halo = 0.5f * std::exp(-std::pow(r / 0.6f, 2.0f));
        // Light streaks along the two axes, the rows and columns a remover clears.
        const float streaks = std::exp(-std::abs(dy) * 40) * std::exp(-std::abs(dx) * 1.8f) +
                              std::exp(-std::abs(dx) * 40) * std::exp(-std::abs(dy) * 1.8f);
        const float a = std::min(1.0f, core + halo + streaks * 0.8f) * fadeOut(r);
        return Colour{0.8f, 0.9f, 1, a}.mixed({1, 1, 1, a}, std::min(1.0f, core * 1.5f));
    });
}

Image EffectArt::sparkle() {
    return sprite(64, [](float dx, float dy) {
        const float r = std::hypot(dx, dy);
        const float core = std::exp(-std::pow(r / 0.18f, 2.0f));
        const float angle = std::atan2(dy, dx);
        const float rays = std::pow(std::abs(std::cos(angle * 2)), 24.0f) * std::exp(-r * 3.2f);
        const float glow = 0.35f * std::exp(-std::pow(r / 0.5f, 2.0f));
        return Colour{1, 1, 1, std::min(1.0f, core + rays + glow) * fadeOut(r)};
    });
}

Image EffectArt::fireFlash() {
    const Noise noise(57);
    return sprite(128, [&](float dx, float dy) {
        const float r = std::hypot(dx, dy);
        const float angle = std::atan2(dy, dx);
        const float turbulence = noise.fbm(std::cos(angle) * 2 + 4, std::sin(angle) * 2 + r * 3, 4);
        const float heat = std::clamp((1.0f - r / (0.55f + 0.4f * turbulence)) * 1.3f, 0.0f, 1.0f);
        const Colour ember{0.6f, 0.12f, 0.02f, 1}, fire{1, 0.55f, 0.1f, 1},
            white{1, 0.95f, 0.7f, 1};
        Colour c = heat < 0.5f ? Colour{0, 0, 0, 1}.mixed(ember, heat * 2)
                               : ember.mixed(fire, std::min(1.0f, (heat - 0.5f) * 2.5f));
        if (heat > 0.8f) c = c.mixed(white, (heat - 0.8f) * 5);
        return c;
    });
}

Image EffectArt::trailDot() {
    return sprite(64, [](float dx, float dy) {
        const float r = std::hypot(dx, dy);
        const float core = std::exp(-std::pow(r / 0.25f, 2.0f));
        const float glow = 0.6f * std::exp(-std::pow(r / 0.6f, 2.0f));
        const float a = std::min(1.0f, core + glow) * fadeOut(r);
        return Colour{0.55f, 0.8f, 1, a}.mixed({1, 1, 1, a}, core);
    });
}

Image EffectArt::softBlob() {
    return sprite(64, [](float dx, float dy) {
        const float r = std::hypot(dx, dy);
        return Colour{1, 1, 1, std::exp(-std::pow(r / 0.45f, 2.0f)) * fadeOut(r)};
    });
}

}  // namespace brx::tools
