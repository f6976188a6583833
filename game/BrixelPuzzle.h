// Puzzle: one hand-made 12 x 16 board read from "Data/Levels/Puzzle.%i.Cfg", nothing ever added.
// Solved when only fixed blocks remain, lost when no move is left; either way the game ends
// and the high-score screen follows (after the level-complete picture or the game-over one).
//
// Design note: the board size does not follow the difficulty, so the constructor and every
// newBoard() set 12 x 16 again. The level index is the 1-based puzzle number; selectPuzzle()
// sets it and deals that board, so game selection may pick the puzzle after the screen's init.
#pragma once

#include "game/BrixelRemover.h"

namespace brx {

class BrixelPuzzle : public BrixelRemover {
public:
    static constexpr int kColumns = 12;
    static constexpr int kRows = 16;
    static constexpr int kCentreLeft = 5;
    static constexpr int kMinGroup = 3;
    static constexpr int kLevelCompleteMs = 4000;  // the solved picture shows this long

    BrixelPuzzle();

    // Score texts and trail, the shared rules, the end test (even during the intro), then the
    // timers of the two end pictures, each leading to the high-score screen.
    void update(int elapsedMs) override;
    // Reads the puzzle of the level index onto an empty 12 x 16 board.
    void newBoard() override;
    // Clicks only in play; Esc goes to the high scores once the puzzle is over; Space does
    // nothing.
    bool onEvent(const InputEvent& event) override;
    int modeNumber() const override;

    // Sets the puzzle number (1-based) and deals its board.
    void selectPuzzle(int number);
    // A random puzzle number 1 + r mod count; 0 (no puzzle) when count is 0 or less.
    static int randomPuzzleNumber(int count);

protected:
    // The puzzle number travels with a snapshot (the board is the base's business).
    void captureModeState(GameSnapshot& snapshot) const override;

private:
    void setBoardSize();
    std::unique_ptr<Box> blockForValue(int value);
    void updateEnded(int elapsedMs, int& timer, int limit);
};

}  // namespace brx
