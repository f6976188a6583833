// What the bonus blocks share when they go off: a trail with even odds, timed effects made from
// the game's registry, the launch of a block with its sparkle, and the search for a block's
// own cell.
#pragma once

#include <cstdint>

#include "engine/O2D.h"
#include "engine/Vector3.h"
#include "objects/Box.h"

namespace brx {

class Game;
class KvBaseBound;

class BonusEffects {
public:
    // Sounds of the bonuses.
    static constexpr int kSoundColourBomb = 106;
    static constexpr int kSoundBigBomb = 107;
    static constexpr int kSoundLineRemover = 110;
    // A block lies on a remover's line when its centre is this close to it (units).
    static constexpr float kLineTolerance = 0.125f;

    // With even odds (one draw), starts the glowing trail through position.
    static void maybeSpawnTrail(const Vector3& position);
    // A new effect of kind key from the game's registry at position; null when the game has
    // no registry (the caller then skips the effect).
    static std::unique_ptr<KvBaseBound> makeEffect(const Game& game, int key,
                                                   const Vector3& position);
    // Hands an effect to the running effects (a null effect is ignored).
    static void addEffect(std::unique_ptr<KvBaseBound> effect);
    // Launches the block in a cell off the board and starts a sparkle where it stood.
    static void launchWithSparkle(Game& game, int column, int row);
    // The cell holding this block, or (-1, -1) when it is not on the board.
    static Box::Cell findCell(const Game& game, const Box* block);
    // Plays one of the bonus sounds.
    static void playSound(int id);
};

}  // namespace brx
