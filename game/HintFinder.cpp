#include "game/HintFinder.h"

#include "game/Bonus.h"
#include "game/ColorBomb.h"
#include "game/GameVariables.h"
#include "game/PuzzleBoard.h"
#include "game/PuzzleSolver.h"
#include "game/RemoveHLine.h"
#include "game/RemoveHVLine.h"

namespace brx {
namespace {

// The process-wide values the puzzle rules overwrite while they play moves.
class KeptGameVariables {
public:
    KeptGameVariables()
        : columns_(columns), rows_(rows), minGroup_(minGroup), gameState_(gameState) {}
    ~KeptGameVariables() {
        columns = columns_;
        rows = rows_;
        minGroup = minGroup_;
        gameState = gameState_;
    }
    KeptGameVariables(const KeptGameVariables&) = delete;
    KeptGameVariables& operator=(const KeptGameVariables&) = delete;

private:
    int columns_, rows_, minGroup_, gameState_;
};

PuzzleBoard puzzleBoardOf(const Board& board) {
    std::vector<int> values(PuzzleBoard::kCells, PuzzleBoard::kEmpty);
    for (int r = 0; r < PuzzleBoard::kRows; ++r)
        for (int c = 0; c < PuzzleBoard::kColumns; ++c)
            if (const Box* block = board.at(c, r))
                values[r * PuzzleBoard::kColumns + c] = HintFinder::fileValueOf(*block);
    return PuzzleBoard(values);
}

}  // namespace

int HintFinder::fileValueOf(const Box& block) {
    if (!block.isBonus) return block.colour;
    if (dynamic_cast<const ColorBomb*>(&block)) return PuzzleBoard::kColourBombBase + block.colour;
    if (const auto* line = dynamic_cast<const RemoveHLine*>(&block))
        return line->horizontal ? PuzzleBoard::kRowRemover : PuzzleBoard::kColumnRemover;
    if (dynamic_cast<const RemoveHVLine*>(&block)) return PuzzleBoard::kCrossRemover;
    return PuzzleBoard::kBigBomb;
}

Hint HintFinder::puzzleHint(const Board& board, long nodeBudget) {
    const KeptGameVariables kept;
    const PuzzleBoard start = puzzleBoardOf(board);
    const PuzzleSolution solution = PuzzleSolver(nodeBudget).solve(start);
    Hint hint;
    if (solution.solved && !solution.clicks.empty()) {
        const PuzzleCell click = solution.clicks.front();
        hint.outcome = Hint::Outcome::Found;
        for (const PuzzleCell& cell : start.selectionAt(click.column, click.row))
            hint.cells.push_back({cell.column, cell.row});
        return hint;
    }
    // A board that is already solved has no next click; the game ends it by itself.
    if (!solution.solved && !solution.exhausted) hint.outcome = Hint::Outcome::NoSolution;
    return hint;
}

Hint HintFinder::bestGroup(Board& board) {
    const Board::Selection kept = board.selection;
    Hint hint;
    int bestSize = 0;
    board.snapshotColours();
    for (int c = 0; c < columns && c < Board::kMaxColumns; ++c) {
        for (int r = 0; r < rows && r < Board::kMaxRows; ++r) {
            const Box* block = board.at(c, r);
            // A click on a bonus fires it alone; fixed, unmovable and colourless blocks form no
            // group.
            if (!block || block->isBonus || block->colour == Box::kFixed ||
                block->colour == Box::kUnmovable || block->colour == Box::kNoColour)
                continue;
            if (board.colourGrid[c][r] == Board::kNoColour) continue;  // in a group seen before
            board.clearSelection();
            board.floodFill(c, r, block->colour);
            const int size = static_cast<int>(board.selection.size());
            if (size >= minGroup && size > bestSize) {
                bestSize = size;
                hint.cells = board.selection;
            }
        }
    }
    board.selection = kept;
    if (!hint.cells.empty()) hint.outcome = Hint::Outcome::Found;
    return hint;
}

}  // namespace brx
