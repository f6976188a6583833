// Shared pieces of the Classic, Modern and bonus tests: a screen host that records the screens
// a game asks for, a fixture that builds a line mode on the real archive under a GL context,
// access to the tuning the modes keep protected, and a text picture of the board.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/Random.h"
#include "core/ResourceArchive.h"
#include "game/BrixelGame.h"
#include "game/PyramidPuzzle.h"
#include "objects/ColorMaterials.h"
#include "objects/EffectList.h"
#include "objects/ModelLibrary.h"
#include "objects/SplineTrail.h"
#include "shell/ScreenHost.h"
#include "tests/support/GLTestContext.h"

namespace brx::testkit {

// A host without a window: remembers every screen asked for and switches nothing.
class RecordingHost : public ScreenHost {
public:
    void addScreen(ORenderWindow*) override {}
    ORenderWindow* removeScreen(ORenderWindow* screen) override { return screen; }
    bool setActiveScreen(ScreenId id) override {
        requests.push_back(id);
        return true;
    }
    void retireScreen(ORenderWindow*) override {}
    void quit() override {}
    const std::vector<ORenderWindow*>& screens() const override { return none_; }
    bool setFullScreen(bool) override { return true; }
    double pulse() const override { return 1.0; }
    BitmapFont* font() const override { return nullptr; }
    OCamera* camera() const override { return nullptr; }
    int windowWidth() const override { return 800; }
    int windowHeight() const override { return 600; }
    void recreateWindow() override {}

    std::vector<ScreenId> requests;

private:
    std::vector<ORenderWindow*> none_;
};

// A line mode with its protected tuning and next line open to the tests.
template <class Mode>
class Open : public Mode {
public:
    using Mode::blocksSinceBonus;
    using Mode::bonusSpacingTable;
    using Mode::gameOverTime;
    using Mode::lastBonusKind;
    using Mode::levelSoundChannel;
    using Mode::nextBonusAfter;
    using Mode::nextLine;
    using Mode::speedTable;
    using Mode::spinTimer;
};

using OpenClassic = Open<BrixelGame>;
using OpenModern = Open<PyramidPuzzle>;

// A pace so slow that the next line never grows by itself.
constexpr int kNeverMs = 1 << 29;

class LineModeGL : public testsupport::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_TRUE(ResourceArchive::instance().open());
        ModelLibrary::instance().setDetail(ModelLibrary::kHighDetail);
        setScreenHost(&host);
    }
    void TearDown() override {
        games.clear();
        EffectList::instance().clear();
        SplineTrail::instance().stop();
        setScreenHost(nullptr);
        ColorMaterials::instance().clear();
        ResourceArchive::instance().close();
    }

    // A new game of Mode on the difficulty, built and filled, playing (intro skipped).
    template <class Mode>
    Mode& start(int difficultyLevel, uint32_t seed = 1, int firstLevel = 1) {
        difficulty = difficultyLevel;
        startLevel = firstLevel;
        seedRandom(seed);
        auto game = std::make_unique<Mode>();
        Mode& ref = *game;
        currentGame = game.get();
        ref.resize(800, 600);  // the size the host would hand it
        EXPECT_TRUE(ref.init());
        gameState = GameState::Playing;
        games.push_back(std::move(game));
        return ref;
    }

    // Stops the timer from adding next-line blocks and the random spin from turning blocks.
    template <class Mode>
    static void holdStill(Open<Mode>& game) {
        game.speedTable = {kNeverMs};
        game.spinTimer = kNeverMs;
    }

    RecordingHost host;
    std::vector<std::unique_ptr<Game>> games;
};

// Puts a plain block of a colour into a cell.
inline Box& put(Game& game, int column, int row, int colour) {
    std::unique_ptr<Box> block = game.prototypes().cloneBlock(BlockPrototypes::kPlainKey);
    block->colour = colour;
    Box& ref = *block;
    game.placeBlock(column, row, std::move(block));
    return ref;
}

// Puts a clone of a bonus prototype into a cell.
inline Box& putBonus(Game& game, int column, int row, int kind) {
    std::unique_ptr<Box> block = game.prototypes().cloneBonus(kind);
    Box& ref = *block;
    game.placeBlock(column, row, std::move(block));
    return ref;
}

// One line per row, top row first: '.' empty, the colour digit, '#' fixed, 'U' unmovable,
// '*' any other colourless block.
inline std::string picture(const Game& game) {
    std::string text;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const Box* block = game.blockAt(c, r);
            if (!block)
                text += '.';
            else if (block->colour >= 1 && block->colour <= 5)
                text += char('0' + block->colour);
            else if (block->colour == Box::kFixed)
                text += '#';
            else if (block->colour == Box::kUnmovable)
                text += 'U';
            else
                text += '*';
        }
        text += '\n';
    }
    return text;
}

// Runs frames of stepMs until nothing on the board moves (at most maxFrames); true when still.
inline bool settle(Game& game, int stepMs, int maxFrames = 2000) {
    for (int i = 0; i < maxFrames; ++i) {
        game.update(stepMs);
        if (!game.anyMoving()) {
            game.update(stepMs);  // the close-up of an idle frame may start new slides
            if (!game.anyMoving()) return true;
        }
    }
    return false;
}

}  // namespace brx::testkit
