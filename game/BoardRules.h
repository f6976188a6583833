// Runs the puzzle files' moves on the game's own board rules (brx::Board): groups by flood
// fill, the fall, the close-up toward the middle and the arrival of sliding blocks, so that the
// puzzle solver (the data generator's and the game's hints) proves puzzles with exactly the rules
// the game plays by.
//
// Design note: the search works on compact arrays of cell values; each operation loads the
// values into a board of blocks (kept in a pool, so no block is allocated per move), lets the
// board run to rest in large time steps, and reads the values back. The board needs no GL
// context and no archive. A bonus, however, goes off through a running game (its effects,
// sounds and model), which the data generator cannot build, so the targets of a bonus are
// chosen here from the game's published bonus constants; the game's own replay of every shipped
// solution checks that the two agree.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "game/Board.h"
#include "game/BoardHooks.h"

namespace brx {

class BoardRules : private BoardHooks {
public:
    static constexpr int kColumns = 12;
    static constexpr int kRows = 16;
    static constexpr int kCells = kColumns * kRows;
    using Values = std::array<int, kCells>;  // row by row from the top, 0 = empty

    BoardRules();
    ~BoardRules() override;

    // The cells of the group a hover at the cell selects (a bonus alone; nothing for empty,
    // fixed and unmovable cells), in the board's flood-fill order.
    std::vector<Box::Cell> select(const Values& values, int column, int row);
    // One cell per distinct move: every bonus and the first cell of every group of at least
    // the minimum size, column by column from column 0, rows from the top.
    std::vector<Box::Cell> moves(const Values& values);
    // Removes the cells (a bonus's targets or a group), then lets the board fall and close up
    // until nothing moves.
    void removeAndSettle(Values& values, const std::vector<Box::Cell>& removed);
    // Only the fall, run to rest; true when a block moved.
    bool fall(Values& values);
    // One close-up pass, run to rest; true when a block slid.
    bool closeUpPass(Values& values);

    // The process-wide rules, created on first use (the generator is single-threaded).
    static BoardRules& instance();

private:
    class ValueBlock;

    Vector3 cellPosition(int column, int row) const override;
    bool columnIsOpen(int column) override;
    int closeUpLeft(int column) override;
    int closeUpRight(int column) override;

    void load(const Values& values);
    void store(Values& values) const;
    void runToRest();
    static void useBoardSize();

    Board board_;
    std::vector<std::unique_ptr<Box>> pool_;
};

}  // namespace brx
