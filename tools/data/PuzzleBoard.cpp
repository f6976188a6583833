#include "tools/data/PuzzleBoard.h"

#include <cstdlib>

namespace brx::tools {

namespace {

constexpr int kMarkEmpty = 1;
constexpr int kMarkBlock = 2;
constexpr int kMarkFixed = 3;

// Half height of the big bomb's blast in each column, by the column distance from the bomb
// (0 to 4): a rounded diamond of 60 cells around the bomb.
constexpr int kBlastHalfHeight[5] = {4, 4, 3, 3, 1};

}  // namespace

PuzzleBoard::PuzzleBoard() = default;

PuzzleBoard::PuzzleBoard(const std::vector<int>& fileValues) {
    for (int i = 0; i < kCells && i < static_cast<int>(fileValues.size()); ++i) {
        const int value = fileValues[i];
        const bool block = (value >= 1 && value <= 5) || value == kFixed ||
                           (value >= kBigBomb && value <= kUnmovable);
        cells_[i] = block ? value : kEmpty;
    }
}

std::vector<int> PuzzleBoard::fileValues() const {
    return {cells_.begin(), cells_.end()};
}

bool PuzzleBoard::inside(int column, int row) {
    return column >= 0 && column < kColumns && row >= 0 && row < kRows;
}

int PuzzleBoard::colourOf(int value) {
    if (value > kColourBombBase && value <= kColourBombBase + 5) return value - kColourBombBase;
    if (value == kBigBomb || (value >= kRowRemover && value <= kCrossRemover)) return 8;
    return value;
}

bool PuzzleBoard::isBonus(int value) {
    return value >= kBigBomb && value <= kCrossRemover;
}

std::vector<PuzzleCell> PuzzleBoard::selectionAt(int column, int row) const {
    std::vector<PuzzleCell> group;
    if (!inside(column, row)) return group;
    const int value = at(column, row);
    if (value == kEmpty || value == kFixed || value == kUnmovable) return group;
    if (isBonus(value)) return {PuzzleCell{column, row}};
    std::vector<bool> visited(kCells, false);
    floodFill(column, row, colourOf(value), group, visited);
    return group;
}

void PuzzleBoard::floodFill(int column, int row, int colour, std::vector<PuzzleCell>& group,
                            std::vector<bool>& visited) const {
    const int value = at(column, row);
    if (value == kEmpty || visited[index(column, row)] || colourOf(value) != colour) return;
    visited[index(column, row)] = true;
    group.push_back({column, row});
    if (column > 0) floodFill(column - 1, row, colour, group, visited);
    if (column < kColumns - 1) floodFill(column + 1, row, colour, group, visited);
    if (row < kRows - 1) floodFill(column, row + 1, colour, group, visited);
    if (row > 0) floodFill(column, row - 1, colour, group, visited);
}

bool PuzzleBoard::click(int column, int row) {
    const std::vector<PuzzleCell> selection = selectionAt(column, row);
    if (selection.size() == 1 && isBonus(at(column, row))) {
        activate(column, row);
    } else if (static_cast<int>(selection.size()) >= kMinGroup) {
        for (const PuzzleCell& cell : selection) put(cell.column, cell.row, kEmpty);
    } else {
        return false;
    }
    fall();
    settle();
    return true;
}

// What each bonus launches; the triggering block goes with its victims, or (big bomb) is
// deleted by the game afterwards. Launched bonuses are not triggered.
void PuzzleBoard::activate(int column, int row) {
    const int value = at(column, row);
    if (value == kBigBomb) {
        for (int dc = -4; dc <= 4; ++dc) {
            const int half = kBlastHalfHeight[std::abs(dc)];
            for (int dr = -half; dr <= half; ++dr) {
                const int c = column + dc, r = row + dr;
                if (inside(c, r) && at(c, r) != kFixed) put(c, r, kEmpty);
            }
        }
        put(column, row, kEmpty);
        return;
    }
    if (value > kColourBombBase && value <= kColourBombBase + 5) {
        const int colour = colourOf(value);
        for (int& cell : cells_)
            if (colourOf(cell) == colour) cell = kEmpty;
        return;
    }
    const bool clearsRow = value == kRowRemover || value == kCrossRemover;
    const bool clearsColumn = value == kColumnRemover || value == kCrossRemover;
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const int cell = at(c, r);
            if (cell == kFixed || cell == kUnmovable) continue;
            if ((clearsRow && r == row) || (clearsColumn && c == column)) put(c, r, kEmpty);
        }
    }
}

std::vector<PuzzleCell> PuzzleBoard::moves() const {
    std::vector<PuzzleCell> result;
    std::vector<bool> visited(kCells, false);
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const int value = at(c, r);
            if (isBonus(value)) {
                result.push_back({c, r});
                continue;
            }
            if (value == kEmpty || value == kFixed || value == kUnmovable) continue;
            if (visited[index(c, r)]) continue;
            std::vector<PuzzleCell> group;
            floodFill(c, r, colourOf(value), group, visited);
            if (static_cast<int>(group.size()) >= kMinGroup) result.push_back({c, r});
        }
    }
    return result;
}

bool PuzzleBoard::isSolved() const {
    for (int cell : cells_)
        if (cell != kEmpty && cell != kFixed) return false;
    return true;
}

