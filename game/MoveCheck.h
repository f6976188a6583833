// Whether a board still offers the player a move: a bonus block to click alone, or a group of at
// least the smallest removable size under the group rule (same colour, side by side; fixed and
// unmovable blocks never join). One pass over the board, so it may run in every still frame.
#pragma once

#include "game/Board.h"

namespace brx {

// True when some click on the board would remove something (columns x rows of the board in use).
bool hasMove(const Board& board, int columns, int rows, int smallestGroup);

}  // namespace brx
