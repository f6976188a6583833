#include "tools/art/BackgroundArt.h"

#include <algorithm>
#include <cmath>

#include "tools/art/Noise.h"

namespace brx::tools {
namespace {

constexpr float kAspect = 4.0f / 3.0f;

struct Vec3Like {
    float x, y, z;
};

Vec3Like unit3(float x, float y, float z) {
    const float l = std::sqrt(x * x + y * y + z * z);
    return {x / l, y / l, z / l};
}

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
        const float vignette =
            1.0f - 0.35f * std::pow(std::hypot(X / kAspect - 0.5f, Y - 0.5f) * 1.3f, 2.0f);
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
    const float sun =
        std::exp(-(std::pow((X - 1.0f) * 4.0f, 2.0f) + std::pow((Y - 0.5f) * 6.0f, 2.0f)));
    sky = sky.mixed({1, 0.9f, 0.65f, 1}, sun * 0.8f);
    const float cloud = smoothstep(0.5f, 0.75f, noise.fbm(X * 3.0f, Y * 9.0f, 6));
    const Colour cloudColour = Colour{0.95f, 0.75f, 0.7f, 1}.mixed({0.4f, 0.3f, 0.45f, 1}, 1 - t);
    return sky.mixed(cloudColour, cloud * 0.85f * (1.0f - smoothstep(0.7f, 1.0f, t)));
}

Colour lakeLand(float X, float Y, const Noise& noise) {
    // Far mountains in haze, a nearer darker ridge, then the tree line on the shore.
    const float far = kHorizon - 0.05f - 0.16f * noise.ridged(X * 2.2f + 3, 0.5f, 5);
    const float near = kHorizon - 0.02f - 0.08f * noise.ridged(X * 3.5f + 11, 2.5f, 5);
    const float trees =
        kHorizon - 0.012f - 0.03f * noise.fbm(X * 60, 7, 3) * (0.6f + 0.8f * noise.value(X * 5, 1));
    Colour c = lakeSky(X, Y, noise);
    if (Y > far) {
        const float shade = noise.fbm(X * 12, Y * 12, 4);
        c = Colour{0.42f, 0.42f, 0.58f, 1}.mixed({0.7f, 0.55f, 0.6f, 1}, 0.4f * shade);
    }
    if (Y > near) {
        const float shade = noise.fbm(X * 20, Y * 20, 5);
        c = Colour{0.12f, 0.2f, 0.22f, 1}.mixed({0.25f, 0.3f, 0.28f, 1}, shade);
    }
    if (Y > trees)
        c = Colour{0.03f, 0.09f, 0.06f, 1}.scaled(0.8f + 0.4f * noise.value(X * 90, Y * 40));
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
    const float wx = noise.fbm(X * 1.5f, Y * 1.5f, 4),
                wy = noise.fbm(X * 1.5f + 7, Y * 1.5f + 3, 4);
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
        const Colour tint = hue < 0.3f   ? Colour{0.7f, 0.8f, 1, 1}
                            : hue < 0.6f ? Colour{1, 0.95f, 0.85f, 1}
                                         : Colour{1, 1, 1, 1};
        const int reach = int(size * 6);
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx) {
                const float r = std::hypot(float(dx), float(dy));
                float k = std::exp(-std::pow(r / size, 2.0f));
                // Diffraction spikes on the bigger ones.
                if (size > 2.0f)
                    k += 0.5f * std::exp(-std::abs(float(dy)) * 1.5f) *
                             std::exp(-std::abs(float(dx)) / (size * 2)) +
                         0.5f * std::exp(-std::abs(float(dx)) * 1.5f) *
                             std::exp(-std::abs(float(dy)) / (size * 2));
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
                const float light =
                    std::clamp(0.15f + 0.9f * (-dx / radius * 0.6f - dy / radius * 0.5f + z * 0.6f),
                               0.0f, 1.0f);
                const float bands = noise.fbm(dy / radius * 6 + 3, dx / radius * 0.8f, 5);
                const Colour surface =
                    Colour{0.55f, 0.35f, 0.25f, 1}.mixed({0.85f, 0.7f, 0.5f, 1}, bands);
                image.at(x, y) =
                    surface.scaled(light).mixed(image.at(x, y), smoothstep(0.97f, 1.0f, r));
            }
            const float rim = std::exp(-std::pow((r - 1.0f) / 0.05f, 2.0f));
            image.addGlow(x, y, {0.35f, 0.6f, 1, 1},
                          rim * 0.7f * std::clamp(0.5f - dx / radius, 0.0f, 1.0f));
        }
}

