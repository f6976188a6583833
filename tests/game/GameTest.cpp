// The base game in the real application: the intro and outro and their ends, leaving in every
// state by Escape, the menu button and the game-over timer while the high-score screen deletes
// the game (run under ASan), hover and click through the camera with sound, the fill loop that
// stops with the game, the transparent selection under the game's lighting, the effect sprites,
// and a long random play with its invariants.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <set>

#include "core/Random.h"
#include "engine/OControl.h"
#include "engine/OTextStack.h"
#include "game/BrixelGame.h"
#include "game/ScoreTextList.h"
#include "objects/EffectList.h"
#include "objects/EffectRegistry.h"
#include "platform/Platform.h"
#include "tests/game/GameTestKit.h"

namespace brx::gametest {
namespace {

// --- intro and outro -------------------------------------------------------------------------

TEST_F(GameTest, TheIntroEndsStrictlyAfterItsTimeThenPlayBegins) {
    startGame();
    EXPECT_EQ(gameState, GameState::Intro);
    EXPECT_FALSE(game->closing());
    game->introDuration = 300;
    app().frame(300);
    EXPECT_EQ(gameState, GameState::Intro) << "at exactly its time the intro still runs";
    EXPECT_DOUBLE_EQ(game->introProgress(), 1.0);
    app().frame(1);
    EXPECT_EQ(gameState, GameState::Playing);
}

TEST_F(GameTest, AnIntroAfterAWonLevelLeadsBackToTheLevelEnd) {
    startGame();
    resumeState = ResumeState::LevelComplete;
    game->introDuration = 10;
    app().frame(11);
    EXPECT_EQ(gameState, GameState::LevelComplete);
    resumeState = ResumeState::Normal;
}

TEST_F(GameTest, AnIntroTimeOfZeroOrLessIsOverAtOnce) {
    for (int duration : {0, -40}) {
        startGame();
        game->introDuration = duration;
        EXPECT_DOUBLE_EQ(game->introProgress(), 1.0);
        app().frame(1);
        EXPECT_EQ(gameState, GameState::Playing) << duration;
        app().retireScreen(game);
    }
}

TEST_F(GameTest, EscapeDuringTheOutroDoesNothingAndTheOutroEndsOnTheMenu) {
    startGame();
    playIntro();
    pressKey(kKeyEscape);
    EXPECT_EQ(gameState, GameState::Outro);
    EXPECT_TRUE(game->closing());
    game->introDuration = 400;  // whatever the tuning says
    app().frame(200);
    pressKey(kKeyEscape);
    EXPECT_EQ(gameState, GameState::Outro);
    EXPECT_EQ(game->introElapsed, 200) << "a second Escape does not restart the outro";
    app().frame(200);
    EXPECT_EQ(OApplication::activeScreen(), game);
    app().frame(1);
    EXPECT_EQ(OApplication::activeScreen(), menu);
    EXPECT_TRUE(gameAlive()) << "the menu does not delete the game";
}

TEST_F(GameTest, TheOutroOfAFinishedGameEndsOnTheHighScores) {
    startGame();
    playIntro();
    game->deactivate();
    linePhase = LinePhase::Finished;
    game->introDuration = 10;
    game->score_ = 77;
    app().frame(11);
    EXPECT_EQ(OApplication::activeScreen(), scores);
    EXPECT_EQ(scores->takenScore, 77);
    EXPECT_FALSE(gameAlive());
    linePhase = LinePhase::Idle;
}

// --- leaving in every state ------------------------------------------------------------------

const int kEveryState[] = {GameState::Playing, GameState::LevelComplete, GameState::NextLevel,
                           GameState::Intro,   GameState::Outro,         GameState::CloseUp,
                           GameState::GameOver};

// The menu button's centre in window pixels.
void menuButtonCentre(const Game& game, int16_t* x, int16_t* y) {
    for (size_t i = 0; i < game.controlCount(); ++i) {
        const auto* button = dynamic_cast<const OTextStack*>(game.control(i));
        if (!button || button->controlId() != Game::kMenuButtonId) continue;
        const float vx = button->x() + button->width() / 2.0f;
        const float vy = button->y() + button->height() / 2.0f;
        *x = int16_t(vx * game.width() / ORenderWindow::kVirtualWidth);
        *y = int16_t(game.height() - vy * game.height() / ORenderWindow::kVirtualHeight);
        return;
    }
    ADD_FAILURE() << "no menu button";
}

TEST_F(GameTest, EscapeInEveryStateLeavesSafely) {
    for (int state : kEveryState) {
        for (bool finished : {false, true}) {
            startGame();
            playIntro();
            gameState = state;
            linePhase = finished ? LinePhase::Finished : LinePhase::Idle;
            const bool over = finished || state == GameState::GameOver;
            const bool wasClosing = state == GameState::Outro;
            if (wasClosing) game->closing_ = true;
            pressKey(kKeyEscape);
            game = over ? nullptr : game;
            if (game) game->introDuration = 100;  // a short outro keeps the test quick
            if (over) {
                EXPECT_FALSE(gameAlive()) << state;
                EXPECT_EQ(OApplication::activeScreen(), scores) << state;
            } else {
                EXPECT_TRUE(gameAlive()) << state;
                EXPECT_EQ(gameState, wasClosing ? state : GameState::Outro) << state;
                for (int i = 0; i < 100 && gameAlive() && OApplication::activeScreen() == game; ++i)
                    app().frame(50);
                EXPECT_EQ(OApplication::activeScreen(), menu) << state;
                app().retireScreen(game);
            }
            linePhase = LinePhase::Idle;
            app().setActiveScreen(kScreenMenu);
        }
    }
}

TEST_F(GameTest, TheMenuButtonInEveryStateLeavesSafely) {
    for (int state : kEveryState) {
        startGame();
        playIntro();
        int16_t x = 0, y = 0;
        menuButtonCentre(*game, &x, &y);
        gameState = state;
        pressButton(x, y);  // the button's own handler asks for the switch
        if (state == GameState::GameOver) {
            EXPECT_FALSE(gameAlive());
            EXPECT_EQ(OApplication::activeScreen(), scores);
        } else {
            EXPECT_EQ(gameState, GameState::Outro) << state;
            app().retireScreen(game);
        }
        app().setActiveScreen(kScreenMenu);
    }
}

// Classic with its game-over time open to the test.
class TimedClassic : public BrixelGame {
public:
    using BrixelGame::gameOverTime;
};

TEST_F(GameTest, TheGameOverTimerHandsTheGameToTheHighScores) {
    auto* classic = new TimedClassic;
    currentGame = classic;
    app().addScreen(classic);
    app().setActiveScreen(kScreenGame);
    gameState = GameState::Playing;  // the intro is another test's business
    // A push with a block in row 1 loses the game, by the mode's own rule.
    classic->placeBlock(4, 1, classic->newBlock(false));
    classic->addScore(5);
    classic->pushLine();
    ASSERT_EQ(gameState, GameState::GameOver);
    classic->gameOverTime = 120;
    app().frame(60);
    app().frame(60);
    EXPECT_EQ(OApplication::activeScreen(), classic) << "the picture went before its time";
    app().frame(60);  // the switch is asked for inside update; the game goes after the frame
    EXPECT_EQ(OApplication::activeScreen(), scores);
    EXPECT_EQ(scores->takenScore, 5);
    EXPECT_EQ(linePhase, LinePhase::Finished);
    EXPECT_EQ(currentGame, nullptr) << "the high scores deleted the game";
    app().frame(16);  // the next frame runs on the score screen
    linePhase = LinePhase::Idle;
}

// --- hover and click -------------------------------------------------------------------------

// Two rows at the bottom: a blue column, a red group of 10 up to the middle, then blue and
// green columns.
void twoRows(TestGame& game) {
    for (int c = 0; c < columns; ++c) {
        const int colour = c >= 1 && c <= 5 ? Box::kRed : (c % 2 ? Box::kGreen : Box::kBlue);
        game.put(c, rows - 1, colour);
        game.put(c, rows - 2, colour);
    }
}

TEST_F(GameTest, PointingAtAGroupHighlightsItAndAClickRemovesItWithSound) {
    startGame(twoRows);
    playIntro();
    app().frame(16);
    pointAt(2, rows - 1);
    app().frame(16);
    ASSERT_EQ(game->selection.size(), 10u);
    EXPECT_TRUE(game->blockAt(5, rows - 2)->selected);
    EXPECT_FALSE(game->blockAt(0, rows - 1)->selected);
    EXPECT_FALSE(game->blockAt(6, rows - 1)->selected);
    EXPECT_EQ(game->hoverColour, Box::kRed);

    SoundManager::instance().loadSample(Game::kSoundRemoved, "Data/Sounds/RemoveBoxes.Wav", false);
    const int blocksBefore = game->board.blockCount();
    float x = 0, y = 0;
    game->gameCamera()->projectToWindow(game->cellPosition(2, rows - 1), &x, &y);
    pressButton(int16_t(x), int16_t(y));
    EXPECT_EQ(game->score(), 46) << "a group of 10";
    EXPECT_EQ(game->board.blockCount(), blocksBefore - 10);
    EXPECT_EQ(game->flyingBlocks().size(), 10u);
    EXPECT_EQ(linePhase, LinePhase::MoveMade);
    ASSERT_EQ(ScoreTextList::instance().size(), 1u);
    EXPECT_EQ(ScoreTextList::instance().at(0).text, "46");
    EXPECT_LT(ScoreTextList::instance().at(0).position.y, 100.0f) << "a group of 10+ shows";
    EXPECT_TRUE(testRun().audio.becomesAudible()) << "sound 100 when a group goes";

    // The columns close up to the middle; the flying blocks leave the list as they go.
    for (int i = 0; i < 400; ++i) app().frame(25);
    EXPECT_TRUE(game->flyingBlocks().empty());
    EXPECT_EQ(ScoreTextList::instance().size(), 0u) << "a score text lives 800 ms";
    EXPECT_EQ(game->board.blockCount(), blocksBefore - 10);
    EXPECT_EQ(game->blockAt(0, rows - 1), nullptr);
    EXPECT_EQ(game->blockAt(5, rows - 1)->colour, Box::kBlue) << "closed up toward the middle";
    EXPECT_EQ(game->blockAt(6, rows - 1)->colour, Box::kBlue) << "the right half stays";
}

TEST_F(GameTest, SmallGroupsScoreTheirTextOutOfViewAndTooSmallOnesDoNothing) {
    startGame([](TestGame& g) {
        for (int c = 1; c <= 3; ++c) g.put(c, rows - 1, Box::kGreen);
        g.put(4, rows - 1, Box::kBlue);  // up to the middle: nothing closes up
        g.put(5, rows - 1, Box::kBlue);
    });
    playIntro();
    app().frame(16);
    pointAt(5, rows - 1);
    app().frame(16);
    EXPECT_EQ(game->selection.size(), 2u);
    EXPECT_FALSE(game->blockAt(5, rows - 1)->selected);
    EXPECT_FALSE(game->click());
    EXPECT_EQ(game->score(), 0);
    pointAt(1, rows - 1);
    app().frame(16);
    EXPECT_TRUE(game->click());
    EXPECT_EQ(game->score(), 3);
    ASSERT_EQ(ScoreTextList::instance().size(), 1u);
    EXPECT_EQ(ScoreTextList::instance().at(0).position.y, 1000.0f);
    gameState = GameState::Intro;
    EXPECT_FALSE(game->click()) << "no click outside Playing";
}

TEST_F(GameTest, FewerThanFourBlocksNeverSpin) {
    startGame([](TestGame& g) {
        for (int c = 3; c <= 5; ++c) g.put(c, rows - 1, c - 2);
    });
    playIntro();
    game->spinLower = 1;
    game->spinUpper = 2;
    game->spinTimer = 0;
    for (int i = 0; i < 200; ++i) {
        app().frame(5);
        for (int c = 3; c <= 5; ++c) ASSERT_FALSE(game->blockAt(c, rows - 1)->spinning);
    }
}

// --- sound that outlives the game ------------------------------------------------------------

TEST_F(GameTest, TheFillLoopStopsWhenTheGameIsDeleted) {
    SoundManager& sound = SoundManager::instance();
    sound.loadSample(Game::kSoundFillLoop, "Data/Sounds/100.A.Mp3", true);
    startGame();
    playIntro();
    game->startFillSound();
    const int channel = game->levelSoundChannel;
    ASSERT_GT(channel, 0);
    EXPECT_TRUE(platform::isChannelPlaying(channel));
    game->startFillSound();
    EXPECT_EQ(game->levelSoundChannel, channel) << "started once";
    app().retireScreen(game);
    EXPECT_FALSE(platform::isChannelPlaying(channel));
}

TEST_F(GameTest, AFillLoopWithoutAChannelIsNotRetriedEveryFrame) {
    SoundManager& sound = SoundManager::instance();
    sound.loadSample(Game::kSoundFillLoop, "Data/Sounds/NoSuchSound.Wav", true);
    startGame();
    playIntro();
    game->startFillSound();
    EXPECT_EQ(game->levelSoundChannel, -1);
    EXPECT_TRUE(game->fillSoundRunning());
    sound.loadSample(Game::kSoundFillLoop, "Data/Sounds/100.A.Mp3", true);
    for (int frame = 0; frame < 3; ++frame) game->startFillSound();
    EXPECT_EQ(game->levelSoundChannel, -1) << "no second start while the fill runs";
    game->stopFillSound();
    EXPECT_FALSE(game->fillSoundRunning());
}

TEST_F(GameTest, ASoundFollowingABlockForgetsItWhenTheBlockGoes) {
    SoundManager& sound = SoundManager::instance();
    sound.loadSample(Game::kSoundFillLoop, "Data/Sounds/100.A.Mp3", true);
    const int channel = sound.play(Game::kSoundFillLoop, 0);
    ASSERT_GT(channel, 0);
    auto block = std::make_unique<Box>();
    sound.track(channel, block.get());
    sound.updateTracked();
    block.reset();
    sound.updateTracked();  // would read the freed block
    sound.stop(channel);
}

// --- drawing ---------------------------------------------------------------------------------

// The red channel at the centre of the block at (column, row), the board drawn as in play
// (skin, board lighting, selected blocks in their own pass) over black.
int litRed(TestGame& game, int column, int row, bool selected) {
    game.blockAt(column, row)->selected = selected;
    game.boardModel->visible = false;  // the block alone over black
    game.beginScene();
    game.drawBoard();
    float x = 0.0f, y = 0.0f;
    game.gameCamera()->projectToWindow(game.cellPosition(column, row), &x, &y);
    std::vector<uint8_t> pixel(4);
    glReadPixels(GLint(x), GLint(game.height() - y), 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    return pixel[0];
}

TEST_F(GameTest, TheTransparentSelectionIsHalfSeenUnderTheGameLighting) {
    startGame([](TestGame& g) { g.put(5, rows - 1, Box::kRed); });
    playIntro();
    SystemSettings::instance().selectEffect = 0;
    const int column = 5, row = rows - 1;
    const int opaque = litRed(*game, column, row, false);
    const int selected = litRed(*game, column, row, true);
    ASSERT_GT(opaque, 60) << "the block is lit";
    // Drawn twice at half opacity (inner walls, then the front) over the dark board: well
    // below the opaque block, well above nothing.
    EXPECT_LT(selected, opaque * 85 / 100);
    EXPECT_GT(selected, opaque * 25 / 100);
}

TEST_F(GameTest, EffectPrototypesHaveTheirSpritesBeforeFirstUse) {
    startGame();
    ASSERT_NE(game->effectRegistry(), nullptr);
    for (int key :
         {EffectRegistry::kBonus100, EffectRegistry::kBigBomb, EffectRegistry::kHVExplosion,
          EffectRegistry::kBoxExplosion, EffectRegistry::kSuperBomb}) {
        const std::unique_ptr<KvBaseBound> effect = game->effectRegistry()->create(key);
        ASSERT_NE(effect, nullptr);
        EXPECT_TRUE(static_cast<bool>(effect->texture)) << "effect " << key;
    }
}

// --- long play -------------------------------------------------------------------------------

// A bot moves the pointer to random cells and clicks at random, with random frame steps, on a
// full board at every difficulty. Every frame: each block is in one cell or in flight, none is
// lost or duplicated (removals are counted by the score of each click), resting blocks sit on
// their cell, and the score never falls.
TEST_F(GameTest, RandomPlayKeepsTheBoardWholeOnEveryDifficulty) {
    for (int level = Difficulty::Easy; level <= Difficulty::Impossible; ++level) {
        difficulty = level;
        seedRandom(77u + level);
        startGame();
        playIntro();
        int onBoard = game->board.blockCount();
        ASSERT_EQ(onBoard, columns * rows);
        int lastScore = 0;
        for (int frame = 0; frame < 1500; ++frame) {
            if (random(0, 3) == 0) pointAt(random(0, columns - 1), random(0, rows - 1));
            if (random(0, 5) == 0) {
                const int before = game->board.blockCount();
                const size_t flyingBefore = game->flyingBlocks().size();
                float x = 0, y = 0;
                game->gameCamera()->projectToWindow(
                    game->cellPosition(random(0, columns - 1), random(0, rows - 1)), &x, &y);
                pressButton(int16_t(x), int16_t(y));
                const int gone = before - game->board.blockCount();
                ASSERT_EQ(game->flyingBlocks().size(), flyingBefore + size_t(gone));
                onBoard -= gone;
            }
            // Drawn now and then only: the rules are what this plays through.
            if (frame % 50 == 0) {
                app().frame(random(1, 100));
            } else {
                game->update(random(1, 100));
            }
            ASSERT_EQ(game->board.blockCount(), onBoard) << "frame " << frame;
            ASSERT_GE(game->score(), lastScore);
            lastScore = game->score();
            std::set<const Box*> seen;
            for (const auto& flyer : game->flyingBlocks())
                ASSERT_TRUE(seen.insert(flyer.get()).second);
            for (int c = 0; c < columns; ++c)
                for (int r = 0; r < rows; ++r) {
                    const Box* block = game->blockAt(c, r);
                    if (!block) continue;
                    ASSERT_TRUE(seen.insert(block).second) << "a block in two places";
                    if (block->motion == Box::kResting) {
                        ASSERT_EQ(block->position(), game->cellPosition(c, r));
                    }
                }
        }
        EXPECT_GT(game->score(), 0) << "the bot removed something";
        app().retireScreen(game);
        app().setActiveScreen(kScreenMenu);
    }
    difficulty = Difficulty::Normal;
}

}  // namespace
}  // namespace brx::gametest
