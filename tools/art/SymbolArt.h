// The block symbols: one small atlas, one cell per block colour (colour id c in cell c - 1 from
// the left), that the game lays over each block's front face when the player asks for symbols.
// Shapes are told apart by outline alone (disc, hollow square, triangle, upright cross,
// diagonal cross), so a player who
// cannot tell two colours apart can still tell the blocks apart. Each is a dark glyph inside a
// white rim, readable on every colour and skin down to the smallest block the game draws.
#pragma once

#include "tools/art/Image.h"
#include "tools/art/Mask.h"

namespace brx::tools {

class SymbolArt {
public:
    static constexpr int kCellSize = 64;  // pixels, square

    // The whole atlas: DataManifest::kSymbolCellCount cells side by side, unused cells clear.
    static Image atlas();
    // The glyph's coverage for a colour id (1..5) in one cell; empty for other ids.
    static Mask glyph(int colour);
};

}  // namespace brx::tools
