// The keyboard's place on the board: one cell, moved a cell at a time by the arrow keys, never
// leaving the board and skipping no cell (empty ones included). It starts on the middle cell,
// hidden; an arrow key shows it, the pointer hides it again. While it shows, the group under it
// is the selection, as the group under the pointer is otherwise.
//
// Design note: the rules (where the cursor is, whether it shows) need no GL, so bots and tests
// drive it on a bare board; only draw() touches GL. The frame is drawn twice, a wide dark band
// under a narrow light one, so it stands out on every block colour and skin.
#pragma once

#include <cstdint>

#include "engine/Vector3.h"

namespace brx {

class BoardCursor {
public:
    // Half the side of the drawn frame (world units; a cell is 1) and its depth before the board.
    static constexpr float kFrameHalfSide = 0.56f;
    static constexpr float kFrameDepth = 0.6f;

    // Puts the cursor on the middle cell of a board of columns x rows and hides it.
    void reset(int columns, int rows);
    // Moves by (dColumn, dRow) cells, stopping at the board's edges, and shows the cursor.
    // Rows count downwards (row 0 is the top). True when the cell changed or the cursor appeared.
    bool move(int dColumn, int dRow, int columns, int rows);
    // Hides the cursor; true when it was shown.
    bool hide();
    bool shown() const { return shown_; }
    // The cell, kept inside a board of columns x rows (a board may shrink between levels).
    int column(int columns) const;
    int row(int rows) const;

    // The step of an arrow key (Left, Right, Up, Down); false for any other key.
    static bool arrowStep(uint16_t key, int* dColumn, int* dRow);

    // The frame around the cell whose centre is given (world units), in the current GL view.
    void draw(const Vector3& cellCentre) const;

private:
    int column_ = 0;
    int row_ = 0;
    bool shown_ = false;
};

}  // namespace brx
