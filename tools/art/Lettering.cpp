#include "tools/art/Lettering.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <stdexcept>

namespace brx::tools {

Lettering::Lettering(const std::string& faceFile) {
    if (FT_Init_FreeType(&library_) != 0) throw std::runtime_error("FreeType cannot start");
    const std::string path = std::string(kFontFolder) + faceFile;
    if (FT_New_Face(library_, path.c_str(), 0, &face_) != 0) {
        FT_Done_FreeType(library_);
        throw std::runtime_error("font missing: " + path + " (install fonts-dejavu-core)");
    }
}

Lettering::~Lettering() {
    FT_Done_Face(face_);
    FT_Done_FreeType(library_);
}

void Lettering::selectSize(int pixelSize) const {
    FT_Set_Pixel_Sizes(face_, 0, FT_UInt(pixelSize));
}

Lettering::GlyphBox Lettering::glyphBox(char c, int pixelSize) const {
    selectSize(pixelSize);
    GlyphBox box;
    if (FT_Load_Char(face_, FT_ULong(static_cast<unsigned char>(c)), FT_LOAD_RENDER) != 0)
        return box;
    const FT_GlyphSlot slot = face_->glyph;
    box.left = slot->bitmap_left;
    box.top = slot->bitmap_top;
    box.width = int(slot->bitmap.width);
    box.rows = int(slot->bitmap.rows);
    box.advance = float(slot->advance.x) / 64.0f;
    return box;
}

float Lettering::draw(Mask& mask, const std::string& text, int pixelSize, float x,
                      float baseline) const {
    selectSize(pixelSize);
    float pen = x;
    FT_UInt previous = 0;
    for (const char ch : text) {
        const FT_UInt index = FT_Get_Char_Index(face_, FT_ULong(static_cast<unsigned char>(ch)));
        if (previous != 0 && FT_HAS_KERNING(face_)) {
            FT_Vector kern;
            FT_Get_Kerning(face_, previous, index, FT_KERNING_DEFAULT, &kern);
            pen += float(kern.x) / 64.0f;
        }
        previous = index;
        if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot slot = face_->glyph;
        const int ox = int(pen + 0.5f) + slot->bitmap_left;
        const int oy = int(baseline + 0.5f) - slot->bitmap_top;
        for (unsigned row = 0; row < slot->bitmap.rows; ++row)
            for (unsigned col = 0; col < slot->bitmap.width; ++col) {
                const int px = ox + int(col), py = oy + int(row);
                if (px < 0 || py < 0 || px >= mask.width() || py >= mask.height()) continue;
                const float c =
                    float(slot->bitmap.buffer[row * unsigned(slot->bitmap.pitch) + col]) / 255.0f;
                mask.at(px, py) = std::max(mask.at(px, py), c);
            }
        pen += float(slot->advance.x) / 64.0f;
    }
    return pen - x;
}

float Lettering::inkWidth(const std::string& text, int pixelSize) const {
    if (text.empty()) return 0;
    selectSize(pixelSize);
    float pen = 0, left = 1e9f, right = -1e9f;
    for (const char ch : text) {
        const GlyphBox box = glyphBox(ch, pixelSize);
        if (box.width > 0) {
            left = std::min(left, pen + float(box.left));
            right = std::max(right, pen + float(box.left + box.width));
        }
        pen += box.advance;
    }
    return right > left ? right - left : pen;
}

float Lettering::capHeight(int pixelSize) const {
    return float(glyphBox('H', pixelSize).top);
}

void Lettering::drawCentred(Mask& mask, const std::string& text, int pixelSize, float cx,
                            float cy) const {
    const GlyphBox first = glyphBox(text.empty() ? ' ' : text[0], pixelSize);
    const float width = inkWidth(text, pixelSize);
    draw(mask, text, pixelSize, cx - width * 0.5f - float(first.left),
         cy + capHeight(pixelSize) * 0.5f);
}

int Lettering::sizeToFit(const std::string& text, int maxSize, float width) const {
    int size = maxSize;
    while (size > 6 && inkWidth(text, size) > width) --size;
    return size;
}

}  // namespace brx::tools
