// What the board rules ask of the game that owns the board: where a cell lies in the world
// and how the close-up treats a column. Game implements it with virtual operations the modes
// override (Classic shifts the rows, Modern closes up block by block).
#pragma once

#include "engine/Vector3.h"

namespace brx {

class BoardHooks {
public:
    virtual ~BoardHooks() = default;

    // World position of a cell's centre (board plane z = 0, one unit per cell).
    virtual Vector3 cellPosition(int column, int row) const = 0;
    // True when the close-up should pull the columns beyond this one toward the middle.
    virtual bool columnIsOpen(int column) = 0;
    // Closes up from column q outward to the left; the column the pass goes on from.
    virtual int closeUpLeft(int column) = 0;
    // Closes up from column q outward to the right; the column the pass goes on from.
    virtual int closeUpRight(int column) = 0;
};

}  // namespace brx
