#include "game/PyramidPuzzle.h"

namespace brx {

bool PyramidPuzzle::columnIsOpen(int) {
    return true;
}

int PyramidPuzzle::modeNumber() const {
    return GameMode::Modern;
}

int PyramidPuzzle::highestFixedRow(int column) const {
    for (int r = rows - 1; r >= 0; --r)
        if (closeGrid[column][r] == Board::kFixedMark) return r;
    return 0;
}

int PyramidPuzzle::stackTop(int column) const {
    int top = 0;
    for (int r = rows - 1; r >= 0 && closeGrid[column][r] == Board::kBlockMark; --r) top = r;
    return top;
}

bool PyramidPuzzle::slideInward(int from, int into) {
    // Without fixed blocks this stops at the first outer column with an empty bottom cell.
    if (highestFixedRow(into) >= stackTop(from)) return false;
    for (int s = rows - 1; s >= 0; --s) {
        if (closeGrid[into][s] == Board::kFixedMark || closeGrid[from][s] == Board::kFixedMark)
            return false;
        if (closeGrid[from][s] == Board::kBlockMark && closeGrid[into][s] == Board::kEmptyMark)
            board.startSlide({from, s}, {into, s});
    }
    return true;
}

int PyramidPuzzle::closeUpLeft(int column) {
    for (int q = column; q > 0; --q)
        if (!slideInward(q - 1, q)) return q;
    return -1;
}

int PyramidPuzzle::closeUpRight(int column) {
    for (int q = column; q < lastColumn; ++q)
        if (!slideInward(q + 1, q)) return q;
    return columns;
}

}  // namespace brx
