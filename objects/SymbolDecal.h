// The shape each block colour carries on its front face when the player asks for symbols, so
// that colours one cannot tell apart still differ by shape. The shapes come from one small
// atlas ("Symbols.Tga", one cell per colour id); the drawer that owns the blocks draws all the
// decals of its frame in one pass after the blocks: one texture bind and one state change per
// frame, not per block.
//
// Design note: a decal is a quad just in front of the block's front face, in the block's own
// frame, so it follows a block that falls, slides or turns. It is drawn unlit, blended, and
// without depth writes, so a rim's soft edge never hides what is drawn behind it later. The
// corners are put through each block's frame on the CPU and all quads of a pass go in one
// glBegin/glEnd: a matrix push per block would flush the driver's batch 300 times a frame.
#pragma once

#include <cstdint>

#include "engine/TextureRef.h"

namespace brx {

class Box;

class SymbolDecal {
public:
    // Half the side of the decal's quad and how far in front of the block's centre it lies
    // (world units; a block spans 0.46 either side of its centre).
    static constexpr float kHalfSize = 0.38f;
    static constexpr float kFaceDepth = 0.47f;
    // A colour bomb is a ball a little left of and below the cell's centre: its symbol is
    // smaller and sits on the ball's front, so the bomb stays recognisable around it.
    static constexpr float kBombHalfSize = 0.2f;
    static constexpr float kBombCentreX = -0.04f, kBombCentreY = -0.08f;
    static constexpr float kBombDepth = 0.36f;

    // True when the player's setting asks for symbols on the blocks.
    static bool wanted();
    // True for the blocks that carry a symbol: colours 1 to 5 (colour bombs too), not flying.
    static bool hasSymbol(const Box& block);
    // The atlas cell's texture rectangle of a colour id (u from, u to); false for colour ids
    // without a symbol.
    static bool cellOf(int32_t colour, float& u0, float& u1);

    // Binds the atlas (loaded on first use) and sets the decal state; false, with nothing
    // changed, when the atlas cannot be loaded (a missing atlas is logged once).
    bool begin();
    // The symbol of the block's colour over its front face in the current model view; nothing
    // for a block without one. Only between begin() and end(), with no other GL call between
    // (the pass is one glBegin/glEnd).
    void drawOn(const Box& block) const;
    // Restores the state begin() changed.
    void end() const;
    // Lets go of the atlas (before the context goes).
    void release();

private:
    TextureRef atlas_;
    bool missing_ = false;
};

}  // namespace brx
