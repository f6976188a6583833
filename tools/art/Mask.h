// A coverage map (0..1 per pixel, rows top-down) that shapes and lettering are drawn into
// before they are painted onto an Image. Shapes are anti-aliased through their signed distance:
// a pixel whose centre lies d pixels outside the edge is covered 0.5 - d.
#pragma once

#include <cstddef>
#include <vector>

namespace brx::tools {

struct Point {
    float x = 0, y = 0;
};

class Mask {
public:
    Mask() = default;
    Mask(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    float& at(int x, int y) { return cover_[size_t(y) * size_t(width_) + size_t(x)]; }
    float at(int x, int y) const { return cover_[size_t(y) * size_t(width_) + size_t(x)]; }
    // Coverage at any position, 0 outside the map.
    float get(int x, int y) const;

    // Shapes, merged with what is there (the larger coverage wins). Sizes in pixels.
    void addRoundedRect(float x0, float y0, float x1, float y1, float radius);
    void addCircle(float cx, float cy, float radius);
    void addRing(float cx, float cy, float radius, float halfWidth);
    void addCapsule(Point a, Point b, float radius);
    // A convex or concave simple polygon, filled by the even-odd rule.
    void addPolygon(const std::vector<Point>& corners);
    // Removes a shape drawn in another mask (coverage *= 1 - other).
    void subtract(const Mask& other);
    // Keeps only where the other mask covers too (coverage *= other).
    void intersect(const Mask& other);

    // Copy grown by radius pixels (a round max filter): outlines and halos.
    Mask dilated(float radius) const;
    // Copy blurred with three box passes of the given radius (close to a Gaussian).
    Mask blurred(int radius) const;
    // Copy moved by whole pixels.
    Mask shifted(int dx, int dy) const;

private:
    void addDistanceShape(float x0, float y0, float x1, float y1,
                          float (*distance)(float, float, const float*), const float* params);
    void boxBlurRows(int radius);
    void boxBlurColumns(int radius);

    int width_ = 0;
    int height_ = 0;
    std::vector<float> cover_;
};

}  // namespace brx::tools