// --- dunes ----------------------------------------------------------------------------------

Colour duneSky(float X, float Y) {
    Colour sky =
        Colour{0.2f, 0.38f, 0.7f, 1}.mixed({0.98f, 0.78f, 0.52f, 1}, std::pow(Y / 0.55f, 1.6f));
    const float sun =
        std::exp(-(std::pow((X - 0.35f) * 9.0f, 2.0f) + std::pow((Y - 0.32f) * 9.0f, 2.0f)));
    const float glow =
        std::exp(-(std::pow((X - 0.35f) * 2.5f, 2.0f) + std::pow((Y - 0.32f) * 3.0f, 2.0f)));
    return sky.mixed({1, 0.97f, 0.85f, 1}, std::min(1.0f, sun * 1.5f + glow * 0.35f));
}

// Height of the sand at ground position (x, z): long crests across the view, bent by a slow
// warp, steep on their lee side.
float duneHeight(float x, float z, const Noise& noise) {
    const float warp = noise.fbm(x * 0.02f, z * 0.02f, 3) * 14.0f;
    const float along = z * 0.07f + warp * 0.3f + noise.value(x * 0.03f, 0) * 2.5f;
    const float phase = along - std::floor(along);
    // Asymmetric profile: a long windward slope rising to the crest, a short steep fall.
    const float profile = phase < 0.75f ? phase / 0.75f : (1.0f - phase) / 0.25f;
    const float swell = 0.6f + 0.4f * noise.fbm(x * 0.05f + 3, z * 0.05f, 3);
    return 5.0f * smoothstep(0.0f, 1.0f, profile) * swell;
}

// The dunes seen from a low viewpoint, column by column: each ground sample along the view
// ray fills the screen rows it rises above what nearer samples already covered.
Image duneView(int width, int height, const Noise& noise) {
    Image image(width, height);
    const float horizon = float(height) * 0.5f;
    image.fill([&](int x, int y) {
        return duneSky(float(x) / float(width) * kAspect, float(y) / float(height));
    });
    const float eyeHeight = 6.5f, focal = float(width) * 0.7f;
    const Vec3Like sun = unit3(-0.8f, 0.3f, 0.5f);
    for (int column = 0; column < width; ++column) {
        const float across = (float(column) - float(width) * 0.5f) / focal;
        int covered = height;
        for (float d = 1.5f; d < 320.0f; d *= 1.006f) {
            const float gx = across * d, gz = d;
            const float h = duneHeight(gx, gz, noise);
            const int top = int(horizon + (eyeHeight - h) / d * focal);
            if (top >= covered) continue;
            const float e = 0.05f;
            const float nx = (duneHeight(gx + e, gz, noise) - h) / e;
            const float nz = (duneHeight(gx, gz + e, noise) - h) / e;
            const Vec3Like n = unit3(-nx, 1.0f, -nz);
            const float ripple = std::sin(gz * 9.0f + gx * 2.0f + noise.value(gx, gz) * 4.0f);
            const float light = std::max(0.0f, n.x * sun.x + n.y * sun.y + n.z * sun.z);
            const Colour lit{0.98f, 0.74f, 0.46f, 1}, shade{0.36f, 0.2f, 0.17f, 1};
            Colour sand = shade.mixed(lit, std::clamp(light * 1.2f, 0.0f, 1.0f));
            sand = sand.scaled(1.0f + 0.04f * ripple * std::max(0.0f, 1.0f - d / 40.0f));
            const float fog = smoothstep(20.0f, 300.0f, d);
            const Colour c = sand.mixed(duneSky(0.5f, 0.5f), fog * 0.75f);
            for (int y = std::max(0, top); y < covered; ++y) image.at(column, y) = c;
            covered = std::max(0, top);
        }
    }
    return image;
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
    // Painted at the 4:3 shape the player sees, then stretched to the stored square.
    const Noise noise(1977);
    const Image view = duneView(kSize, kSize * 3 / 4, noise);
    return paintScene([&](float X, float Y) {
        return view.sample(X / kAspect * float(view.width()), Y * float(view.height()));
    });
}

}  // namespace brx::tools
