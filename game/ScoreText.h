// The number that floats up from a removed group: it rises and fades for 800 ms.
#pragma once

#include <string>

#include "engine/Vector3.h"

namespace brx {

class BitmapFont;

class ScoreText {
public:
    static constexpr double kFadePerMs = 0.00125;  // opacity lost per ms
    static constexpr float kRisePerMs = 0.005f;    // units per ms
    static constexpr float kGlyphScale = 0.03f;    // world units per font unit

    // A text showing points ("%i") at position (world), fully opaque.
    ScoreText(int points, const Vector3& position, BitmapFont* font);

    // Rises and fades by ms; false once the opacity has dropped below 0 (the text is done).
    bool update(int elapsedMs);
    // The number in white at the current opacity, blended, without depth test.
    void draw() const;

    std::string text = "100";
    Vector3 position;
    double opacity = 1.0;
    BitmapFont* font = nullptr;  // not owned; nothing is drawn without one
};

}  // namespace brx
