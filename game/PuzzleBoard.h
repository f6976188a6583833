// A puzzle board as the puzzle files store it: 12 x 16 cell values, with the moves of the
// Puzzle mode played on it by the game's own board rules (BoardRules), so the level designer
// proves every shipped puzzle with the rules the game plays by. The values are those of the
// puzzle files: 1-5 plain blocks, 7 fixed blocks, 10 big bomb, 11-15 colour bombs, 16 row
// remover, 17 column remover, 18 cross remover, 19 unmovable block, 0 empty.
//
// A click is carried out to the end of everything it sets off: the removal (group or bonus),
// the fall, and the close-up of emptied columns repeated until nothing slides any more.
// Cells are addressed as the game does: column 0 at the left, row 0 at the top.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace brx {

struct PuzzleCell {
    int column = 0;
    int row = 0;
    bool operator==(const PuzzleCell&) const = default;
};

class PuzzleBoard {
public:
    static constexpr int kColumns = 12;
    static constexpr int kRows = 16;
    static constexpr int kCells = kColumns * kRows;
    static constexpr int kCentreLeft = 5;
    static constexpr int kLastColumn = 11;
    static constexpr int kMinGroup = 3;

    static constexpr int kEmpty = 0;
    static constexpr int kFixed = 7;
    static constexpr int kBigBomb = 10;
    static constexpr int kColourBombBase = 10;  // + colour 1..5
    static constexpr int kRowRemover = 16;
    static constexpr int kColumnRemover = 17;
    static constexpr int kCrossRemover = 18;
    static constexpr int kUnmovable = 19;

    PuzzleBoard();
    // Reads 192 file values row by row from the top; values that make no block become empty.
    explicit PuzzleBoard(const std::vector<int>& fileValues);

    // The board as 192 file values, row by row from the top, each row from column 0.
    std::vector<int> fileValues() const;

    // The value in a cell (the cell must be inside the board).
    int at(int column, int row) const { return cells_[index(column, row)]; }
    // Sets a cell's value as it is, without letting anything fall.
    void put(int column, int row, int value) { cells_[index(column, row)] = value; }
    // The cell lies on the 12 x 16 board.
    static bool inside(int column, int row);

    // The colour id the game compares: 1-5 plain blocks and colour bombs, 7 fixed, 8 the
    // colourless bonuses, 19 unmovable, 0 empty.
    static int colourOf(int value);
    // Clicking the block alone triggers it (big bomb, colour bombs, line removers).
    static bool isBonus(int value);

    // The group a hover at the cell selects: the bonus alone, a flood fill of its colour, or
    // nothing for empty, fixed and unmovable cells.
    std::vector<PuzzleCell> selectionAt(int column, int row) const;
    // One full move; false (board unchanged) when the click would do nothing.
    bool click(int column, int row);
    // One cell per distinct move: every bonus and one cell of every group of at least 3.
    std::vector<PuzzleCell> moves() const;

    // Only fixed blocks remain: the puzzle is solved.
    bool isSolved() const;
    // Not solved and no move left: the puzzle is lost.
    bool isStuck() const;
    // A fall and a close-up would both change nothing.
    bool isSettled() const;

    // The fall of the game: every block but a fixed one drops onto the next block or fixed
    // block below it. True when a block moved.
    bool fall();
    // One close-up pass toward the middle; true when blocks slid.
    bool closeUpPass();
    // Close-up passes until nothing slides.
    void settle();

    // Cells that hold anything, fixed blocks included.
    int countBlocks() const;
    // Cells that hold exactly this value.
    int countValue(int value) const;
    // A fingerprint of the whole board for the solver's memory of explored states.
    uint64_t hash() const;
    bool operator==(const PuzzleBoard&) const = default;

private:
    static int index(int column, int row) { return row * kColumns + column; }
    // The cells a bonus takes with it when it goes off (the big bomb's own cell included).
    std::vector<PuzzleCell> bonusTargets(int column, int row) const;

    std::array<int, kCells> cells_{};
};

}  // namespace brx
