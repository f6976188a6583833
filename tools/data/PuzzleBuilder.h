// Builds solvable puzzles backwards. Starting from the solved board (only fixed blocks), each
// step adds blocks that one click would remove again: a group hidden under the stacks, a new
// column, a bonus with the blocks it clears. Every step is checked by playing its click forward
// with PuzzleBoard's rules; only a step whose click gives back exactly the previous board is
// kept, so the clicks of the kept steps, last step first, are a proven solution.
#pragma once

#include <vector>

#include "game/PuzzleBoard.h"

namespace brx::tools {

// The kinds of backward step, each undone by one click.
enum class PuzzleStep { Group, ColourBomb, RowRemover, ColumnRemover, CrossRemover, BigBomb };

struct PuzzleRecipe {
    int colours = 3;           // plain colours in play, 1..colours
    int steps = 10;            // backward steps to take
    int fixedBlocks = 0;       // fixed blocks of the solved board, at most one per column
    int maxHeight = 10;        // rows a stack may reach from the bottom
    int unmovablePercent = 0;  // share of the big bomb's filler that is unmovable
    int weights[6] = {100, 0, 0, 0, 0, 0};  // chance of each PuzzleStep kind
    std::vector<PuzzleStep> required;       // kinds the puzzle must contain at least once
};

struct BuiltPuzzle {
    PuzzleBoard board;
    std::vector<PuzzleCell> solution;  // forward clicks
    int steps = 0;
};

class PuzzleBuilder {
public:
    explicit PuzzleBuilder(const PuzzleRecipe& recipe) : recipe_(recipe) {}

    // One puzzle from the process-wide generator; false when too few steps could be taken.
    bool build(BuiltPuzzle& out);

private:
    bool tryStep(PuzzleStep kind, PuzzleBoard& board, PuzzleCell& click);
    bool addGroup(PuzzleBoard& board, PuzzleCell& click);
    bool addColourBomb(PuzzleBoard& board, PuzzleCell& click);
    bool addRowRemover(PuzzleBoard& board, PuzzleCell& click);
    bool addColumn(PuzzleStep kind, PuzzleBoard& board, PuzzleCell& click);
    bool addBigBomb(PuzzleBoard& board, PuzzleCell& click);
    bool fillBlast(PuzzleBoard& board, int column, int bombRow, int half, bool bombColumn);
    bool fillRow(PuzzleBoard& board, int row, int skipColumn, std::vector<PuzzleCell>& filled);
    bool insertColumn(PuzzleBoard& board, int position) const;
    bool insertAt(PuzzleBoard& board, int column, int row, int value) const;
    std::vector<int> insertionRows(const PuzzleBoard& board, int column) const;
    std::vector<int> candidateColumns(const PuzzleBoard& board) const;
    int pickColumn(const PuzzleBoard& board) const;
    bool undoes(const PuzzleBoard& before, const PuzzleBoard& after, PuzzleCell click) const;
    PuzzleStep pickKind();
    int randomColour() const;
    int fillerValue() const;
    int topRowAllowed() const { return PuzzleBoard::kRows - recipe_.maxHeight; }
    void placeFixedBlocks(PuzzleBoard& board) const;

    PuzzleRecipe recipe_;
};

}  // namespace brx::tools
