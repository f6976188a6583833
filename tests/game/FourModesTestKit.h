// Shared set-up for the tests of Remover, Puzzle, Strategy and Advanced: a real GL context, the
// real archive, a host recording the screens a game asks for, a mode built and initialised as
// game selection does, and helpers that lay out boards and run frames until the board is still.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "core/Random.h"
#include "core/ResourceArchive.h"
#include "game/Game.h"
#include "game/GameVariables.h"
#include "game/ScoreTextList.h"
#include "objects/ColorMaterials.h"
#include "objects/EffectList.h"
#include "objects/ModelLibrary.h"
#include "objects/PathSet.h"
#include "objects/SplineTrail.h"
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

// A mode test whose games run with the glowing trail: its paths are loaded at the first test of
// each suite (their shuffle draws from the freshly seeded generator, so a suite's games do not
// depend on the suites run before it), and the trail and the floating scores go after each test.
class TrailModeTest : public ModeTest {
protected:
    using Factory = std::function<std::unique_ptr<Game>()>;
    static constexpr int kWindowWidth = 800;
    static constexpr int kWindowHeight = 600;

    void SetUp() override {
        ModeTest::SetUp();
        if (IsSkipped()) return;
        static const ::testing::TestSuite* loadedFor = nullptr;
        const ::testing::TestSuite* suite =
            ::testing::UnitTest::GetInstance()->current_test_suite();
        if (suite != loadedFor) {
            PathSet::instance().loadAll();
            loadedFor = suite;
        }
    }
    void TearDown() override {
        SplineTrail::instance().stop();
        ScoreTextList::instance().clear();
        ModeTest::TearDown();
    }

    // A game of the factory's mode, sized to the window and initialised (not yet activated).
    std::unique_ptr<Game> build(const Factory& make) {
        std::unique_ptr<Game> game = make();
        game->resize(kWindowWidth, kWindowHeight);
        game->init();
        return game;
    }
};

// A key press with the modifier flags given, as the window reports it.
inline InputEvent keyDown(uint16_t key, uint16_t flags = 0) {
    InputEvent event;
    event.type = kInputKeyDown;
    event.key = key;
    event.flags = flags;
    return event;
}

// Empties the board and lays rows of colours (0 = empty) onto its bottom, row by row.
inline void layBottom(Game& game, const std::vector<std::vector<int>>& bottom);

// A plain block of a colour, cloned from the game's prototype.
inline std::unique_ptr<Box> plainBlock(Game& game, int colour) {
    std::unique_ptr<Box> block = game.prototypes().cloneBlock(BlockPrototypes::kPlainKey);
    block->colour = colour;
    return block;
}

inline std::unique_ptr<Box> fixedBlock(Game& game) {
    return game.prototypes().cloneBlock(BlockPrototypes::kFixedKey);
}

inline void layBottom(Game& game, const std::vector<std::vector<int>>& bottom) {
    game.clearBoard();
    const int first = rows - static_cast<int>(bottom.size());
    for (size_t r = 0; r < bottom.size(); ++r)
        for (size_t c = 0; c < bottom[r].size(); ++c)
            if (bottom[r][c] != 0)
                game.placeBlock(int(c), first + int(r), plainBlock(game, bottom[r][c]));
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

// The pointer onto one of the blocks, the one pick(count) chooses (nothing on an empty board).
template <typename Pick>
void pointAtSomeBlock(Game& game, Pick pick) {
    const std::vector<Box::Cell> occupied = occupiedCells(game);
    if (occupied.empty()) return;
    const Box::Cell cell = occupied[size_t(pick(int(occupied.size())))];
    pointAt(game, game.cellPosition(cell.column, cell.row));
}

}  // namespace brx::fourmodes
