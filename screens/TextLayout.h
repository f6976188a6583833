// Lines of text placed in the 800 x 600 interface space: wrapping a paragraph to a width with
// the font's own advances, the box a placed line covers, and drawing a list of lines with their
// headings in yellow. The help pages and the mode descriptions of game selection use it.
#pragma once

#include <string>
#include <vector>

namespace brx {

class BitmapFont;

// One placed line: its start (lower left of the glyph cells), scale and colour kind.
struct TextLine {
    float x = 0.0f;
    float y = 0.0f;
    float scale = 1.0f;
    std::string text;
    bool heading = false;
};

// The rectangle a line's glyph cells cover (virtual units).
struct TextBox {
    float left = 0.0f;
    float bottom = 0.0f;
    float right = 0.0f;
    float top = 0.0f;
};

// Splits text at blanks into lines whose width at scale stays within maxWidth; a single word
// wider than that stands on a line of its own.
std::vector<std::string> wrapText(const BitmapFont& font, const std::string& text, float maxWidth,
                                  float scale);
// The box of a placed line, measured with the font.
TextBox boxOf(const BitmapFont& font, const TextLine& line);
// True when two boxes share some area.
bool overlaps(const TextBox& a, const TextBox& b);
// Draws the lines, headings yellow and the rest white, with a black shadow when asked (over a
// picture); leaves the font colour white.
void drawTextLines(BitmapFont& font, const std::vector<TextLine>& lines, bool shadow = false);

}  // namespace brx
