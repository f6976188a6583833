#include "tools/art/InterfaceArt.h"

#include <algorithm>
#include <cmath>

#include "tools/art/Noise.h"
#include "tools/art/Styling.h"

namespace brx::tools {
namespace {

// Block colours of the emblems and the splash, matching the five block colours.
const Colour kBlockColours[5] = {{0.9f, 0.15f, 0.12f, 1},
                                 {0.15f, 0.35f, 0.95f, 1},
                                 {0.15f, 0.75f, 0.2f, 1},
                                 {0.92f, 0.92f, 0.95f, 1},
                                 {0.98f, 0.82f, 0.1f, 1}};

// A small glossy block seen from the front, side `size`, top-left at (x, y).
void miniBlock(Image& image, float x, float y, float size, Colour colour) {
    Mask body(image.width(), image.height());
    body.addRoundedRect(x, y, x + size, y + size, size * 0.18f);
    image.paint(body, [&](int px, int py) {
        const float t = (float(py) - y) / size, s = (float(px) - x) / size;
        Colour c = colour.scaled(1.15f - 0.45f * t - 0.1f * s);
        if (t < 0.35f) c = c.mixed(Colour{1, 1, 1, 1}, 0.35f * (0.35f - t) / 0.35f);
        c.a = 1;
        return c.clamped();
    });
    Mask rim(image.width(), image.height());
    rim.addRoundedRect(x, y, x + size, y + size, size * 0.18f);
    Mask inner(image.width(), image.height());
    inner.addRoundedRect(x + 1, y + 1, x + size - 1, y + size - 1, size * 0.18f - 1);
    rim.subtract(inner);
    image.paint(rim, colour.scaled(0.4f).withAlpha(0.9f));
}

// Emblem patterns (3 x 3 grid of colour indices, -1 empty), one per mode.
const int kEmblems[6][9] = {
    {0, -1, 2, -1, 1, -1, 4, -1, 0},   // Remover: scattered blocks
    {-1, -1, -1, 0, 0, 1, 2, 1, 1},    // Classic: rows from below
    {-1, 3, -1, 2, 3, 0, 2, 2, 0},     // Strategy
    {4, -1, 4, 1, 3, 1, 0, 3, 0},      // Advanced: fixed pattern
    {-1, -1, -1, -1, 4, -1, 1, 4, 1},  // Modern: a pyramid
    {0, 1, 0, 2, -1, 2, 0, 1, 0},      // Puzzle: a layout
};

void drawEmblem(Image& image, int emblem, float x, float y, float cell) {
    for (int i = 0; i < 9; ++i) {
        const int c = kEmblems[emblem % 6][i];
        if (c < 0) continue;
        miniBlock(image, x + float(i % 3) * cell, y + float(i / 3) * cell, cell - 1.5f,
                  kBlockColours[c]);
    }
}

LetterStyle labelLetters(int size) {
    LetterStyle s = Styling::normalLetters(size);
    s.top = {1, 0.95f, 0.6f, 1};
    s.bottom = {1, 0.75f, 0.25f, 1};
    return s;
}

// An inset dark slot for numbers and values.
void slot(Image& image, float x0, float y0, float x1, float y1) {
    PlateStyle s;
    s.top = {0.0f, 0.02f, 0.06f, 0.9f};
    s.bottom = {0.04f, 0.07f, 0.16f, 0.9f};
    s.border = {0.35f, 0.45f, 0.7f, 0.9f};
    s.radius = 6;
    s.gloss = 0.0f;
    s.borderWidth = 1;
    Styling::plate(image, x0, y0, x1, y1, s);
}

}  // namespace

Image InterfaceArt::menuButton(const std::string& text) {
    return Styling::button(256, 32, text, 20);
}

Image InterfaceArt::smallButton(const std::string& text) {
    return Styling::button(128, 32, text, 18);
}

Image InterfaceArt::halfButton(const std::string& text) {
    return Styling::button(64, 32, text, 18);
}

Image InterfaceArt::modeButton(const std::string& text, int emblem) {
    Image image = Styling::button(256, 64, "", 0);
    for (int state = 0; state < 2; ++state) {
        const float top = float(state * 64);
        drawEmblem(image, emblem, 10, top + 10, 15);
        Image letters(256, 64);
        const LetterStyle style =
            state == 0 ? Styling::normalLetters(28) : Styling::highlightLetters(28);
        Styling::letter(letters, text, 152, 32, style);
        image.draw(letters, 0, int(top));
    }
    return image;
}

Image InterfaceArt::valueField(bool withCube, int width) {
    Image image(width, 64);
    for (int state = 0; state < 2; ++state) {
        const float top = float(state * 32);
        PlateStyle p = state == 0 ? Styling::normalPlate() : Styling::highlightPlate();
        p.top = p.top.scaled(0.55f).withAlpha(0.92f);
        p.bottom = p.bottom.scaled(0.45f).withAlpha(0.92f);
        p.gloss = 0.12f;
        Styling::plate(image, 1.5f, top + 1.5f, float(width) - 1.5f, top + 30.5f, p);
        if (withCube) miniBlock(image, 8, top + 8, 16, kBlockColours[state == 0 ? 1 : 4]);
    }
    return image;
}

Image InterfaceArt::arrow() {
    Image image(16, 64);
    for (int state = 0; state < 2; ++state) {
        // Top half: under the mouse; bottom half: normal.
        const bool hover = state == 0;
        const float top = float(state * 32);
        Mask shape(16, 64);
        shape.addPolygon({{3, top + 7}, {13, top + 16}, {3, top + 25}});
        const Mask outline = shape.dilated(1.5f);
        image.paint(outline.shifted(1, 1).blurred(1), Colour{0, 0, 0, 0.6f});
        image.paint(outline, hover ? Colour{0.35f, 0.12f, 0, 1} : Colour{0.02f, 0.04f, 0.12f, 1});
        const Colour a = hover ? Colour{1, 0.95f, 0.6f, 1} : Colour{0.75f, 0.85f, 1, 1};
        const Colour b = hover ? Colour{1, 0.6f, 0.1f, 1} : Colour{0.25f, 0.4f, 0.85f, 1};
        image.paint(shape, [&](int, int y) {
            return a.mixed(b, std::clamp((float(y) - top - 5) / 22.0f, 0.0f, 1.0f));
        });
    }
    return image;
}

Image InterfaceArt::checkBox() {
    Image image(32, 128);
    // Quarters from the top of the picture: checked+hover, hover, checked, normal.
    const bool checkedAt[4] = {true, false, true, false};
    const bool hoverAt[4] = {true, true, false, false};
    for (int q = 0; q < 4; ++q) {
        const float top = float(q * 32);
        PlateStyle p = hoverAt[q] ? Styling::highlightPlate() : Styling::normalPlate();
        p.radius = 6;
        Styling::plate(image, 4, top + 4, 28, top + 28, p);
        if (!checkedAt[q]) continue;
        Mask tick(32, 128);
        tick.addCapsule({9, top + 16}, {14, top + 22}, 2.2f);
        tick.addCapsule({14, top + 22}, {24, top + 9}, 2.2f);
        image.paint(tick.dilated(1).shifted(1, 1), Colour{0, 0, 0, 0.6f});
        image.paint(tick, Colour{0.55f, 1, 0.45f, 1});
    }
    return image;
}

Image InterfaceArt::sliderTrack() {
    Image image(128, 64);
    for (int state = 0; state < 2; ++state) {
        const float mid = float(state * 32) + 16;
        Mask groove(128, 64);
        groove.addRoundedRect(3, mid - 4, 125, mid + 4, 4);
        image.paint(groove.dilated(1),
                    state == 0 ? Colour{0.4f, 0.55f, 0.9f, 1} : Colour{1, 0.85f, 0.45f, 1});
        image.paint(groove, [&](int x, int y) {
            const float t = (float(y) - (mid - 4)) / 8.0f;
            const Colour fill = Colour{0.02f, 0.03f, 0.08f, 1}.mixed({0.1f, 0.14f, 0.3f, 1}, t);
            // A glow that fills towards the right shows the direction of "more".
            return fill.mixed({0.3f, 0.5f, 1, 1}, 0.25f * float(x) / 128.0f);
        });
        for (int tick = 0; tick <= 8; ++tick) {
            Mask mark(128, 64);
            const float x = 6 + float(tick) * 14.5f;
            mark.addRoundedRect(x - 0.7f, mid + 7, x + 0.7f, mid + 11, 0.5f);
            image.paint(mark, Colour{0.7f, 0.8f, 1, 0.7f});
        }
    }
    return image;
}

Image InterfaceArt::sliderThumb() {
    Image image(32, 64);
    for (int state = 0; state < 2; ++state) {
        const float top = float(state * 32);
        PlateStyle p = state == 0 ? Styling::normalPlate() : Styling::highlightPlate();
        p.top = state == 0 ? Colour{0.7f, 0.8f, 1, 1} : Colour{1, 0.95f, 0.6f, 1};
        p.bottom = state == 0 ? Colour{0.2f, 0.3f, 0.7f, 1} : Colour{0.9f, 0.45f, 0.05f, 1};
        p.border = {0.05f, 0.05f, 0.15f, 1};
        p.radius = 5;
        Styling::plate(image, 7, top + 3, 25, top + 29, p);
        for (int line = 0; line < 3; ++line) {
            Mask grip(32, 64);
            const float y = top + 12 + float(line) * 4;
            grip.addRoundedRect(11, y, 21, y + 1.2f, 0.5f);
            image.paint(grip, Colour{0, 0, 0.1f, 0.5f});
        }
    }
    return image;
}

Image InterfaceArt::infoPanel() {
    // Drawn with its lower-left corner at (-1, 334) of the 800 x 600 screen: picture column
    // x shows at screen x - 1, row r at screen y 590 - r. Numbers are centred on screen x 70
    // and 700, their cells spanning screen y 515..547 and 415..447 (rows 43..75, 143..175).
    Image image(1024, 256);
    for (const float centre : {71.0f, 701.0f}) {
        PlateStyle panel;
        panel.radius = 12;
        panel.top = {0.1f, 0.16f, 0.32f, 0.82f};
        panel.bottom = {0.03f, 0.05f, 0.12f, 0.82f};
        Styling::plate(image, centre - 62, 4, centre + 62, 190, panel);
        const bool left = centre < 400;
        Styling::letter(image, left ? "LEVEL" : "SCORE", centre, 25, labelLetters(17));
        Styling::letter(image, left ? "LINES" : "POINTS", centre, 125, labelLetters(17));
        slot(image, centre - 52, 42, centre + 52, 78);
        slot(image, centre - 52, 142, centre + 52, 178);
    }
    return image;
}

Image InterfaceArt::banner(const std::string& text, Colour top, Colour bottom, Colour glow) {
    Image image(512, 128);
    LetterStyle style;
    style.size = Styling::face(Lettering::kBoldFace).sizeToFit(text, 64, 480);
    style.top = top;
    style.bottom = bottom;
    style.outline = {0.05f, 0.02f, 0.0f, 1};
    style.outlineWidth = 2.5f;
    style.glow = 12;
    style.glowColour = glow;
    Styling::letter(image, text, 256, 64, style);
    return image;
}

Image InterfaceArt::splash() {
    // Drawn at the top of the menu, above the first button: keep the bottom rows clear.
    Image image(512, 128);
    const char* title = "BRIXELER";
    LetterStyle style;
    style.size = 58;
    style.top = {1, 1, 1, 1};
    style.bottom = {0.55f, 0.75f, 1, 1};
    style.outlineWidth = 2.5f;
    style.glow = 10;
    style.glowColour = {0.3f, 0.55f, 1, 0.6f};
    const LetterStyle three = threeDLetters(46);
    // The title and "3D" centred together as one group.
    Lettering& face = Styling::face(style.face);
    const float titleWidth = face.inkWidth(title, style.size);
    const float threeWidth = face.inkWidth("3D", three.size);
    const float gap = 14;
    const float left = 256 - (titleWidth + gap + threeWidth) * 0.5f;
    const float titleCentre = left + titleWidth * 0.5f;
    // A faux extrusion: the lettering repeated down and right in darkening blue.
    Mask glyphs(512, 128);
    face.drawCentred(glyphs, title, style.size, titleCentre, 52);
    for (int depth = 6; depth >= 1; --depth)
        image.paint(glyphs.dilated(2).shifted(depth, depth),
                    Colour{0.05f, 0.1f, 0.3f, 1}.scaled(1.0f + 0.12f * float(6 - depth)));
    Styling::letter(image, title, titleCentre, 52, style);
    Styling::letter(image, "3D", left + titleWidth + gap + threeWidth * 0.5f, 50, three);
    // Clear of the loading bar, which runs 52 to 58 pixels below the picture's centre.
    for (int i = 0; i < 5; ++i) miniBlock(image, 158 + float(i) * 42, 84, 24, kBlockColours[i]);
    return image;
}

void InterfaceArt::emblemBlock(Image& image, float x, float y, float size, int colour) {
    miniBlock(image, x, y, size, kBlockColours[std::clamp(colour, 0, 4)]);
}

LetterStyle InterfaceArt::threeDLetters(int size) {
    // At the splash's size 46: outline 2.5 and glow 10 pixels.
    const float scale = float(size) / 46.0f;
    LetterStyle three;
    three.size = size;
    three.top = {1, 0.95f, 0.5f, 1};
    three.bottom = {1, 0.5f, 0.05f, 1};
    three.outlineWidth = std::max(1.0f, 2.5f * scale);
    three.glow = 10 * scale;
    three.glowColour = {1, 0.6f, 0.1f, 0.6f};
    return three;
}

Image InterfaceArt::publisherLogo() {
    Image image(128, 64);
    miniBlock(image, 10, 18, 26, kBlockColours[1]);
    miniBlock(image, 22, 30, 26, kBlockColours[4]);
    LetterStyle style = Styling::normalLetters(20);
    style.face = Lettering::kCondensedBoldFace;
    Styling::letter(image, "B3D", 86, 24, style);
    LetterStyle small = labelLetters(11);
    Styling::letter(image, "GAMES", 86, 46, small);
    return image;
}

Image InterfaceArt::cursor() {
    // The game draws the picture with its top-left corner on the pointer: the tip is there.
    Image image(64, 64);
    Mask shape(64, 64);
    shape.addPolygon({{3, 2}, {3, 44}, {13, 35}, {21, 53}, {29, 50}, {21, 32}, {35, 32}});
    image.paint(shape.dilated(2).shifted(2, 2).blurred(2), Colour{0, 0, 0, 0.5f});
    image.paint(shape.dilated(2), Colour{0.02f, 0.03f, 0.1f, 1});
    image.paint(shape, [](int x, int y) {
        const float t = std::clamp(float(x + y) / 70.0f, 0.0f, 1.0f);
        return Colour{1, 1, 1, 1}.mixed({0.6f, 0.75f, 1, 1}, t);
    });
    return image;
}

Image InterfaceArt::frame() {
    Image image(256, 256);
    Mask border(256, 256);
    border.addRoundedRect(2, 2, 254, 254, 18);
    Mask hole(256, 256);
    hole.addRoundedRect(14, 14, 242, 242, 10);
    border.subtract(hole);
    image.paint(border, [](int x, int y) {
        const float t = float(x + y) / 512.0f;
        return Colour{0.75f, 0.85f, 1, 1}.mixed({0.15f, 0.25f, 0.6f, 1}, t);
    });
    return image;
}

Image InterfaceArt::menuOverlay() {
    // Drawn at half opacity over the middle band of the menus: a dark glass column.
    Image image(512, 512);
    const Noise noise(77);
    image.fill([&](int x, int y) {
        const float u = float(x) / 511.0f, v = float(y) / 511.0f;
        const float edge = std::min(u, 1 - u);
        float a = 0.75f + 0.1f * (noise.fbm(u * 6, v * 6, 4) - 0.5f);
        Colour c{0.02f, 0.04f, 0.12f, a};
        // Light seams along both long edges.
        const float seam = std::exp(-std::pow(edge * 80.0f, 2.0f));
        c = c.mixed({0.4f, 0.6f, 1, 1}, seam * 0.8f);
        return c;
    });
    return image;
}

Image InterfaceArt::dialogPanel() {
    Image image(512, 256);
    PlateStyle p;
    p.radius = 20;
    p.borderWidth = 3;
    p.top = {0.12f, 0.18f, 0.38f, 1};
    p.bottom = {0.03f, 0.05f, 0.14f, 1};
    Styling::plate(image, 2, 2, 510, 254, p);
    return image;
}

}  // namespace brx::tools
