// The shared look of every lettered and plated picture: glassy plates with a gloss band, and
// lettering with a gradient fill, a dark outline, a drop shadow and an optional glow. Keeping it
// in one place makes the menus, buttons and banners read as one family.
#pragma once

#include <string>

#include "tools/art/Image.h"
#include "tools/art/Lettering.h"

namespace brx::tools {

struct LetterStyle {
    int size = 20;                     // pixel size of the face
    Colour top{1, 1, 1, 1};            // fill at the top of the letters
    Colour bottom{0.8f, 0.85f, 1, 1};  // fill at the baseline
    Colour outline{0.02f, 0.03f, 0.08f, 1};
    float outlineWidth = 1.5f;  // pixels; 0 for none
    bool shadow = true;
    float glow = 0;  // halo radius in pixels; 0 for none
    Colour glowColour{1, 0.8f, 0.3f, 0.8f};
    const char* face = Lettering::kBoldFace;
};

struct PlateStyle {
    Colour top{0.16f, 0.24f, 0.42f, 0.95f};
    Colour bottom{0.05f, 0.08f, 0.18f, 0.95f};
    Colour border{0.55f, 0.7f, 1.0f, 1};
    float radius = 8;
    float borderWidth = 1.5f;
    float gloss = 0.22f;  // strength of the light band over the upper half
};

class Styling {
public:
    // The calling thread's lettering for a face file (FreeType handles are per thread).
    static Lettering& face(const char* file);

    // Letters centred on (cx, cy) in the area (whole image when clip is absent).
    static void letter(Image& image, const std::string& text, float cx, float cy,
                       const LetterStyle& style);
    // A rounded plate inside the rectangle.
    static void plate(Image& image, float x0, float y0, float x1, float y1,
                      const PlateStyle& style);
    // Plate styles of the normal and the highlighted state of a button.
    static PlateStyle normalPlate();
    static PlateStyle highlightPlate();
    // Letter styles of the normal and the highlighted state of a button.
    static LetterStyle normalLetters(int size);
    static LetterStyle highlightLetters(int size);
    // A two-state button skin: the normal state in the top half, the highlighted one below,
    // with the same text on both.
    static Image button(int width, int stateHeight, const std::string& text, int textSize);
};

}  // namespace brx::tools
