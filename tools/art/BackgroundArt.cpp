#include "tools/art/BackgroundArt.h"

#include <algorithm>
#include <cmath>

#include "tools/art/Noise.h"

namespace brx::tools {
namespace {

constexpr float kAspect = 4.0f / 3.0f;

float smoothstep(float a, float b, float x) {
    const float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// Paints the picture from a scene function of X in 0..4/3 and Y in 0..1 (top-down).
Image paintScene(const std::function<Colour(float X, float Y)>& scene) {
    Image image(BackgroundArt::kSize, BackgroundArt::kSize);
    const float n = float(BackgroundArt::kSize);
    image.fill([&](int x, int y) {
        const float X = (float(x) + 0.5f) / n * kAspect, Y = (float(y) + 0.5f) / n;
        // A soft vignette keeps the edges from competing with the board.
        const float vignette = 1.0f - 0.35f * std::pow(std::hypot(X / kAspect - 0.5f, Y - 0.5f) * 1.3f, 2.0f);
        Colour c = scene(X, Y).scaled(std::max(0.4f, vignette));
        c.a = 1;
        return c.clamped();
    });
    return image;
}

// --- lake ---------------------------------------------------------------------------------

constexpr float kHorizon = 0.56f;

Colour lakeSky(float X, float Y, const Noise& noise) {
    const float t = Y / kHorizon;
    Colour sky = Colour{0.08f, 0.16f, 0.42f, 1}.mixed({0.95f, 0.62f, 0.42f, 1}, std::pow(t, 2.2f));
    const float sun = std::exp(-(std::pow((X - 1.0f) * 4.0f, 2.0f) + std::pow((Y - 0.5f) * 6.0f, 2.0f)));
    sky = sky.mixed({1, 0.9f, 0.65f, 1}, sun * 0.8f);
    const float cloud = smoothstep(0.5f, 0.75f, noise.fbm(X * 3.0f, Y * 9.0f, 6));
    const Colour cloudColour = Colour{0.95f, 0.75f, 0.7f, 1}.mixed({0.4f, 0.3f, 0.45f, 1}, 1 - t);
    return sky.mixed(cloudColour, cloud * 0.85f * (1.0f - smoothstep(0.7f, 1.0f, t)));
}

Colour lakeLand(float X, float Y, const Noise& noise) {
    // Far mountains in haze, a nearer darker ridge, then the tree line on the shore.
    const float far = kHorizon - 0.05f - 0.16f * noise.ridged(X * 2.2f + 3, 0.5f, 5);
    const float near = kHorizon - 0.02f - 0.08f * noise.ridged(X * 3.5f + 11, 2.5f, 5);
    const float trees = kHorizon - 0.012f - 0.03f * noise.fbm(X * 60, 7, 3) *
                                               (0.6f + 0.8f * noise.value(X * 5, 1));
    Colour c = lakeSky(X, Y, noise);
    if (Y > far) {
        const float shade = noise.fbm(X * 12, Y * 12, 4);
        c = Colour{0.42f, 0.42f, 0.58f, 1}.mixed({0.7f, 0.55f, 0.6f, 1}, 0.4f * shade);
    }
    if (Y > near) {
        const float shade = noise.fbm(X * 20, Y * 20, 5);
        c = Colour{0.12f, 0.2f, 0.22f, 1}.mixed({0.25f, 0.3f, 0.28f, 1}, shade);
    }
    if (Y > trees) c = Colour{0.03f, 0.09f, 0.06f, 1}.scaled(0.8f + 0.4f * noise.value(X * 90, Y * 40));
    return c;
}

Colour lakeScene(float X, float Y, const Noise& noise) {
    if (Y < kHorizon) return lakeLand(X, Y, noise);
    const float depth = (Y - kHorizon) / (1 - kHorizon);
    // Ripples stretch the mirrored image sideways, more towards the viewer.
    const float ripple = (noise.fbm(X * 6, Y * 90, 3) - 0.5f) * (0.01f + 0.04f * depth);
    const float mirrorY = std::max(0.0f, 2 * kHorizon - Y + ripple * 0.5f);
    Colour reflected = lakeLand(X + ripple, mirrorY, noise);
    const Colour water{0.04f, 0.1f, 0.16f, 1};
    Colour c = reflected.scaled(0.75f).mixed(water, 0.25f + 0.45f * depth);
    const float glint = smoothstep(0.72f, 0.9f, noise.value(X * 30, Y * 300)) *
                        std::exp(-std::pow((X - 1.0f) * 3.0f, 2.0f)) * (1 - depth);
    return c.mixed({1, 0.85f, 0.6f, 1}, glint * 0.6f);
}

// --- space ----------------------------------------------------------------------------------

Colour spaceScene(float X, float Y, const Noise& noise, int px, int py) {
    Colour c = Colour{0.005f, 0.008f, 0.03f, 1}.mixed({0.03f, 0.02f, 0.07f, 1}, Y);
    // Nebula: warped noise in two colour layers.
    const float wx = noise.fbm(X * 1.5f, Y * 1.5f, 4), wy = noise.fbm(X * 1.5f + 7, Y * 1.5f + 3, 4);
    const float n1 = noise.fbm(X * 2.5f + wx * 1.8f, Y * 2.5f + wy * 1.8f, 6);
    const float n2 = noise.fbm(X * 4.0f - wy, Y * 4.0f + wx, 5);
    const float band = std::exp(-std::pow((Y - 0.35f - 0.3f * X / kAspect) * 2.5f, 2.0f));
    const float cloud = smoothstep(0.35f, 0.8f, n1) * (0.35f + 0.65f * band);
    c = c.mixed({0.45f, 0.12f, 0.5f, 1}, cloud * 0.7f);
    c = c.mixed({0.1f, 0.35f, 0.65f, 1}, smoothstep(0.5f, 0.85f, n2) * cloud * 0.8f);
    // Dust lanes darken the brightest parts.
    c = c.scaled(1.0f - 0.5f * smoothstep(0.55f, 0.75f, noise.fbm(X * 6 + 20, Y * 6, 5)) * cloud);
    // Faint stars: one random value per pixel, most of them dark.
    const float h = noise.hash(px, py);
    if (h > 0.994f) c = c.mixed({1, 1, 1, 1}, (h - 0.994f) / 0.006f * 0.9f);
    return c;
}

void addBrightStars(Image& image, const Noise& noise) {
    for (int i = 0; i < 90; ++i) {
        const float sx = noise.hash(i, 1) * float(image.width());
        const float sy = noise.hash(i, 2) * float(image.height());
        const float size = 1.0f + 3.0f * std::pow(noise.hash(i, 3), 4.0f);
        const float hue = noise.hash(i, 4);
        const Colour tint = hue < 0.3f ? Colour{0.7f, 0.8f, 1, 1}
                            : hue < 0.6f ? Colour{1, 0.95f, 0.85f, 1}
                                         : Colour{1, 1, 1, 1};
        const int reach = int(size * 6);
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx) {
                const float r = std::hypot(float(dx), float(dy));
                float k = std::exp(-std::pow(r / size, 2.0f));
                // Diffraction spikes on the bigger ones.
                if (size > 2.0f)
                    k += 0.5f * std::exp(-std::abs(float(dy)) * 1.5f) * std::exp(-std::abs(float(dx)) / (size * 2)) +
                         0.5f * std::exp(-std::abs(float(dx)) * 1.5f) * std::exp(-std::abs(float(dy)) / (size * 2));
                image.addGlow(int(sx) + dx, int(sy) + dy, tint, std::min(1.0f, k));
            }
    }
}

void addPlanet(Image& image, const Noise& noise) {
    const float n = float(image.width());
    const float cx = 1.12f / kAspect * n, cy = 0.86f * n, radius = 0.22f * n;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            // The game squeezes the square picture to 4:3, so the planet is drawn narrower here.
            const float dx = (float(x) - cx) * kAspect, dy = float(y) - cy;
            const float r = std::hypot(dx, dy) / radius;
            if (r > 1.15f) continue;
            if (r <= 1.0f) {
                const float z = std::sqrt(1 - r * r);
                const float light = std::clamp(0.15f + 0.9f * (-dx / radius * 0.6f - dy / radius * 0.5f + z * 0.6f), 0.0f, 1.0f);
                const float bands = noise.fbm(dy / radius * 6 + 3, dx / radius * 0.8f, 5);
                const Colour surface = Colour{0.55f, 0.35f, 0.25f, 1}.mixed({0.85f, 0.7f, 0.5f, 1}, bands);
                image.at(x, y) = surface.scaled(light).mixed(image.at(x, y), smoothstep(0.97f, 1.0f, r));
            }
            const float rim = std::exp(-std::pow((r - 1.0f) / 0.05f, 2.0f));
            image.addGlow(x, y, {0.35f, 0.6f, 1, 1}, rim * 0.7f * std::clamp(0.5f - dx / radius, 0.0f, 1.0f));
        }
}

// --- dunes ----------------------------------------------------------------------------------

Colour duneSky(float X, float Y) {
    Colour sky = Colour{0.2f, 0.38f, 0.7f, 1}.mixed({0.98f, 0.78f, 0.52f, 1}, std::pow(Y / 0.55f, 1.6f));
    const float sun = std::exp(-(std::pow((X - 0.35f) * 9.0f, 2.0f) + std::pow((Y - 0.32f) * 9.0f, 2.0f)));
    const float glow = std::exp(-(std::pow((X - 0.35f) * 2.5f, 2.0f) + std::pow((Y - 0.32f) * 3.0f, 2.0f)));
    return sky.mixed({1, 0.97f, 0.85f, 1}, std::min(1.0f, sun * 1.5f + glow * 0.35f));
}

// Crest height of dune layer k at X (smaller is higher on the picture).
float duneCrest(int k, float X, const Noise& noise) {
    const float base = 0.5f + 0.11f * float(k);
    const float ridge = noise.ridged(X * (1.2f + 0.5f * float(k)) + float(k) * 13.0f, float(k), 3);
    return base - (0.06f + 0.02f * float(k)) * ridge;
}

Colour duneScene(float X, float Y, const Noise& noise) {
    constexpr int kLayers = 5;
    for (int k = kLayers - 1; k >= 0; --k) {
        const float crest = duneCrest(k, X, noise);
        if (Y < crest) continue;
        // Light from the left: slopes rising to the right are lit, the others in shadow.
        const float slope = (duneCrest(k, X + 0.004f, noise) - crest) / 0.004f;
        const float lit = 0.5f + 0.5f * std::tanh(slope * 3.0f);
        const float below = Y - crest;
        const Colour sand = Colour{0.48f, 0.26f, 0.15f, 1}.mixed({0.95f, 0.7f, 0.42f, 1}, lit);
        Colour c = sand.scaled(1.0f - 0.25f * smoothstep(0.0f, 0.25f, below));
        const float ripples = std::sin((X * 160 + Y * 40 + noise.fbm(X * 8, Y * 8, 3) * 30));
        c = c.scaled(1.0f + 0.04f * ripples * float(k + 1) / kLayers);
        // Haze: far layers fade into the sky colour near the horizon.
        const float haze = 0.55f * (1.0f - float(k) / float(kLayers - 1));
        return c.mixed(duneSky(X, 0.55f), haze);
    }
    return duneSky(X, Y);
}

}  // namespace

Image BackgroundArt::lake() {
    const Noise noise(2024);
    return paintScene([&](float X, float Y) { return lakeScene(X, Y, noise); });
}

Image BackgroundArt::space() {
    const Noise noise(4711);
    const float n = float(kSize);
    Image image = paintScene([&](float X, float Y) {
        return spaceScene(X, Y, noise, int(X / kAspect * n), int(Y * n));
    });
    addPlanet(image, noise);
    addBrightStars(image, noise);
    return image;
}

Image BackgroundArt::dunes() {
    const Noise noise(1977);
    return paintScene([&](float X, float Y) { return duneScene(X, Y, noise); });
}

}  // namespace brx::tools
