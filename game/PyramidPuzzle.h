// Modern: Classic in every respect but the close-up. Every block slides one column toward the
// middle whenever the cell beside it on that side, in the same row, is empty, so the heap keeps
// leaning inward like a pyramid. Blocks of the left half move only rightward and blocks of the
// right half only leftward; nothing crosses between the two middle columns.
#pragma once

#include "game/BrixelGame.h"

namespace brx {

class PyramidPuzzle : public BrixelGame {
public:
    PyramidPuzzle() = default;

    // Every column takes part in the close-up.
    bool columnIsOpen(int column) override;
    // Slides blocks of column q - 1 into the empty cells of column q, going outward from q.
    int closeUpLeft(int column) override;
    // Slides blocks of column q + 1 into the empty cells of column q, going outward from q.
    int closeUpRight(int column) override;
    int modeNumber() const override;

private:
    // The pass toward the middle from outer column `from` into inner column `into`; false when
    // the pass stops at this column.
    bool slideInward(int from, int into);
    // The lowest fixed block's row of a column (highest row number), 0 when it has none.
    int highestFixedRow(int column) const;
    // The top of the stack resting on the bottom of a column, 0 when its bottom cell is empty.
    int stackTop(int column) const;
};

}  // namespace brx
