// Finds a sequence of clicks that clears a puzzle, by depth-first search over the board states
// of PuzzleBoard with a memory of states already explored and two sound cut-offs (a colour with
// one or two blocks left and nothing that can remove them; unmovable blocks without a big bomb).
//
// Move format, shared with the "Solution" key of the shipped puzzle files: a solution is a list
// of clicks, each the (column, row) of the cell to click, column 0 at the left and row 0 at the
// top, applied one after another to the settled board the previous click left (after its fall
// and close-up). A click on a bonus triggers it; a click on a plain block removes its group.
#pragma once

#include <cstdint>
#include <vector>

#include "game/PuzzleBoard.h"

namespace brx {

struct PuzzleSolution {
    bool solved = false;
    std::vector<PuzzleCell> clicks;
    long nodes = 0;  // board states explored
    // The node limit cut the search short; without it, "not solved" is a proof.
    bool exhausted = false;
};

class PuzzleSolver {
public:
    // nodeLimit bounds the search; an exhausted limit reports "not solved".
    explicit PuzzleSolver(long nodeLimit = 2000000) : nodeLimit_(nodeLimit) {}

    // A solution for the board, or solved = false when none was found within the limit.
    PuzzleSolution solve(const PuzzleBoard& start) const;

    // Applies the clicks in order; true when every click acted and the board ends solved.
    static bool replay(PuzzleBoard board, const std::vector<PuzzleCell>& clicks);
    // True when the board can certainly not be solved any more.
    static bool isHopeless(const PuzzleBoard& board);
    // The share (0..1) of random playouts, each picking uniformly among the moves until the
    // board is solved or stuck, that solve it; a measure of how forgiving a puzzle is. Draws
    // from the process-wide generator.
    static double playoutSuccess(const PuzzleBoard& start, int playouts);

    // The clicks as a flat list column, row, column, row, ...; and back.
    static std::vector<int> flatten(const std::vector<PuzzleCell>& clicks);
    static std::vector<PuzzleCell> unflatten(const std::vector<int>& flat);

private:
    long nodeLimit_;
};

}  // namespace brx
