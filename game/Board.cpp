#include "game/Board.h"

#include <algorithm>

#include "game/BoardHooks.h"
#include "game/GameVariables.h"

namespace brx {
namespace {

// Points by group size, from 2 blocks (index 0) to 97 blocks.
constexpr int kGroupPoints[] = {
    1,    3,    6,    9,    12,   19,   26,   33,   46,   59,   72,   85,   98,   113,  142,  174,
    208,  245,  284,  326,  369,  415,  462,  511,  562,  615,  670,  726,  784,  844,  906,  969,
    1035, 1102, 1171, 1242, 1315, 1389, 1466, 1545, 1625, 1707, 1792, 1878, 1966, 2057, 2149, 2243,
    2339, 2437, 2537, 2639, 2744, 2850, 2958, 3068, 3180, 3294, 3410, 3528, 3648, 3770, 3894, 4020,
    4148, 4278, 4410, 4544, 4680, 4818, 4958, 5100, 5244, 5390, 5538, 5688, 5840, 5994, 6150, 6308,
    6468, 6630, 6794, 6960, 7128, 7298, 7470, 7644, 7820, 7998, 8178, 8360, 8544, 8730, 8918, 9108};
constexpr int kSmallestScoredGroup = 2;
static_assert(sizeof(kGroupPoints) / sizeof(kGroupPoints[0]) ==
              Board::kLargestScoredGroup - kSmallestScoredGroup + 1);

int usedColumns() {
    return std::clamp(columns, 0, Board::kMaxColumns);
}

int usedRows() {
    return std::clamp(rows, 0, Board::kMaxRows);
}

bool isSlide(int motion) {
    return motion == Box::kSlidingRight || motion == Box::kSlidingLeft;
}

}  // namespace

Board::Board(BoardHooks& hooks) : hooks_(hooks) {
    for (auto& column : colourGrid) column.fill(kNoColour);
    for (auto& column : closeGrid) column.fill(kEmptyMark);
}

void Board::setCentreFromColumns() {
    centreLeft = columns / 2 - 1;
    lastColumn = columns - 1;
}

bool Board::inside(int column, int row) {
    return column >= 0 && column < usedColumns() && row >= 0 && row < usedRows();
}

// --- cells -----------------------------------------------------------------------------------

void Board::clear() {
    for (auto& column : cells)
        for (auto& cell : column) cell.reset();
    selection.clear();
    previousSelection.clear();
}

void Board::place(int column, int row, std::unique_ptr<Box> block) {
    if (!inside(column, row)) return;
    if (block) {
        block->cell = {column, row};
        block->setPosition(hooks_.cellPosition(column, row));
        block->motion = Box::kResting;
        block->velocity = {};
    }
    cells[column][row] = std::move(block);
}

std::unique_ptr<Box> Board::take(int column, int row) {
    if (!inside(column, row)) return nullptr;
    return std::move(cells[column][row]);
}

Box* Board::at(int column, int row) const {
    return inside(column, row) ? cells[column][row].get() : nullptr;
}

int Board::blockCount() const {
    int count = 0;
    for (int c = 0; c < usedColumns(); ++c)
        for (int r = 0; r < usedRows(); ++r) count += cells[c][r] != nullptr;
    return count;
}

bool Board::anyMoving() const {
    for (int c = 0; c < usedColumns(); ++c)
        for (int r = 0; r < usedRows(); ++r)
            if (cells[c][r] && cells[c][r]->motion != Box::kResting) return true;
    return false;
}

// --- groups ----------------------------------------------------------------------------------

void Board::snapshotColours() {
    for (int c = 0; c < kMaxColumns; ++c)
        for (int r = 0; r < kMaxRows; ++r)
            colourGrid[c][r] = cells[c][r] ? cells[c][r]->colour : kNoColour;
}

void Board::floodFill(int column, int row, int colour) {
    // A visited cell holds kNoColour, so filling that colour would never end.
    if (colour == kNoColour || !at(column, row)) return;
    if (colourGrid[column][row] != colour) return;
    colourGrid[column][row] = kNoColour;
    selection.push_back({column, row});
    if (column > 0) floodFill(column - 1, row, colour);
    if (column < usedColumns() - 1) floodFill(column + 1, row, colour);
    if (row < usedRows() - 1) floodFill(column, row + 1, colour);
    if (row > 0) floodFill(column, row - 1, colour);
}

int Board::hover(int column, int row, int colour, bool* groupChanged) {
    if (groupChanged) *groupChanged = false;
    if (gameState != GameState::Playing) {
        selection.clear();
        return 0;
    }
    previousSelection = selection;
    selection.clear();
    const Box* block = at(column, row);
    if (!block || block->colour == Box::kUnmovable || block->colour == Box::kFixed) return 0;
    snapshotColours();
    if (block->isBonus) {
        selection.push_back({column, row});
        return 1;
    }
    floodFill(column, row, colour);
    const int size = static_cast<int>(selection.size());
    if (size >= minGroup && groupChanged) *groupChanged = !sameAsPrevious();
    return size;
}

bool Board::sameAsPrevious() const {
    if (selection.size() != previousSelection.size()) return false;
    for (const Cell& cell : selection)
        if (std::find(previousSelection.begin(), previousSelection.end(), cell) ==
            previousSelection.end())
            return false;
    return true;
}

void Board::markSelection(bool highlight) {
    for (int c = 0; c < kMaxColumns; ++c)
        for (int r = 0; r < kMaxRows; ++r)
            if (cells[c][r]) cells[c][r]->selected = false;
    if (!highlight || static_cast<int>(selection.size()) < minGroup) return;
    for (const Cell& cell : selection)
        if (Box* block = at(cell.column, cell.row)) block->selected = true;
}

Board::Cell Board::pick(const Vector3& start, const Vector3& direction) const {
    for (int c = 0; c < usedColumns(); ++c)
        for (int r = 0; r < usedRows(); ++r)
            if (cells[c][r] && cells[c][r]->hitByLine(start, direction)) return {c, r};
    return {-1, -1};
}

int Board::groupScore(int n) {
    if (n < minGroup || n < kSmallestScoredGroup) return 0;
    return kGroupPoints[std::min(n, kLargestScoredGroup) - kSmallestScoredGroup];
}

// --- motion ----------------------------------------------------------------------------------

void Board::snapshotCloseGrid() {
    for (int c = 0; c < kMaxColumns; ++c)
        for (int r = 0; r < kMaxRows; ++r) {
            const Box* block = cells[c][r].get();
            closeGrid[c][r] =
                !block ? kEmptyMark : (block->colour == Box::kFixed ? kFixedMark : kBlockMark);
        }
}

void Board::fall() {
    snapshotCloseGrid();
    for (int c = 0; c < usedColumns(); ++c) fallColumn(c);
}

// Every stretch of the column between fixed blocks packs down onto its lower end, keeping the
// blocks' order: each empty cell takes the nearest block above it.
void Board::fallColumn(int column) {
    int r = usedRows() - 1;
    while (r >= 0) {
        if (cells[column][r]) {
            --r;
            continue;
        }
        const int source = nearestBlockAbove(column, r);
        if (source < 0) return;
        if (cells[column][source]->colour == Box::kFixed) {
            r = source - 1;  // the fixed block holds up everything above it
            continue;
        }
        startFall(column, source, r);
        --r;
    }
}

int Board::nearestBlockAbove(int column, int row) const {
    for (int r = row - 1; r >= 0; --r)
        if (cells[column][r]) return r;
    return -1;
}

void Board::startFall(int column, int fromRow, int toRow) {
    std::unique_ptr<Box>& block = cells[column][toRow];
    block = std::move(cells[column][fromRow]);
    block->cell = {column, toRow};
    block->motion = Box::kFalling;
    block->target = hooks_.cellPosition(column, toRow);
    block->velocity = {0.0f, -kMoveSpeed, 0.0f};
}

void Board::closeUp() {
    snapshotCloseGrid();
    for (int n = centreLeft; n >= 1; --n)
        if (hooks_.columnIsOpen(n)) n = hooks_.closeUpLeft(n);
    for (int i = centreLeft + 1; i < lastColumn; ++i)
        if (hooks_.columnIsOpen(i)) i = hooks_.closeUpRight(i);
}

bool Board::columnIsOpenDefault(int column) const {
    for (int r = usedRows() - 1; r >= 0; --r) {
        const Box* block = at(column, r);
        if (block) return block->colour == Box::kFixed;
    }
    return true;
}

int Board::highestFixedRow(int column) const {
    for (int r = usedRows() - 1; r >= 0; --r)
        if (closeGrid[column][r] == kFixedMark) return r;
    return 0;
}

int Board::stackTop(int column) const {
    int top = 0;
    for (int r = usedRows() - 1; r >= 0; --r) {
        if (closeGrid[column][r] != kBlockMark) break;
        top = r;
    }
    return top;
}

bool Board::stackBlocked(int column, int source) const {
    const int fixedRow = highestFixedRow(column);
    const int top = stackTop(source);
    return fixedRow != 0 && top != 0 && fixedRow >= top;
}

int Board::closeUpLeftDefault(int column) {
    for (int q = column; q > 0; --q)
        if (stackBlocked(q, q - 1) || !pullColumn(q - 1, q)) return q;
    return -1;
}

int Board::closeUpRightDefault(int column) {
    for (int q = column; q < lastColumn; ++q)
        if (stackBlocked(q, q + 1) || !pullColumn(q + 1, q)) return q;
    return columns;
}

bool Board::pullColumn(int source, int destination) {
    if (!inside(source, 0) || !inside(destination, 0)) return false;
    for (int s = usedRows() - 1; s >= 0; --s) {
        if (closeGrid[destination][s] == kFixedMark || closeGrid[source][s] == kFixedMark)
            return false;
        if (closeGrid[source][s] == kBlockMark) startSlide({source, s}, {destination, s});
    }
    return true;
}

void Board::startSlide(Cell from, Cell to) {
    closeGrid[to.column][to.row] = kBlockMark;
    closeGrid[from.column][from.row] = kEmptyMark;
    Box* block = at(from.column, from.row);
    if (!block) return;
    const bool right = to.column > from.column;
    block->cell = to;
    block->motion = right ? Box::kSlidingRight : Box::kSlidingLeft;
    block->target = hooks_.cellPosition(to.column, to.row);
    block->velocity = {right ? kMoveSpeed : -kMoveSpeed, 0.0f, 0.0f};
}

void Board::moveBlocks(int elapsedMs) {
    const int middle = std::min(centreLeft, usedColumns() - 1);
    for (int c = middle; c >= 0; --c) moveColumn(c, elapsedMs);
    for (int c = middle + 1; c < usedColumns(); ++c) moveColumn(c, elapsedMs);
}

void Board::moveColumn(int column, int elapsedMs) {
    for (int r = usedRows() - 1; r >= 0; --r) {
        Box* block = cells[column][r].get();
        if (!block) continue;
        const bool waiting = isSlide(block->motion) && block->velocity == Vector3();
        if (waiting || block->move(elapsedMs)) settleArrival(column, r);
    }
}

// The slide of the block at (column, row) has ended: it moves into its cell unless another
// block still holds that cell, in which case it keeps its slide with no speed and waits.
void Board::settleArrival(int column, int row) {
    std::unique_ptr<Box>& slot = cells[column][row];
    const Cell to = slot->cell;
    if (!inside(to.column, to.row) || to == Cell{column, row}) {
        slot->cell = {column, row};
        slot->motion = Box::kResting;
        return;
    }
    std::unique_ptr<Box>& destination = cells[to.column][to.row];
    if (destination) {
        if (slot->motion == Box::kResting)
            slot->motion = to.column > column ? Box::kSlidingRight : Box::kSlidingLeft;
        slot->velocity = {};
        return;
    }
    slot->motion = Box::kResting;
    destination = std::move(slot);
}

// --- random spin -----------------------------------------------------------------------------

Box* Board::spinCandidate(int k) const {
    for (int c = 0; c < usedColumns(); ++c)
        for (int r = 0; r < usedRows(); ++r) {
            Box* block = cells[c][r].get();
            if (!block) continue;
            const bool mayTurn =
                !block->isBonus && block->colour != Box::kFixed && block->colour != Box::kUnmovable;
            if (k < 1 && mayTurn) return block;
            --k;
        }
    return nullptr;
}

}  // namespace brx
