#include "tools/art/Image.h"

#include <cmath>

#include "tools/art/Mask.h"

namespace brx::tools {
namespace {

uint8_t toByte(float v) {
    return uint8_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

Image::Image(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(size_t(width) * size_t(height), fill) {}

Colour Image::sample(float x, float y) const {
    x = std::clamp(x - 0.5f, 0.0f, float(width_ - 1));
    y = std::clamp(y - 0.5f, 0.0f, float(height_ - 1));
    const int x0 = int(x), y0 = int(y);
    const int x1 = std::min(x0 + 1, width_ - 1), y1 = std::min(y0 + 1, height_ - 1);
    const float fx = x - float(x0), fy = y - float(y0);
    const Colour top = at(x0, y0).mixed(at(x1, y0), fx);
    const Colour bottom = at(x0, y1).mixed(at(x1, y1), fx);
    return top.mixed(bottom, fy);
}

void Image::blend(int x, int y, const Colour& c, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const float sa = std::clamp(c.a * coverage, 0.0f, 1.0f);
    if (sa <= 0.0f) return;
    Colour& d = at(x, y);
    const float outA = sa + d.a * (1.0f - sa);
    if (outA <= 0.0f) return;
    const float keep = d.a * (1.0f - sa);
    d.r = (c.r * sa + d.r * keep) / outA;
    d.g = (c.g * sa + d.g * keep) / outA;
    d.b = (c.b * sa + d.b * keep) / outA;
    d.a = outA;
}

void Image::paint(const Mask& mask, const std::function<Colour(int x, int y)>& colour) {
    const int w = std::min(width_, mask.width()), h = std::min(height_, mask.height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float m = mask.at(x, y);
            if (m > 0.0f) blend(x, y, colour(x, y), m);
        }
}

void Image::paint(const Mask& mask, const Colour& colour) {
    paint(mask, [&](int, int) { return colour; });
}

void Image::addGlow(int x, int y, const Colour& c, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Colour& d = at(x, y);
    const float k = c.a * coverage;
    // Light on a transparent pixel: treat the missing background as black.
    d.r = d.r * d.a + c.r * k;
    d.g = d.g * d.a + c.g * k;
    d.b = d.b * d.a + c.b * k;
    d.a = std::max(d.a, std::min(1.0f, k));
    if (d.a > 0) {
        d.r /= d.a;
        d.g /= d.a;
        d.b /= d.a;
    }
}

void Image::fill(const std::function<Colour(int x, int y)>& colour) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) at(x, y) = colour(x, y);
}

void Image::draw(const Image& other, int x, int y) {
    for (int j = 0; j < other.height(); ++j)
        for (int i = 0; i < other.width(); ++i) blend(x + i, y + j, other.at(i, j));
}

Image Image::resized(int width, int height) const {
    Image out(width, height);
    const float sx = float(width_) / float(width), sy = float(height_) / float(height);
    const int taps = std::max(1, int(std::ceil(std::max(sx, sy))));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Colour sum{0, 0, 0, 0};
            for (int j = 0; j < taps; ++j)
                for (int i = 0; i < taps; ++i) {
                    const Colour c = sample((float(x) + (float(i) + 0.5f) / float(taps)) * sx,
                                            (float(y) + (float(j) + 0.5f) / float(taps)) * sy);
                    sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
                }
            const float n = float(taps * taps);
            out.at(x, y) = sum.a > 0
                               ? Colour{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / n}
                               : Colour{0, 0, 0, 0};
        }
    return out;
}

std::vector<uint8_t> Image::rgba8() const {
    std::vector<uint8_t> bytes;
    bytes.reserve(pixels_.size() * 4);
    for (const auto& p : pixels_) {
        bytes.push_back(toByte(p.r));
        bytes.push_back(toByte(p.g));
        bytes.push_back(toByte(p.b));
        bytes.push_back(toByte(p.a));
    }
    return bytes;
}

std::vector<uint8_t> Image::rgb8() const {
    std::vector<uint8_t> bytes;
    bytes.reserve(pixels_.size() * 3);
    for (const auto& p : pixels_) {
        bytes.push_back(toByte(p.r * p.a));
        bytes.push_back(toByte(p.g * p.a));
        bytes.push_back(toByte(p.b * p.a));
    }
    return bytes;
}

}  // namespace brx::tools
