#include "game/MoveCheck.h"

#include <algorithm>
#include <array>
#include <vector>

namespace brx {
namespace {

bool joinsGroups(const Box* block) {
    return block && block->colour != Box::kFixed && block->colour != Box::kUnmovable;
}

using Seen = std::array<std::array<bool, Board::kMaxRows>, Board::kMaxColumns>;

// The size of the group around a cell, marking its cells as seen; open is scratch space.
int groupSize(const Board& board, int columns, int rows, int column, int row, Seen& seen,
              std::vector<Board::Cell>& open) {
    const int colour = board.at(column, row)->colour;
    open.assign(1, {column, row});
    seen[size_t(column)][size_t(row)] = true;
    int size = 0;
    while (!open.empty()) {
        const Board::Cell cell = open.back();
        open.pop_back();
        ++size;
        const Board::Cell neighbours[] = {{cell.column - 1, cell.row},
                                          {cell.column + 1, cell.row},
                                          {cell.column, cell.row - 1},
                                          {cell.column, cell.row + 1}};
        for (const Board::Cell& next : neighbours) {
            if (next.column < 0 || next.column >= columns || next.row < 0 || next.row >= rows)
                continue;
            if (seen[size_t(next.column)][size_t(next.row)]) continue;
            const Box* block = board.at(next.column, next.row);
            if (!joinsGroups(block) || block->colour != colour) continue;
            seen[size_t(next.column)][size_t(next.row)] = true;
            open.push_back(next);
        }
    }
    return size;
}

}  // namespace

bool hasMove(const Board& board, int columns, int rows, int smallestGroup) {
    columns = std::clamp(columns, 0, Board::kMaxColumns);
    rows = std::clamp(rows, 0, Board::kMaxRows);
    Seen seen{};
    std::vector<Board::Cell> open;
    open.reserve(size_t(Board::kMaxColumns) * Board::kMaxRows);
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const Box* block = board.at(c, r);
            if (!block || seen[size_t(c)][size_t(r)]) continue;
            if (block->isBonus) return true;
            if (!joinsGroups(block)) continue;
            if (groupSize(board, columns, rows, c, r, seen, open) >= smallestGroup) return true;
        }
    }
    return false;
}

}  // namespace brx