bool PuzzleBoard::isStuck() const {
    return !isSolved() && moves().empty();
}

bool PuzzleBoard::isSettled() const {
    PuzzleBoard copy = *this;
    return !copy.fall() && !copy.closeUpPass();
}

// The game's column scan: from the bottom, an empty cell pulls down the first block above it;
// a fixed block ends the search and the scan goes on above it; after each move the scan starts
// again one row above the bottom.
bool PuzzleBoard::fall() {
    bool moved = false;
    for (int c = 0; c < kColumns; ++c) {
        int r = kRows - 1;
        while (r >= 0) {
            if (at(c, r) != kEmpty) {
                --r;
                continue;
            }
            int k = r - 1;
            while (k >= 0 && at(c, k) == kEmpty) --k;
            if (k < 0) break;
            if (at(c, k) == kFixed) {
                r = k - 1;
                continue;
            }
            put(c, r, at(c, k));
            put(c, k, kEmpty);
            moved = true;
            r = kRows - 2;
        }
    }
    return moved;
}

bool PuzzleBoard::columnIsOpen(int column) const {
    for (int r = kRows - 1; r >= 0; --r) {
        const int value = at(column, r);
        if (value != kEmpty) return value == kFixed;
    }
    return true;
}

int PuzzleBoard::lowestFixedRow(const Marks& marks, int column) {
    for (int r = kRows - 1; r >= 0; --r)
        if (marks[column][r] == kMarkFixed) return r;
    return 0;
}

int PuzzleBoard::stackTop(const Marks& marks, int column) {
    if (marks[column][kRows - 1] != kMarkBlock) return 0;
    int top = kRows - 1;
    for (int r = kRows - 1; r >= 0 && marks[column][r] == kMarkBlock; --r) top = r;
    return top;
}

int PuzzleBoard::closeUpLeft(int q, Marks& marks, std::vector<Slide>& slides) const {
    while (q > 0) {
        const int fixedRow = lowestFixedRow(marks, q);
        const int top = stackTop(marks, q - 1);
        if (fixedRow >= top && fixedRow != 0 && top != 0) return q;
        for (int s = kRows - 1; s >= 0; --s) {
            if (marks[q][s] == kMarkFixed || marks[q - 1][s] == kMarkFixed) return q;
            if (marks[q - 1][s] == kMarkBlock) {
                marks[q][s] = kMarkBlock;
                marks[q - 1][s] = kMarkEmpty;
                slides.push_back({{q - 1, s}, {q, s}});
            }
        }
        --q;
    }
    return -1;
}

int PuzzleBoard::closeUpRight(int q, Marks& marks, std::vector<Slide>& slides) const {
    while (q < kLastColumn) {
        const int fixedRow = lowestFixedRow(marks, q);
        const int top = stackTop(marks, q + 1);
        if (fixedRow >= top && fixedRow != 0 && top != 0) return q;
        for (int s = kRows - 1; s >= 0; --s) {
            if (marks[q][s] == kMarkFixed || marks[q + 1][s] == kMarkFixed) return q;
            if (marks[q + 1][s] == kMarkBlock) {
                marks[q][s] = kMarkBlock;
                marks[q + 1][s] = kMarkEmpty;
                slides.push_back({{q + 1, s}, {q, s}});
            }
        }
        ++q;
    }
    return kColumns;
}

bool PuzzleBoard::closeUpPass() {
    Marks marks{};
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const int value = at(c, r);
            marks[c][r] = value == kEmpty ? kMarkEmpty : value == kFixed ? kMarkFixed : kMarkBlock;
        }
    }
    std::vector<Slide> slides;
    for (int n = kCentreLeft; n >= 1; --n)
        if (columnIsOpen(n)) n = closeUpLeft(n, marks, slides);
    for (int i = kCentreLeft + 1; i < kLastColumn; ++i)
        if (columnIsOpen(i)) i = closeUpRight(i, marks, slides);
    if (slides.empty()) return false;
    // Every slide is one cell long at the same speed, so all blocks arrive together.
    std::vector<int> moving;
    for (const Slide& slide : slides) {
        moving.push_back(at(slide.from.column, slide.from.row));
        put(slide.from.column, slide.from.row, kEmpty);
    }
    for (size_t i = 0; i < slides.size(); ++i)
        put(slides[i].to.column, slides[i].to.row, moving[i]);
    return true;
}

void PuzzleBoard::settle() {
    // A pass can only move blocks toward the middle, so this ends within a few dozen passes.
    for (int pass = 0; pass < kColumns * kRows && closeUpPass(); ++pass) {
    }
}

int PuzzleBoard::countBlocks() const {
    int count = 0;
    for (int cell : cells_)
        if (cell != kEmpty) ++count;
    return count;
}

int PuzzleBoard::countValue(int value) const {
    int count = 0;
    for (int cell : cells_)
        if (cell == value) ++count;
    return count;
}

uint64_t PuzzleBoard::hash() const {
    uint64_t h = 1469598103934665603ull;
    for (int cell : cells_) {
        h ^= static_cast<uint64_t>(cell);
        h *= 1099511628211ull;
    }
    return h;
}

}  // namespace brx::tools
