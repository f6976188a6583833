#include "tools/art/Styling.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace brx::tools {

Lettering& Styling::face(const char* file) {
    thread_local std::map<std::string, std::unique_ptr<Lettering>> faces;
    auto& slot = faces[file];
    if (!slot) slot = std::make_unique<Lettering>(file);
    return *slot;
}

void Styling::letter(Image& image, const std::string& text, float cx, float cy,
                     const LetterStyle& style) {
    Mask glyphs(image.width(), image.height());
    face(style.face).drawCentred(glyphs, text, style.size, cx, cy);
    if (style.glow > 0) {
        const Mask halo = glyphs.dilated(style.glow * 0.5f).blurred(int(style.glow * 0.5f) + 1);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.blend(x, y, style.glowColour, std::min(1.0f, halo.at(x, y) * 1.4f));
    }
    const Mask outline = style.outlineWidth > 0 ? glyphs.dilated(style.outlineWidth) : glyphs;
    if (style.shadow) {
        const int offset = std::max(1, style.size / 14);
        image.paint(outline.shifted(offset, offset).blurred(1), Colour{0, 0, 0, 0.7f});
    }
    if (style.outlineWidth > 0) image.paint(outline, style.outline);
    // The gradient runs over the capital height around the centre line.
    const float cap = face(style.face).capHeight(style.size);
    const float top = cy - cap * 0.5f, span = std::max(1.0f, cap * 1.1f);
    image.paint(glyphs, [&](int, int y) {
        return style.top.mixed(style.bottom, std::clamp((float(y) - top) / span, 0.0f, 1.0f));
    });
}

void Styling::plate(Image& image, float x0, float y0, float x1, float y1, const PlateStyle& style) {
    Mask outer(image.width(), image.height());
    outer.addRoundedRect(x0, y0, x1, y1, style.radius);
    Mask inner(image.width(), image.height());
    const float b = style.borderWidth;
    inner.addRoundedRect(x0 + b, y0 + b, x1 - b, y1 - b, std::max(0.0f, style.radius - b));
    image.paint(outer, style.border);
    const float height = std::max(1.0f, y1 - y0);
    image.paint(inner, [&](int x, int y) {
        const float t = (float(y) - y0) / height;
        Colour c = style.top.mixed(style.bottom, t);
        // Gloss: a light band over the upper half, fading downwards, brightest at the top.
        if (t < 0.5f) {
            const float g = style.gloss * (1.0f - t * 2.0f);
            c = c.mixed(Colour{1, 1, 1, c.a}, g);
        }
        // A faint horizontal sheen that brightens towards the middle.
        const float across = std::abs((float(x) - (x0 + x1) * 0.5f) / std::max(1.0f, x1 - x0));
        return c.scaled(1.05f - across * 0.15f);
    });
}

PlateStyle Styling::normalPlate() {
    return {};
}

PlateStyle Styling::highlightPlate() {
    PlateStyle p;
    p.top = {0.75f, 0.45f, 0.1f, 0.97f};
    p.bottom = {0.38f, 0.12f, 0.02f, 0.97f};
    p.border = {1.0f, 0.9f, 0.55f, 1};
    p.gloss = 0.3f;
    return p;
}

LetterStyle Styling::normalLetters(int size) {
    LetterStyle s;
    s.size = size;
    return s;
}

LetterStyle Styling::highlightLetters(int size) {
    LetterStyle s;
    s.size = size;
    s.top = {1, 1, 0.85f, 1};
    s.bottom = {1, 0.82f, 0.3f, 1};
    s.outline = {0.25f, 0.08f, 0, 1};
    s.glow = 4;
    s.glowColour = {1, 0.85f, 0.4f, 0.55f};
    return s;
}

Image Styling::button(int width, int stateHeight, const std::string& text, int textSize) {
    Image image(width, stateHeight * 2);
    const float inset = 1.5f;
    for (int state = 0; state < 2; ++state) {
        const float top = float(state * stateHeight);
        Image half(width, stateHeight);
        plate(half, inset, inset, float(width) - inset, float(stateHeight) - inset,
              state == 0 ? normalPlate() : highlightPlate());
        if (!text.empty()) {
            const int size =
                face(Lettering::kBoldFace).sizeToFit(text, textSize, float(width) - 16);
            letter(half, text, float(width) * 0.5f, float(stateHeight) * 0.5f,
                   state == 0 ? normalLetters(size) : highlightLetters(size));
        }
        image.draw(half, 0, int(top));
    }
    return image;
}

}  // namespace brx::tools
