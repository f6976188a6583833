// The game's one proportional bitmap font. Its texture is a 512 x 512 RGBA grid of 16 x 16
// cells of 32 x 32 pixels, cell 0 at the top left: cells 0-127 are the normal glyphs of the
// character codes 32 to 159, cells 128-255 the highlighted glyphs of the same codes. Each cell
// becomes one display list that draws a 32 x 32 quad and moves the pen by the glyph's advance
// width, measured once from the texture's alpha channel.
//
// Design note: a string is drawn by one glCallLists over list offsets. The offsets are mapped
// from the text's bytes first, so that no byte (control characters, bytes above 159, negative
// chars) can call a list that is not one of the font's own.
#pragma once

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <string>

#include "engine/TextureRef.h"

namespace brx {

class BitmapFont {
public:
    static constexpr int kGlyphCount = 256;  // display lists, one per cell
    static constexpr int kSetSize = 128;     // glyphs in each set
    static constexpr int kFirstCode = 32;    // character code of cell 0
    static constexpr int kCellPixels = 32;   // cell side in texture pixels and in units
    static constexpr float kDefaultAdvance = 10.0f;
    static constexpr float kEmptyCellAdvance = 12.0f;

    explicit BitmapFont(std::string textureName);
    ~BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    // Makes the 256 display lists on the current context; on the first call also loads the
    // texture (throws OFileNotFound when it is missing) and measures the advance widths.
    // False when no lists could be made.
    bool build();
    // Deletes the display lists (before the rendering context goes away); build() remakes them.
    void releaseLists();

    // The colour the drawing calls apply (RGBA, 0 to 1).
    void setColour(float r, float g, float b, float a);
    // Width in units at scale 1: the sum of the characters' advance widths.
    uint16_t textWidth(const std::string& text) const;
    // The most leading characters whose widths add up to at most maxWidth units.
    int16_t charsFitting(const std::string& text, int maxWidth) const;
    // Draws text with its pen start at (x, y): optionally a black shadow at (x + 1, y - 1)
    // first, then the text in the font colour; set 0 gives normal glyphs, 1 highlighted ones.
    void drawText(float x, float y, const std::string& text, bool shadow = false,
                  float scale = 1.0f, int set = 0) const;

    // The advance width of a character code at scale 1 (0 below code 32: no glyph).
    float advance(unsigned char code) const;
    const std::array<float, kGlyphCount>& advances() const { return advances_; }
    const TextureRef& texture() const { return texture_; }
    GLuint listBase() const { return listBase_; }
    bool listsReleased() const { return listsReleased_; }
    const std::string& textureName() const { return textureName_; }
    const std::array<float, 4>& colour() const { return colour_; }

private:
    void measureAdvances();
    int rightmostOpaqueColumn(const OBaseImage& image, int cell) const;
    void compileLists() const;
    void drawRun(float x, float y, const std::string& offsets, float scale) const;
    std::string listOffsets(const std::string& text, int set) const;

    TextureRef texture_;
    GLuint listBase_ = 0;
    std::string textureName_;
    int cellWidth_ = kCellPixels;
    bool listsReleased_ = false;
    std::array<float, kGlyphCount> advances_{};
    std::array<float, 4> colour_{1.0f, 1.0f, 1.0f, 1.0f};
};

}  // namespace brx
