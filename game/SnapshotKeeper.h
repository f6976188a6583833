// Takes a game's whole state into a snapshot, puts it back, and settles a game so that a
// snapshot describes it fully. Game's snapshot operations forward here, so the rules of what
// a snapshot holds live in one place; the modes add their own parts through Game's hooks
// (captureModeState, restoreModeState, settleModeState).
#pragma once

#include <string>

#include "game/GameSnapshot.h"

namespace brx {

class Game;

class SnapshotKeeper {
public:
    // See Game::settleForSnapshot.
    static void settle(Game& game);
    // See Game::captureSnapshot.
    static GameSnapshot capture(const Game& game);
    // See Game::restoreSnapshot.
    static void restore(Game& game, const GameSnapshot& snapshot);
    // Same mode and board size; false with the reason in why otherwise.
    static bool fits(const Game& game, const GameSnapshot& snapshot, std::string* why);

private:
    static void endMotion(Game& game);
    static void captureBoard(const Game& game, GameSnapshot& s);
    static void restoreBoard(Game& game, const GameSnapshot& s);
    static void captureRunWide(GameSnapshot& s);
    static void restoreRunWide(const GameSnapshot& s);
};

}  // namespace brx
