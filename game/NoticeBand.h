// A short notice drawn over the board: a dark band across the middle of the 800 x 600 screen
// holding a few centred lines of text, scaled down where a line would not fit the band.
#pragma once

#include <string>
#include <vector>

namespace brx {

class BitmapFont;

class NoticeBand {
public:
    // Band and text layout (virtual units, y upwards).
    static constexpr float kLeft = 40.0f;
    static constexpr float kRight = 760.0f;
    static constexpr float kCentreY = 300.0f;
    static constexpr float kLineHeight = 34.0f;
    static constexpr float kPadding = 18.0f;
    static constexpr float kTextScale = 0.75f;
    static constexpr float kBandAlpha = 0.8f;

    explicit NoticeBand(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    const std::vector<std::string>& lines() const { return lines_; }
    // The scale a line is drawn at: kTextScale, or less when the line is wider than the band.
    float scaleFor(const BitmapFont& font, const std::string& line) const;
    // Band bottom and top (virtual units).
    float bottom() const;
    float top() const;
    // Draws the band and its lines in the 800 x 600 projection that must be current (depth
    // test and lighting off); without a font only the band shows.
    void draw(BitmapFont* font) const;

private:
    std::vector<std::string> lines_;
};

}  // namespace brx
