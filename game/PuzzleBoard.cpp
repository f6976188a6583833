#include "game/PuzzleBoard.h"

#include "game/BoardRules.h"
#include "game/Bonus.h"

namespace brx {

namespace {

std::vector<PuzzleCell> toPuzzleCells(const std::vector<Box::Cell>& cells) {
    std::vector<PuzzleCell> result;
    result.reserve(cells.size());
    for (const Box::Cell& cell : cells) result.push_back({cell.column, cell.row});
    return result;
}

std::vector<Box::Cell> toBoardCells(const std::vector<PuzzleCell>& cells) {
    std::vector<Box::Cell> result;
    result.reserve(cells.size());
    for (const PuzzleCell& cell : cells) result.push_back({cell.column, cell.row});
    return result;
}

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
    if (!inside(column, row)) return {};
    return toPuzzleCells(BoardRules::instance().select(cells_, column, row));
}

bool PuzzleBoard::click(int column, int row) {
    const std::vector<PuzzleCell> selection = selectionAt(column, row);
    std::vector<PuzzleCell> removed;
    if (selection.size() == 1 && isBonus(at(column, row))) {
        removed = bonusTargets(column, row);
    } else if (static_cast<int>(selection.size()) >= kMinGroup) {
        removed = selection;
    } else {
        return false;
    }
    BoardRules::instance().removeAndSettle(cells_, toBoardCells(removed));
    return true;
}

// The blocks each bonus launches, as the bonus blocks choose them on a board at rest: the big
// bomb its pattern around itself (fixed blocks stay; the game then deletes the bomb), a colour
// bomb every block of its colour, itself included, and the line removers every block on their
// row or column but fixed and unmovable ones, themselves included. Launched bonuses do not go
// off.
std::vector<PuzzleCell> PuzzleBoard::bonusTargets(int column, int row) const {
    const int value = at(column, row);
    std::vector<PuzzleCell> targets;
    const auto add = [&](int c, int r) {
        if (at(c, r) != kEmpty) targets.push_back({c, r});
    };
    if (value == kBigBomb) {
        for (int dc = -Bonus::kReach; dc <= Bonus::kReach; ++dc)
            for (int dr = -Bonus::kReach; dr <= Bonus::kReach; ++dr) {
                const int c = column + dc, r = row + dr;
                if (Bonus::kPattern[dc + Bonus::kReach][dr + Bonus::kReach] && inside(c, r) &&
                    at(c, r) != kFixed)
                    add(c, r);
            }
        add(column, row);
        return targets;
    }
    const bool colourBomb = value > kColourBombBase && value <= kColourBombBase + 5;
    const bool clearsRow = value == kRowRemover || value == kCrossRemover;
    const bool clearsColumn = value == kColumnRemover || value == kCrossRemover;
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const int cell = at(c, r);
            if (colourBomb) {
                if (colourOf(cell) == colourOf(value)) add(c, r);
                continue;
            }
            if (cell == kFixed || cell == kUnmovable) continue;
            if ((clearsRow && r == row) || (clearsColumn && c == column)) add(c, r);
        }
    }
    return targets;
}

std::vector<PuzzleCell> PuzzleBoard::moves() const {
    return toPuzzleCells(BoardRules::instance().moves(cells_));
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

bool PuzzleBoard::fall() {
    return BoardRules::instance().fall(cells_);
}

bool PuzzleBoard::closeUpPass() {
    return BoardRules::instance().closeUpPass(cells_);
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

}  // namespace brx
