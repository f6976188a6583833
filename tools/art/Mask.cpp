#include "tools/art/Mask.h"

#include <algorithm>
#include <cmath>

namespace brx::tools {
namespace {

float coverageOf(float distance) {
    return std::clamp(0.5f - distance, 0.0f, 1.0f);
}

// Signed distances, negative inside; params hold the shape's numbers.
float roundedRectDistance(float x, float y, const float* p) {
    const float cx = (p[0] + p[2]) * 0.5f, cy = (p[1] + p[3]) * 0.5f;
    const float hx = (p[2] - p[0]) * 0.5f - p[4], hy = (p[3] - p[1]) * 0.5f - p[4];
    const float qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - p[4];
}

float circleDistance(float x, float y, const float* p) {
    return std::hypot(x - p[0], y - p[1]) - p[2];
}

float ringDistance(float x, float y, const float* p) {
    return std::abs(std::hypot(x - p[0], y - p[1]) - p[2]) - p[3];
}

float capsuleDistance(float x, float y, const float* p) {
    const float ax = x - p[0], ay = y - p[1], bx = p[2] - p[0], by = p[3] - p[1];
    const float len2 = bx * bx + by * by;
    const float t = len2 > 0 ? std::clamp((ax * bx + ay * by) / len2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(ax - bx * t, ay - by * t) - p[4];
}

float segmentDistance(Point p, Point a, Point b) {
    const float params[5] = {a.x, a.y, b.x, b.y, 0.0f};
    return capsuleDistance(p.x, p.y, params);
}

}  // namespace

Mask::Mask(int width, int height)
    : width_(width), height_(height), cover_(size_t(width) * size_t(height), 0.0f) {}

float Mask::get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0.0f;
    return at(x, y);
}

void Mask::addDistanceShape(float x0, float y0, float x1, float y1,
                            float (*distance)(float, float, const float*), const float* params) {
    const int ix0 = std::max(0, int(std::floor(x0)) - 2),
              iy0 = std::max(0, int(std::floor(y0)) - 2);
    const int ix1 = std::min(width_ - 1, int(std::ceil(x1)) + 2);
    const int iy1 = std::min(height_ - 1, int(std::ceil(y1)) + 2);
    for (int y = iy0; y <= iy1; ++y)
        for (int x = ix0; x <= ix1; ++x) {
            const float c = coverageOf(distance(float(x) + 0.5f, float(y) + 0.5f, params));
            at(x, y) = std::max(at(x, y), c);
        }
}

void Mask::addRoundedRect(float x0, float y0, float x1, float y1, float radius) {
    radius = std::min({radius, (x1 - x0) * 0.5f, (y1 - y0) * 0.5f});
    const float p[5] = {x0, y0, x1, y1, radius};
    addDistanceShape(x0, y0, x1, y1, roundedRectDistance, p);
}

void Mask::addCircle(float cx, float cy, float radius) {
    const float p[3] = {cx, cy, radius};
    addDistanceShape(cx - radius, cy - radius, cx + radius, cy + radius, circleDistance, p);
}

void Mask::addRing(float cx, float cy, float radius, float halfWidth) {
    const float p[4] = {cx, cy, radius, halfWidth};
    const float r = radius + halfWidth;
    addDistanceShape(cx - r, cy - r, cx + r, cy + r, ringDistance, p);
}

void Mask::addCapsule(Point a, Point b, float radius) {
    const float p[5] = {a.x, a.y, b.x, b.y, radius};
    addDistanceShape(std::min(a.x, b.x) - radius, std::min(a.y, b.y) - radius,
                     std::max(a.x, b.x) + radius, std::max(a.y, b.y) + radius, capsuleDistance, p);
}

void Mask::addPolygon(const std::vector<Point>& corners) {
    if (corners.size() < 3) return;
    float x0 = corners[0].x, x1 = x0, y0 = corners[0].y, y1 = y0;
    for (const auto& c : corners) {
        x0 = std::min(x0, c.x), x1 = std::max(x1, c.x);
        y0 = std::min(y0, c.y), y1 = std::max(y1, c.y);
    }
    const int ix0 = std::max(0, int(x0) - 2), iy0 = std::max(0, int(y0) - 2);
    const int ix1 = std::min(width_ - 1, int(x1) + 2), iy1 = std::min(height_ - 1, int(y1) + 2);
    const size_t n = corners.size();
    for (int y = iy0; y <= iy1; ++y)
        for (int x = ix0; x <= ix1; ++x) {
            const Point p{float(x) + 0.5f, float(y) + 0.5f};
            bool inside = false;
            float nearest = 1e9f;
            for (size_t i = 0, j = n - 1; i < n; j = i++) {
                const Point a = corners[i], b = corners[j];
                if ((a.y > p.y) != (b.y > p.y) &&
                    p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
                    inside = !inside;
                nearest = std::min(nearest, segmentDistance(p, a, b));
            }
            const float c = coverageOf(inside ? -nearest : nearest);
            at(x, y) = std::max(at(x, y), c);
        }
}

void Mask::subtract(const Mask& other) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) at(x, y) *= 1.0f - other.get(x, y);
}

void Mask::intersect(const Mask& other) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) at(x, y) *= other.get(x, y);
}

Mask Mask::dilated(float radius) const {
    Mask out(width_, height_);
    const int r = int(std::ceil(radius));
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            float best = 0.0f;
            for (int dy = -r; dy <= r && best < 1.0f; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    const float reach =
                        std::clamp(radius + 0.5f - std::hypot(float(dx), float(dy)), 0.0f, 1.0f);
                    if (reach > 0.0f) best = std::max(best, get(x + dx, y + dy) * reach);
                }
            out.at(x, y) = best;
        }
    return out;
}

void Mask::boxBlurRows(int radius) {
    std::vector<float> row(static_cast<size_t>(width_));
    const float scale = 1.0f / float(2 * radius + 1);
    for (int y = 0; y < height_; ++y) {
        float sum = 0;
        for (int x = -radius; x <= radius; ++x) sum += get(x, y);
        for (int x = 0; x < width_; ++x) {
            row[size_t(x)] = sum * scale;
            sum += get(x + radius + 1, y) - get(x - radius, y);
        }
        std::copy(row.begin(), row.end(), cover_.begin() + long(y) * width_);
    }
}

void Mask::boxBlurColumns(int radius) {
    std::vector<float> column(static_cast<size_t>(height_));
    const float scale = 1.0f / float(2 * radius + 1);
    for (int x = 0; x < width_; ++x) {
        float sum = 0;
        for (int y = -radius; y <= radius; ++y) sum += get(x, y);
        for (int y = 0; y < height_; ++y) {
            column[size_t(y)] = sum * scale;
            sum += get(x, y + radius + 1) - get(x, y - radius);
        }
        for (int y = 0; y < height_; ++y) at(x, y) = column[size_t(y)];
    }
}

Mask Mask::blurred(int radius) const {
    Mask out = *this;
    if (radius <= 0) return out;
    for (int pass = 0; pass < 3; ++pass) {
        out.boxBlurRows(radius);
        out.boxBlurColumns(radius);
    }
    return out;
}

Mask Mask::shifted(int dx, int dy) const {
    Mask out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) out.at(x, y) = get(x - dx, y - dy);
    return out;
}

}  // namespace brx::tools
