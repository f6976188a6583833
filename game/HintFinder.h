// What the H key shows: in Puzzle the next click of a solution from the board as it stands,
// found by the puzzle solver within a fixed budget of board states (so the same board always
// gets the same answer, however fast the machine); in the other modes the group that scores
// most right now.
//
// Design note: the puzzle solver works on the file values of a 12 x 16 board and plays each
// move through a board of its own, which sets the process-wide board size, group size and game
// state while it runs; the hint keeps the running game's values and puts them back afterwards.
#pragma once

#include <vector>

#include "game/Board.h"

namespace brx {

struct Hint {
    enum class Outcome {
        Found,       // cells hold the group (or the single bonus) to click
        NoSolution,  // the search proved that the puzzle cannot be solved from here
        NotFound,    // the budget ran out, or no group can be removed
    };
    Outcome outcome = Outcome::NotFound;
    std::vector<Box::Cell> cells;
};

class HintFinder {
public:
    // Board states the puzzle search may explore for one hint: every shipped puzzle is solved
    // well within it from its start, and it stays under a second on a slow machine.
    static constexpr long kPuzzleNodeBudget = 40000;

    // The next click of a solution of the Puzzle board (12 x 16, at rest).
    static Hint puzzleHint(const Board& board, long nodeBudget = kPuzzleNodeBudget);
    // The removable group with the most points, the first one found among equals (columns from
    // 0, rows from the top). Leaves the board's selection as it was.
    static Hint bestGroup(Board& board);
    // The puzzle-file value of a block: its colour for plain, fixed and unmovable blocks, the
    // bonus kind (10 to 18) for a bonus.
    static int fileValueOf(const Box& block);
};

}  // namespace brx
