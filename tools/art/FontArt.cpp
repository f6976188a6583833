#include "tools/art/FontArt.h"

#include <algorithm>

#include "tools/art/Styling.h"

namespace brx::tools {
namespace {

constexpr int kGlyphsPerSet = 128;
constexpr int kCellsPerRow = 16;
constexpr float kCutAlpha = 12.0f / 255.0f;  // fringes below this would widen the advances

// The largest face size at which every glyph, outline included, fits its cell.
int fittingSize(Lettering& lettering) {
    for (int size = 21; size > 12; --size) {
        bool fits = true;
        for (int code = FontArt::kFirstCode; code <= FontArt::kLastCode && fits; ++code) {
            const auto box = lettering.glyphBox(char(code), size);
            fits = box.width + 2 <= FontArt::kCell - FontArt::kInkLeft - 1;
        }
        if (fits) return size;
    }
    return 12;
}

// One glyph drawn into its cell, clipped to the cell.
void drawGlyph(Image& image, Lettering& lettering, int code, int cell, int size, bool golden) {
    const int cx = (cell % kCellsPerRow) * FontArt::kCell;
    const int cy = (cell / kCellsPerRow) * FontArt::kCell;
    Mask glyph(FontArt::kCell, FontArt::kCell);
    const auto box = lettering.glyphBox(char(code), size);
    const char text[2] = {char(code), 0};
    lettering.draw(glyph, text, size, float(FontArt::kInkLeft + 1 - box.left),
                   float(FontArt::kBaseline));
    const Mask outline = glyph.dilated(1.0f);
    Image tile(FontArt::kCell, FontArt::kCell);
    if (golden) tile.paint(glyph.dilated(2.0f).blurred(1), Colour{1, 0.6f, 0.1f, 0.55f});
    tile.paint(outline, golden ? Colour{0.3f, 0.1f, 0, 0.95f} : Colour{0, 0, 0.05f, 0.85f});
    const Colour top = golden ? Colour{1, 1, 0.7f, 1} : Colour{1, 1, 1, 1};
    const Colour bottom = golden ? Colour{1, 0.7f, 0.15f, 1} : Colour{0.82f, 0.88f, 1, 1};
    tile.paint(glyph, [&](int, int y) {
        return top.mixed(bottom, std::clamp(float(y - 8) / 16.0f, 0.0f, 1.0f));
    });
    for (int y = 0; y < FontArt::kCell; ++y)
        for (int x = 0; x < FontArt::kCell; ++x) {
            Colour c = tile.at(x, y);
            if (c.a < kCutAlpha) c = {1, 1, 1, 0};
            image.at(cx + x, cy + y) = c;
        }
}

}  // namespace

Image FontArt::font() {
    Image image(kSize, kSize, Colour{1, 1, 1, 0});
    Lettering& lettering = Styling::face(Lettering::kBoldFace);
    const int size = fittingSize(lettering);
    for (int code = kFirstCode + 1; code <= kLastCode; ++code) {
        drawGlyph(image, lettering, code, code - kFirstCode, size, false);
        drawGlyph(image, lettering, code, code - kFirstCode + kGlyphsPerSet, size, true);
    }
    return image;
}

int FontArt::measuredAdvance(const Image& font, int code) {
    const int cell = (code - kFirstCode) % kGlyphsPerSet;
    const int cx = (cell % kCellsPerRow) * kCell, cy = (cell / kCellsPerRow) * kCell;
    for (int x = kCell - 1; x >= 0; --x)
        for (int y = 0; y < kCell; ++y)
            if (font.at(cx + x, cy + y).a >= 0.5f / 255.0f) return x - 7;
    return 12;
}

}  // namespace brx::tools
