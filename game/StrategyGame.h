// Strategy: Classic without the clock. The next line below the board is always complete and
// visible, and it is pushed in after every move once the board has settled; a click on the
// tray pushes one without a move. Levels are shorter (20 lines, then 25, 30, ...).
//
// Design note: Classic's per-frame rules would push a complete line at once, so this mode runs
// the shared rules itself while playing and hands only the game-over timer, the finishing fill
// and the step to the next level to Classic. A line is pushed only while Playing, so a move
// made in the same batch of events as Esc never pushes during the outro.
#pragma once

#include "game/BrixelGame.h"

namespace brx {

class StrategyGame : public BrixelGame {
public:
    StrategyGame();

    // Score texts, trail and the shared rules; the next line is prepared, and pushed after a
    // move (or a tray click) once nothing moves; the end states run as in Classic.
    void update(int elapsedMs) override;
    // A click on the tray while playing completes the line and asks for its push (so does N).
    void afterClick() override;
    void takeNextLine() override;
    // Lines of the level with index n: 5n + 20.
    int linesForLevel(int n) const override;
    int modeNumber() const override;

    // The next line has been completed for the coming push.
    bool nextLinePrepared() const { return linePrepared_; }

protected:
    // Classic's next line and timers, and whether the line is prepared.
    void captureModeState(GameSnapshot& snapshot) const override;
    void restoreModeState(const GameSnapshot& snapshot) override;

private:
    bool linePrepared_ = false;
};

}  // namespace brx
