// Anti-aliased lettering from a TrueType face through FreeType, drawn into coverage masks. One
// instance per thread: a FreeType library handle must not be shared between threads.
#pragma once

#include <string>

#include "tools/art/Mask.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace brx::tools {

class Lettering {
public:
    static constexpr const char* kFontFolder = "/usr/share/fonts/truetype/dejavu/";
    static constexpr const char* kBoldFace = "DejaVuSans-Bold.ttf";
    static constexpr const char* kCondensedBoldFace = "DejaVuSansCondensed-Bold.ttf";
    static constexpr const char* kSerifBoldFace = "DejaVuSerif-Bold.ttf";

    // Opens the face file below kFontFolder; throws std::runtime_error when it cannot.
    explicit Lettering(const std::string& faceFile = kBoldFace);
    ~Lettering();
    Lettering(const Lettering&) = delete;
    Lettering& operator=(const Lettering&) = delete;

    // Draws text with its baseline at y, starting at x; returns the pen advance in pixels.
    float draw(Mask& mask, const std::string& text, int pixelSize, float x, float baseline) const;
    // Width of the inked part of the text in pixels (what centring needs).
    float inkWidth(const std::string& text, int pixelSize) const;
    // Height of capitals above the baseline in pixels.
    float capHeight(int pixelSize) const;
    // Draws text centred on (cx, cy), vertically by its capital height.
    void drawCentred(Mask& mask, const std::string& text, int pixelSize, float cx, float cy) const;
    // The largest size up to maxSize at which the text's ink fits into width pixels.
    int sizeToFit(const std::string& text, int maxSize, float width) const;

    // One glyph's bitmap placement: left offset from the pen and ink extent, in pixels.
    struct GlyphBox {
        int left = 0, width = 0, top = 0, rows = 0;
        float advance = 0;
    };
    GlyphBox glyphBox(char c, int pixelSize) const;

private:
    void selectSize(int pixelSize) const;

    FT_LibraryRec_* library_ = nullptr;
    FT_FaceRec_* face_ = nullptr;
};

}  // namespace brx::tools
