#include "screens/TextLayout.h"

#include <sstream>

#include "engine/BitmapFont.h"

namespace brx {

std::vector<std::string> wrapText(const BitmapFont& font, const std::string& text, float maxWidth,
                                  float scale) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word;
    std::string line;
    while (words >> word) {
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && float(font.textWidth(longer)) * scale > maxWidth) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

TextBox boxOf(const BitmapFont& font, const TextLine& line) {
    TextBox box;
    box.left = line.x;
    box.bottom = line.y;
    box.right = line.x + float(font.textWidth(line.text)) * line.scale;
    box.top = line.y + float(BitmapFont::kCellPixels) * line.scale;
    return box;
}

bool overlaps(const TextBox& a, const TextBox& b) {
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

void drawTextLines(BitmapFont& font, const std::vector<TextLine>& lines, bool shadow) {
    for (const TextLine& line : lines) {
        if (line.heading) {
            font.setColour(1.0f, 1.0f, 0.0f, 1.0f);
        } else {
            font.setColour(1.0f, 1.0f, 1.0f, 1.0f);
        }
        font.drawText(line.x, line.y, line.text, shadow, line.scale);
    }
    font.setColour(1.0f, 1.0f, 1.0f, 1.0f);
}

}  // namespace brx
