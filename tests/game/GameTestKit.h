// The real application around a game under test: one window with its context, the real
// archive, the font and sound on SDL's disk driver, opened once per test process, with a main
// menu and a stand-in for the high-score screen that deletes the finished game as it shows,
// the way the real one does. A TestGame is the base game with a board filled by the test.
//
// Design note: no thread of the game's may run past a test or past the program. Start-up's
// picture worker and the sound device's opener are joined before the first test; each test
// ends with no worker running; and at the end of the run the application is taken down (the
// way the program ends), which closes the sound device and so ends SDL's mixing thread, before
// the process exits and a leak checker stops every thread to scan memory.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/SystemSettings.h"
#include "engine/TexturePrefetch.h"
#include "game/Game.h"
#include "game/GameVariables.h"
#include "shell/OApplication.h"
#include "shell/ORenderWindow.h"
#include "shell/ScreenHost.h"
#include "sound/SoundManager.h"
#include "tests/support/DiskAudio.h"
#include "tests/support/ThreadCensus.h"

namespace brx::gametest {

// The base game as a mode uses it: a board the test fills, and the score texts and trail a mode
// advances in its update. (The game-over timer is each mode's own: tests of it use a mode.)
class TestGame : public Game {
public:
    using Game::beginScene;
    using Game::boardModel;
    using Game::closing_;
    using Game::drawBoard;
    using Game::effects;
    using Game::fillTimer;
    using Game::flying;
    using Game::gameOverTime;
    using Game::gameOverTimer;
    using Game::introDuration;
    using Game::introElapsed;
    using Game::levelSoundChannel;
    using Game::ownCamera;
    using Game::score_;
    using Game::setBoardLighting;
    using Game::spinLower;
    using Game::spinTimer;
    using Game::spinUpper;

    std::function<void(TestGame&)> fill;

    void newBoard() override {
        clearBoard();
        if (fill) {
            fill(*this);
            return;
        }
        for (int c = 0; c < columns; ++c)
            for (int r = 0; r < rows; ++r) placeBlock(c, r, newBlock(false));
    }
    void update(int elapsedMs) override {
        updateScoreTextsAndTrail(elapsedMs);
        Game::update(elapsedMs);
    }
    int modeNumber() const override { return GameMode::Classic; }
    // A block of colour at a cell.
    void put(int column, int row, int colour) {
        std::unique_ptr<Box> block = newBlock(false);
        block->colour = colour;
        placeBlock(column, row, std::move(block));
    }
};

// Deletes the game when it shows, as the high-score screen does after taking the score.
class RetiringScores : public ORenderWindow {
public:
    RetiringScores() : ORenderWindow(kScreenHighScores) {}
    int takenScore = -1;
    void activate() override {
        if (currentGame) {
            takenScore = currentGame->score();
            screenHost()->retireScreen(currentGame);
        }
    }
};

class TestApplication : public OApplication {};

// The one application of the test process (kept for the whole run).
struct TestRun {
    testsupport::DiskAudio audio;
    TestApplication app;
    bool ready = false;
};

inline TestRun*& testRunSlot() {
    static TestRun* run = nullptr;
    return run;
}

inline TestRun& testRun() {
    TestRun*& run = testRunSlot();
    if (run) return *run;
    run = new TestRun;
    SystemSettings& settings = SystemSettings::instance();
    settings.sound = true;
    settings.soundVolume = 255;
    settings.music = false;
    settings.fullScreen = false;
    run->ready = run->app.create("3D", "Game test", 800, 600) && run->app.init();
    // Start-up decodes pictures on a worker that reads the archive; tests that put another
    // archive in its place must not pull it from under the worker. The first frame would stop
    // it: it is stopped (and joined) here.
    TexturePrefetch::instance().stop();
    // The sound device opens on a worker; the tests play sounds from their first frame, so the
    // device is taken over at once (init joins the worker).
    SoundManager::instance().init();
    return *run;
}

// The names of the other threads running, for failure messages.
inline std::string threadList() {
    std::string list;
    for (const std::string& name : testsupport::otherThreadNames()) list += " '" + name + "'";
    return list;
}

// At the end of the run the application goes the way the program ends it; then no thread of
// the game's, nor SDL's mixing thread, may be left running.
class TestRunEnd : public ::testing::Environment {
public:
    void TearDown() override {
        delete testRunSlot();
        testRunSlot() = nullptr;
        EXPECT_EQ(testsupport::runningWorkers(), 0) << "threads left:" << threadList();
        EXPECT_EQ(testsupport::runningAudioDevices(), 0)
            << "the sound device outlives the application; threads left:" << threadList();
    }
};
inline ::testing::Environment* const testRunEnd =
    ::testing::AddGlobalTestEnvironment(new TestRunEnd);

// Every test gets a fresh menu, score stand-in and game, all retired afterwards.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testRun().ready) GTEST_SKIP() << "no window";
        difficulty = Difficulty::Normal;
        startLevel = 1;
        menu = new ORenderWindow(kScreenMenu);
        scores = new RetiringScores;
        app().addScreen(menu);
        app().addScreen(scores);
    }
    void TearDown() override {
        if (!testRun().ready) return;
        const std::vector<ORenderWindow*> left = app().screens();
        for (ORenderWindow* screen : left) app().retireScreen(screen);
        currentGame = nullptr;
        EXPECT_EQ(testsupport::runningWorkers(), 0)
            << "a worker thread outlives the test; threads:" << threadList();
    }

    OApplication& app() { return testRun().app; }

    // Creates, adds and activates a game; it plays its intro from here.
    TestGame* startGame(std::function<void(TestGame&)> fill = {}) {
        game = new TestGame;
        game->fill = std::move(fill);
        currentGame = game;
        app().addScreen(game);
        app().setActiveScreen(kScreenGame);
        return game;
    }
    // Runs frames until the (shortened) intro is over.
    void playIntro(int stepMs = 50) {
        if (gameState == GameState::Intro && game->introDuration > 100) game->introDuration = 100;
        for (int i = 0; i < 1000 && gameState == GameState::Intro; ++i) app().frame(stepMs);
        ASSERT_EQ(gameState, GameState::Playing);
    }
    bool gameAlive() const {
        for (ORenderWindow* screen : testRun().app.screens())
            if (screen == game) return true;
        return false;
    }
    void send(InputEvent event) { app().onEvent(event); }
    void pressKey(uint16_t key) {
        InputEvent event;
        event.type = kInputKeyDown;
        event.key = key;
        send(event);
    }
    // Moves the pointer onto the centre of a cell (window pixels through the game's camera).
    void pointAt(int column, int row) {
        float x = 0.0f, y = 0.0f;
        ASSERT_TRUE(game->gameCamera()->projectToWindow(game->cellPosition(column, row), &x, &y));
        InputEvent move;
        move.type = kInputPointerMove;
        move.x = int16_t(x);
        move.y = int16_t(y);
        send(move);
    }
    void pressButton(int16_t x, int16_t y) {
        InputEvent press;
        press.type = kInputButtonDown;
        press.button = kButtonLeft;
        press.x = x;
        press.y = y;
        send(press);
    }

    ORenderWindow* menu = nullptr;
    RetiringScores* scores = nullptr;
    TestGame* game = nullptr;
};

}  // namespace brx::gametest
