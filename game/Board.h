// The board and the rules every mode shares, free of GL: groups and flood fill, the fall, the
// close-up toward the middle, the arrival of sliding blocks, picking, the random spin choice
// and the score table. Game owns one and delegates to it; tests drive it directly.
//
// Design note: the cells own their blocks (unique_ptr), so a block is in exactly one cell, in
// the flying list or gone, and a lost or duplicated block cannot go unnoticed. The board reads
// the process-wide columns, rows, minGroup and gameState like the rest of the game does.
// Slides change cells only on arrival, and an arrival never overwrites a block: a block that
// reaches a cell still held by another keeps its sliding motion with no speed and waits at its
// target until the cell is free, so anyMoving() stays true and no rule runs in between.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "engine/Vector3.h"
#include "objects/Box.h"

namespace brx {

class BoardHooks;

class Board {
public:
    static constexpr int kMaxColumns = 20;
    static constexpr int kMaxRows = 18;
    // Marks of closeGrid.
    static constexpr int kEmptyMark = 1;
    static constexpr int kBlockMark = 2;
    static constexpr int kFixedMark = 3;
    // colourGrid value of an empty or already visited cell.
    static constexpr int kNoColour = -1;
    // Largest group the score table lists; bigger groups score as this one.
    static constexpr int kLargestScoredGroup = 97;
    // Speed of falls and slides, units per ms.
    static constexpr float kMoveSpeed = 0.0125f;

    using Cell = Box::Cell;
    using Grid = std::array<std::array<std::unique_ptr<Box>, kMaxRows>, kMaxColumns>;
    using IntGrid = std::array<std::array<int, kMaxRows>, kMaxColumns>;
    using Selection = std::vector<Cell>;

    explicit Board(BoardHooks& hooks);
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    // centreLeft := columns / 2 - 1 and lastColumn := columns - 1 for the current columns.
    void setCentreFromColumns();

    // --- cells -----------------------------------------------------------------------------
    // Destroys every block on the board and empties the selection.
    void clear();
    // Puts a block into a cell (destroying one already there) at the cell's position, resting.
    void place(int column, int row, std::unique_ptr<Box> block);
    // Takes the block out of a cell (null when empty); the cell is left empty.
    std::unique_ptr<Box> take(int column, int row);
    // The block in a cell, or null (also for a cell outside the board in use).
    Box* at(int column, int row) const;
    // Blocks in the cells in use.
    int blockCount() const;
    // True when some block on the board has a motion other than resting.
    bool anyMoving() const;

    // --- groups ------------------------------------------------------------------------------
    // colourGrid := the colour of every cell's block, kNoColour where empty.
    void snapshotColours();
    // Appends the group of colour around (column, row) to the selection, marking it visited.
    void floodFill(int column, int row, int colour);
    // The group rule for the block at (column, row); the selection's new size. Sets
    // groupChanged when the pointer moved onto another group of at least minGroup blocks.
    int hover(int column, int row, int colour, bool* groupChanged);
    // Clears every block's selected flag, then marks the selection when it holds at least
    // minGroup blocks and highlight is set.
    void markSelection(bool highlight);
    // Empties the selection (and the previous one is left as it is).
    void clearSelection() { selection.clear(); }
    // The first block, column by column from 0 and top row first, that the ray hits.
    // (-1, -1) when none does.
    Cell pick(const Vector3& start, const Vector3& direction) const;
    // Points for a group of n blocks: 0 below minGroup, the table value for min(n, 97).
    static int groupScore(int n);

    // --- motion ------------------------------------------------------------------------------
    // closeGrid := kEmptyMark, kBlockMark or kFixedMark for every cell.
    void snapshotCloseGrid();
    // Every block above a gap falls into it (fixed blocks stay and hold up what is above).
    void fall();
    // One close-up pass toward the middle through the hooks' column operations.
    void closeUp();
    // The default operations the hooks usually forward to.
    bool columnIsOpenDefault(int column) const;
    int closeUpLeftDefault(int column);
    int closeUpRightDefault(int column);
    // Starts the block at `from` sliding into `to` (one column over) and updates closeGrid.
    void startSlide(Cell from, Cell to);
    // One motion step for every block on the board, from the middle outward and bottom up; a
    // slide that arrives moves its block into its new cell (never onto another block).
    void moveBlocks(int elapsedMs);

    // --- random spin -------------------------------------------------------------------------
    // The block the random spin turns for a draw k: the k-th block, column by column, that
    // may spin (no bonus, not fixed or unmovable); null when none qualifies.
    Box* spinCandidate(int k) const;

    Grid cells;
    IntGrid colourGrid{};
    IntGrid closeGrid{};
    Selection selection;
    Selection previousSelection;
    int centreLeft = 5;
    int lastColumn = 11;

private:
    // True for a cell of the board in use.
    static bool inside(int column, int row);
    bool sameAsPrevious() const;
    void fallColumn(int column);
    int nearestBlockAbove(int column, int row) const;
    void startFall(int column, int fromRow, int toRow);
    int highestFixedRow(int column) const;
    int stackTop(int column) const;
    // A fixed block in column stands at or below the top of the source column's stack.
    bool stackBlocked(int column, int source) const;
    // Starts every block of source sliding into destination; false at a fixed block.
    bool pullColumn(int source, int destination);
    void moveColumn(int column, int elapsedMs);
    void settleArrival(int column, int row);

    BoardHooks& hooks_;
};

}  // namespace brx
