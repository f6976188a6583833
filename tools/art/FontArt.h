// The game's one bitmap font: a 512 x 512 picture cut into 16 x 16 cells of 32 pixels. The top
// eight rows hold the normal glyphs of codes 32 to 159, the bottom eight a golden, glowing twin
// for highlighted text. The game measures each character's advance from the normal glyph's
// rightmost visible column (minus 7), so every glyph is inked from column kInkLeft on and its
// faint fringes are cut: the measured widths then give an even one-pixel gap between the
// letters' outlines.
#pragma once

#include "tools/art/Image.h"

namespace brx::tools {

class FontArt {
public:
    static constexpr int kSize = 512;
    static constexpr int kCell = 32;
    static constexpr int kBaseline = 24;  // row of the baseline inside a cell
    static constexpr int kInkLeft = 8;    // first column of a glyph's outline
    static constexpr int kFirstCode = 32;
    static constexpr int kLastCode = 126;  // codes drawn; the rest of a set stays empty

    static Image font();
    // The advance the game will measure for a code, from the picture (12 for an empty cell).
    static int measuredAdvance(const Image& font, int code);
};

}  // namespace brx::tools
