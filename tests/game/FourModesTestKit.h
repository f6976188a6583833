// Shared set-up for the tests of Remover, Puzzle, Strategy and Advanced: a real GL context, the
// real archive, a host recording the screens a game asks for, a mode built and initialised as
// game selection does, and helpers that lay out boards and run frames until the board is still.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/Random.h"
#include "core/ResourceArchive.h"
#include "game/Game.h"
#include "game/GameVariables.h"
#include "objects/ColorMaterials.h"
#include "objects/EffectList.h"
#include "objects/ModelLibrary.h"
#include "shell/ScreenHost.h"
#include "tests/game/RecordingHost.h"
#include "tests/support/GLTestContext.h"

namespace brx::fourmodes {

constexpr int kFrameMs = 16;
constexpr int kSettleFrameLimit = 2000;

class ModeTest : public testsupport::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_TRUE(ResourceArchive::instance().open());
        ModelLibrary::instance().setDetail(ModelLibrary::kHighDetail);
        difficulty = Difficulty::Normal;
        startLevel = 1;
        seedRandom(1234);
        previousHost_ = screenHost();
        setScreenHost(&host);
    }
    void TearDown() override {
        EffectList::instance().clear();
        ColorMaterials::instance().clear();
        setScreenHost(previousHost_);
    }

    // A mode constructed and initialised (prototypes, camera, first board) like game selection
    // makes it, in Playing.
    template <typename Mode>
    std::unique_ptr<Mode> makeMode() {
        auto mode = std::make_unique<Mode>();
        mode->init();
        gameState = GameState::Playing;
        return mode;
    }

    // Every screen the games asked for, in order.
    testkit::RecordingHost host;

private:
    ScreenHost* previousHost_ = nullptr;
};

// A plain block of a colour, cloned from the game's prototype.
inline std::unique_ptr<Box> plainBlock(Game& game, int colour) {
    std::unique_ptr<Box> block = game.prototypes().cloneBlock(BlockPrototypes::kPlainKey);
    block->colour = colour;
    return block;
}

inline std::unique_ptr<Box> fixedBlock(Game& game) {
    return game.prototypes().cloneBlock(BlockPrototypes::kFixedKey);
}

// Runs frames until nothing moves and the state stays put for a frame (or the limit is hit);
// the number of frames run.
inline int settle(Game& game, int frameMs = kFrameMs) {
    for (int frame = 0; frame < kSettleFrameLimit; ++frame) {
        const int before = gameState;
        game.update(frameMs);
        if (!game.anyMoving() && gameState == before && gameState != GameState::CloseUp)
            return frame + 1;
    }
    return kSettleFrameLimit;
}

// Starts the intro and runs frames until it has ended.
inline void playIntro(Game& game) {
    game.activate();
    for (int frame = 0; frame < kSettleFrameLimit && gameState == GameState::Intro; ++frame)
        game.update(kFrameMs);
}

// Blocks on the board, counted by colour id.
inline int countColour(const Game& game, int colour) {
    int count = 0;
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r)
            if (const Box* block = game.blockAt(c, r); block && block->colour == colour) ++count;
    return count;
}

inline int countBlocks(const Game& game) {
    int count = 0;
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r) count += game.blockAt(c, r) ? 1 : 0;
    return count;
}

inline bool onBoard(const Game& game, const Box* block) {
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r)
            if (game.blockAt(c, r) == block) return true;
    return false;
}

// Selects the group at a cell with the game's own group rule, then clicks it. True when the
// click removed a group, or fired a lone bonus: the bonus left the board and started its effect.
inline bool clickCell(Game& game, int column, int row) {
    const Box* block = game.blockAt(column, row);
    if (!block) return false;
    game.hover(column, row, block->colour);
    const bool bonus = game.selection.size() == 1 && block->isBonus;
    const size_t effectsBefore = EffectList::instance().size();
    if (game.click()) return true;
    // The pointer is only compared: no block is made during a click, so no other can take the
    // place of one the game deleted.
    return bonus && !onBoard(game, block) && EffectList::instance().size() > effectsBefore;
}

// --- the bots' pointer ---------------------------------------------------------------------
// The pointer onto a world position, as the window would report it (nothing off screen).
inline void pointAt(Game& game, const Vector3& where) {
    float x = 0.0f, y = 0.0f;
    if (!game.gameCamera() || !game.gameCamera()->projectToWindow(where, &x, &y)) return;
    InputEvent move;
    move.type = kInputPointerMove;
    move.x = int16_t(x);
    move.y = int16_t(y);
    game.onEvent(move);
}

// The pointer onto the tray below the board, where the next line builds up.
inline void pointAtTray(Game& game) {
    pointAt(game, game.cellPosition(columns / 2, rows) + Vector3(0.0f, -0.25f, 0.0f));
}

// The cells holding a block, column by column.
inline std::vector<Box::Cell> occupiedCells(const Game& game) {
    std::vector<Box::Cell> occupied;
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r)
            if (game.blockAt(c, r)) occupied.push_back({c, r});
    return occupied;
}

}  // namespace brx::fourmodes
