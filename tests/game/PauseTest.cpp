// Pausing: what each input does to a pause, a Classic game whose clock stands still for a
// minute while paused (and runs again once resumed), a lost focus pausing the game, and the
// click that resumes removing nothing. The games run in the real application and its frames.
#include <gtest/gtest.h>

#include <string>

#include "core/ResourceArchive.h"
#include "engine/InputEvent.h"
#include "game/BrixelGame.h"
#include "game/PauseState.h"
#include "platform/Platform.h"
#include "tests/game/GameTestKit.h"

namespace brx {
namespace {

InputEvent keyDown(uint16_t key, uint16_t flags = 0) {
    InputEvent event;
    event.type = kInputKeyDown;
    event.key = key;
    event.flags = flags;
    return event;
}

InputEvent ofType(int type) {
    InputEvent event;
    event.type = type;
    return event;
}

TEST(PauseStateTest, PAndPausePauseAPausableGameAndOnlyTheResumingInputsEndIt) {
    PauseState pause;
    EXPECT_FALSE(pause.take(keyDown('P'), false)) << "a game that is over does not pause";
    EXPECT_FALSE(pause.take(keyDown('P', kFlagControl), true)) << "Ctrl+P is not P";
    EXPECT_FALSE(pause.take(keyDown('Q'), true));
    EXPECT_FALSE(pause.take(ofType(kInputButtonDown), true)) << "clicks play on";
    EXPECT_FALSE(pause.paused());

    EXPECT_TRUE(pause.take(keyDown('P'), true));
    ASSERT_TRUE(pause.paused());
    for (int type : {kInputKeyUp, kInputCharacter, kInputButtonUp}) {
        EXPECT_TRUE(pause.take(ofType(type), true)) << "swallowed while paused: " << type;
        EXPECT_TRUE(pause.paused());
    }
    EXPECT_TRUE(pause.take(keyDown(kKeySpace), true));
    EXPECT_FALSE(pause.take(ofType(kInputPointerMove), true)) << "the hover follows";
    EXPECT_TRUE(pause.paused());
    EXPECT_TRUE(pause.take(ofType(kInputButtonDown), true)) << "the click resumes, nothing more";
    EXPECT_FALSE(pause.paused());

    EXPECT_TRUE(pause.take(keyDown(PauseState::kPauseKey), true));
    EXPECT_TRUE(pause.take(keyDown(PauseState::kPauseKey), true));
    EXPECT_FALSE(pause.paused());

    pause.pause(true);
    EXPECT_FALSE(pause.take(keyDown(kKeyEscape), true)) << "Escape resumes and goes on";
    EXPECT_FALSE(pause.paused());
    pause.pause(false);
    EXPECT_FALSE(pause.paused());
}

using gametest::GameTest;

class PauseTest : public GameTest {
protected:
    void SetUp() override {
        // Suites run before in the same process may have closed the archive the games read.
        if (!ResourceArchive::instance().isOpen()) ResourceArchive::instance().open();
        GameTest::SetUp();
    }
    // Lines left, the board's blocks and the blocks waiting in the next line, as one text.
    static std::string clockFace(const BrixelGame& classic) {
        std::string face = std::to_string(classic.linesLeft) + " " +
                           std::to_string(classic.filledSlots()) + " " +
                           std::to_string(classic.score()) + "\n";
        for (int c = 0; c < columns; ++c)
            for (int r = 0; r < rows; ++r)
                face += classic.blockAt(c, r) ? char('0' + classic.blockAt(c, r)->colour) : '.';
        return face;
    }
    void loseFocus() {
        platform::Event lost;
        lost.type = platform::EventType::focusLost;
        app().handleMessage(lost);
    }
};

TEST_F(PauseTest, APausedClassicGamePushesNothingForAMinuteAndRunsOnAfterP) {
    auto* classic = new BrixelGame;
    currentGame = classic;
    app().addScreen(classic);
    app().setActiveScreen(kScreenGame);
    for (int i = 0; i < 1000 && gameState != GameState::Playing; ++i) app().frame(50);
    ASSERT_EQ(gameState, GameState::Playing);
    const int linesAtStart = classic->linesLeft;

    pressKey('P');
    ASSERT_TRUE(classic->isPaused());
    const std::string face = clockFace(*classic);
    for (int i = 0; i < 600; ++i) app().frame(100);  // a minute of play time
    EXPECT_EQ(clockFace(*classic), face) << "no block, line or point while paused";
    EXPECT_TRUE(classic->isPaused());
    EXPECT_FALSE(classic->animatesNow()) << "a paused game draws nothing by itself";

    pressKey('P');
    EXPECT_FALSE(classic->isPaused());
    for (int i = 0; i < 600 && classic->linesLeft == linesAtStart; ++i) app().frame(100);
    EXPECT_LT(classic->linesLeft, linesAtStart) << "the same minute unpaused pushes a line";
}

TEST_F(PauseTest, ALostFocusPausesAndTheResumingClickRemovesNothing) {
    startGame([](gametest::TestGame& board) {
        for (int c = 0; c < columns; ++c) board.put(c, rows - 1, Box::kRed);
    });
    playIntro();
    pointAt(2, rows - 1);
    app().frame(16);
    ASSERT_EQ(int(game->selection.size()), columns);
    const int blocks = game->board.blockCount();

    loseFocus();
    ASSERT_TRUE(game->isPaused());
    loseFocus();
    EXPECT_TRUE(game->isPaused()) << "a second loss changes nothing";
    float x = 0, y = 0;
    ASSERT_TRUE(game->gameCamera()->projectToWindow(game->cellPosition(2, rows - 1), &x, &y));
    pressButton(int16_t(x), int16_t(y));
    EXPECT_FALSE(game->isPaused());
    EXPECT_EQ(game->board.blockCount(), blocks) << "the resuming click removed a group";
    EXPECT_EQ(game->score(), 0);

    pressButton(int16_t(x), int16_t(y));
    EXPECT_EQ(game->board.blockCount(), blocks - columns) << "the next click plays";
}

TEST_F(PauseTest, AMinimisedGameStaysPausedWhenTheWindowComesBack) {
    startGame();
    playIntro();
    platform::Event message;
    message.type = platform::EventType::minimized;
    app().handleMessage(message);
    EXPECT_TRUE(game->isPaused());
    message.type = platform::EventType::restored;
    app().handleMessage(message);
    ASSERT_TRUE(app().isActive());
    app().frame(16);
    EXPECT_TRUE(game->isPaused()) << "only the player resumes";
    pressKey('P');
    EXPECT_FALSE(game->isPaused());
}

TEST_F(PauseTest, AFinishedOrLeavingGameDoesNotPauseAndEscapeResumesIntoTheOutro) {
    startGame();
    playIntro();
    gameState = GameState::GameOver;
    loseFocus();
    pressKey('P');
    EXPECT_FALSE(game->isPaused()) << "game over: nothing to pause";

    gameState = GameState::Playing;
    pressKey(PauseState::kPauseKey);
    ASSERT_TRUE(game->isPaused());
    pressKey(kKeyEscape);
    EXPECT_FALSE(game->isPaused());
    EXPECT_TRUE(game->closing_) << "Escape left the game as ever";
    loseFocus();
    EXPECT_FALSE(game->isPaused()) << "the outro runs to its end";
}

}  // namespace
}  // namespace brx
