// Turns the blocks of a board into snapshot entries and back: which prototype a block was
// cloned from (its kind), and a new block of a kind cloned from the game's prototypes.
//
// Design note: the kind is read from the block's class and colour rather than stored on every
// block, so the block objects need no field that only the snapshot uses. A kind the prototypes
// cannot make gives no block (the caller refuses or skips it); a snapshot that passed
// GameSnapshot::check only holds kinds every game can make (GameSnapshot::kindFits).
#pragma once

#include <cstdint>
#include <memory>

#include "game/GameSnapshot.h"
#include "objects/Box.h"

namespace brx {

class BlockPrototypes;

class SnapshotBlocks {
public:
    // The prototype key a block was cloned from: plain, fixed, score block or a bonus key.
    static int32_t kindOf(const Box& block);
    // A clone of the prototype of that kind (a plain block gets the colour); null when the
    // prototypes hold no such kind.
    static std::unique_ptr<Box> make(const BlockPrototypes& prototypes, int32_t kind,
                                     int32_t colour);
};

}  // namespace brx
