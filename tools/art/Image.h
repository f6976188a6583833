// A picture being painted: straight-alpha float RGBA, rows top-down (row 0 is the top of the
// picture as the player sees it). The writers turn the rows into whatever order the game's
// loaders upload.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "tools/art/Colour.h"

namespace brx::tools {

class Mask;

class Image {
public:
    Image() = default;
    Image(int width, int height, Colour fill = {0, 0, 0, 0});

    int width() const { return width_; }
    int height() const { return height_; }
    Colour& at(int x, int y) { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
    const Colour& at(int x, int y) const { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
    // Bilinear sample at a pixel-space position (pixel centres at +0.5), clamped at the edges.
    Colour sample(float x, float y) const;

    // Paints c over the pixel with the given coverage (source-over compositing).
    void blend(int x, int y, const Colour& c, float coverage = 1.0f);
    // Paints a colour function over every pixel through the mask's coverage.
    void paint(const Mask& mask, const std::function<Colour(int x, int y)>& colour);
    // Paints one colour through the mask.
    void paint(const Mask& mask, const Colour& colour);
    // Adds light: rgb += c.rgb * c.a * coverage, alpha raised to at least the coverage.
    void addGlow(int x, int y, const Colour& c, float coverage);
    // Sets every pixel from a function of its position.
    void fill(const std::function<Colour(int x, int y)>& colour);
    // Places another image with its top-left at (x, y), composited over this one.
    void draw(const Image& other, int x, int y);
    // This picture scaled to a new size with a box/bilinear filter.
    Image resized(int width, int height) const;

    // 8-bit bytes, top-down rows, RGBA or RGB.
    std::vector<uint8_t> rgba8() const;
    std::vector<uint8_t> rgb8() const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Colour> pixels_;
};

}  // namespace brx::tools
