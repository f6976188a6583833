#include "tools/art/SymbolArt.h"

#include <cmath>
#include <vector>

#include "core/DataManifest.h"

namespace brx::tools {
namespace {

constexpr float kCentre = SymbolArt::kCellSize * 0.5f;
// Glyphs fill this radius (pixels); the rim and a margin against mipmap bleeding stay outside.
constexpr float kRadius = 21.0f;
constexpr float kRimWidth = 4.0f;  // pixels of white around the dark glyph
const Colour kRimColour{1.0f, 1.0f, 1.0f, 1.0f};
const Colour kGlyphColour{0.06f, 0.06f, 0.08f, 1.0f};

}  // namespace

Mask SymbolArt::glyph(int colour) {
    Mask mask(kCellSize, kCellSize);
    const float r = kRadius;
    switch (colour) {
        case 1:  // red: a disc
            mask.addCircle(kCentre, kCentre, r * 0.75f);
            break;
        case 2: {  // blue: a hollow square (a filled one looks like the disc when small)
            const float outer = r * 0.9f, inner = r * 0.4f;
            mask.addRoundedRect(kCentre - outer, kCentre - outer, kCentre + outer, kCentre + outer,
                                1.5f);
            Mask hole(kCellSize, kCellSize);
            hole.addRoundedRect(kCentre - inner, kCentre - inner, kCentre + inner, kCentre + inner,
                                0.5f);
            mask.subtract(hole);
            break;
        }
        case 3:  // green: a broad triangle pointing up, its base wider than the disc
            mask.addPolygon({{kCentre, kCentre - r * 1.15f},
                             {kCentre + r * 1.2f, kCentre + r * 0.85f},
                             {kCentre - r * 1.2f, kCentre + r * 0.85f}});
            break;
        case 4:  // white: an upright cross
            mask.addRoundedRect(kCentre - r * 0.24f, kCentre - r, kCentre + r * 0.24f, kCentre + r,
                                1.5f);
            mask.addRoundedRect(kCentre - r, kCentre - r * 0.24f, kCentre + r, kCentre + r * 0.24f,
                                1.5f);
            break;
        case 5: {  // yellow: a diagonal cross, the white one turned by 45 degrees
            const float d = r * 0.8f;
            mask.addCapsule({kCentre - d, kCentre - d}, {kCentre + d, kCentre + d}, r * 0.28f);
            mask.addCapsule({kCentre - d, kCentre + d}, {kCentre + d, kCentre - d}, r * 0.28f);
            break;
        }
        default:
            break;
    }
    return mask;
}

Image SymbolArt::atlas() {
    Image image(kCellSize * DataManifest::kSymbolCellCount, kCellSize);
    for (int colour = 1; colour <= DataManifest::kSymbolColourCount; ++colour) {
        const Mask glyphMask = glyph(colour);
        const Mask rim = glyphMask.dilated(kRimWidth);
        const int left = (colour - 1) * kCellSize;
        Image cell(kCellSize, kCellSize);
        cell.paint(rim, kRimColour);
        cell.paint(glyphMask, kGlyphColour);
        image.draw(cell, left, 0);
    }
    return image;
}

}  // namespace brx::tools
