// Remover: the whole board starts full of random blocks, nothing new ever arrives, and the
// player clears it group by group, pairs included. A cleared board (only fixed blocks left)
// fills with score blocks for bonus points and a new full board follows with the score kept;
// when no group and no bonus is left to click, the game is over. Base of Puzzle.
//
// Design note: the end test looks for a move with the board's own flood fill on a fresh colour
// snapshot and puts the player's selection back afterwards, so testing for moves never changes
// what is highlighted.
#pragma once

#include "game/Game.h"

namespace brx {

class BrixelRemover : public Game {
public:
    static constexpr int kMinGroup = 2;
    static constexpr int kFillStepMs = 35;  // between two score blocks of the board-cleared fill

    BrixelRemover();

    // The shared game drawing; the level-complete extras go over the picture.
    void draw() override;
    // Score texts and trail, the shared rules, then the end test, the board-cleared fill, the
    // game-over timer and the next board.
    void update(int elapsedMs) override;
    // A new full board of random blocks; the board count goes up by one.
    void newBoard() override;
    // LevelComplete when only fixed blocks are left (false); GameOver when no move is left
    // (true); false while a move exists or during the outro.
    bool checkEnd() override;
    // The side panel: board count, "-" for the lines, score, points of the hovered group.
    void drawHud() override;
    int modeNumber() const override;

    // True when a bonus, or a group of at least minGroup blocks, can be clicked.
    bool hasMove();
    // True when no block but fixed ones is left on the board.
    bool onlyFixedLeft() const;

protected:
    // One step of the board-cleared fill; at its end the state moves on to NextLevel.
    void runClearedFill(int elapsedMs);
    // The game-over timer; the high-score screen follows once it runs out.
    void updateGameOver(int elapsedMs);

    // A snapshot taken between two boards deals the next board first.
    void settleModeState() override;

private:
    bool groupFrom(int column, int row);
};

}  // namespace brx
