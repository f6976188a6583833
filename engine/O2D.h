// Rectangle and frame colours shared by every control: position and size in the 800 x 600
// virtual space (lower-left origin), plus an optional filled and bordered rectangle.
#pragma once

#include <cstdint>

namespace brx {

struct Rgba {
    float r, g, b, a;
};

class O2D {
public:
    virtual ~O2D() = default;

    // Moves the lower-left corner (virtual units). Virtual: a control with parts (a slider's
    // thumb) moves them along, whatever reference it is moved through.
    virtual void setPosition(int16_t x, int16_t y) {
        x_ = x;
        y_ = y;
    }
    // Sets width and height (virtual units); virtual so that a text field re-scrolls.
    virtual void setSize(int16_t width, int16_t height) {
        width_ = width;
        height_ = height;
    }
    // Colour of the filled rectangle.
    void setFillColour(float r, float g, float b, float a) { fillColour_ = {r, g, b, a}; }
    // Colour of the frame.
    void setBorderColour(float r, float g, float b, float a) { borderColour_ = {r, g, b, a}; }
    // Line width of the frame (pixels).
    void setLineWidth(float width) { lineWidth_ = width; }
    // Whether drawFill / drawBorder are part of the owner's draw.
    void setFilled(bool on) { filled_ = on; }
    void setBordered(bool on) { bordered_ = on; }

    // One filled rectangle in the fill colour, texturing and blending off.
    void drawFill() const;
    // A closed line loop through the four corners in the border colour and width.
    void drawBorder() const;

    // True when the virtual point lies inside: x <= vx < x + width, y <= vy < y + height.
    bool contains(float vx, float vy) const {
        return x_ <= vx && vx < x_ + width_ && y_ <= vy && vy < y_ + height_;
    }

    int16_t x() const { return x_; }
    int16_t y() const { return y_; }
    int16_t width() const { return width_; }
    int16_t height() const { return height_; }
    bool filled() const { return filled_; }
    bool bordered() const { return bordered_; }
    const Rgba& fillColour() const { return fillColour_; }
    const Rgba& borderColour() const { return borderColour_; }
    float lineWidth() const { return lineWidth_; }

private:
    bool filled_ = false;
    bool bordered_ = false;
    Rgba borderColour_{0.0f, 0.0f, 0.0f, 1.0f};
    Rgba fillColour_{0.5f, 0.5f, 0.5f, 1.0f};
    float lineWidth_ = 1.0f;
    int16_t x_ = 0, y_ = 0, width_ = 0, height_ = 0;
};

}  // namespace brx
