// Sounds of Classic heard through SDL's disk audio driver: the finishing fill's loop plays while
// the fill runs and stops at its end or when the game is deleted mid-fill, and a bonus fired by
// a click is heard through its own sound, not the group sound.
#include <cstring>

#include "game/BonusChooser.h"
#include "platform/Platform.h"
#include "sound/SoundManager.h"
#include "tests/game/ClassicTestKit.h"
#include "tests/support/DiskAudio.h"

namespace brx {
namespace {

using testkit::OpenClassic;

ResourceBuffer toneBuffer(int durationMs, float frequencyHz) {
    const std::string bytes = testsupport::makeToneWav(durationMs, frequencyHz);
    ResourceBuffer buffer;
    buffer.bytes = std::make_unique<uint8_t[]>(bytes.size() + 1);
    std::memcpy(buffer.bytes.get(), bytes.data(), bytes.size());
    buffer.size = bytes.size();
    return buffer;
}

class ClassicSound : public testkit::LineModeGL {
protected:
    void SetUp() override {
        LineModeGL::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        if (!sound.init()) GTEST_SKIP() << "no disk audio driver";
        sound.applySettings(true, 255, 255, false);
    }
    void TearDown() override {
        LineModeGL::TearDown();
        sound.close();
    }

    // A Classic game whose board is empty but for the bottom row, in the finishing fill.
    OpenClassic& gameInFill() {
        OpenClassic& game = start<OpenClassic>(0, 8);
        holdStill(game);
        game.clearBoard();
        for (int c = 0; c < columns; ++c) testkit::put(game, c, rows - 1, Box::kRed);
        gameState = GameState::LevelComplete;
        return game;
    }

    testsupport::DiskAudio output;
    SoundManager& sound = SoundManager::instance();
};

TEST_F(ClassicSound, TheFillLoopPlaysWhileTheFillRunsAndStopsAtItsEnd) {
    sound.loadSampleFromMemory(Game::kSoundFillLoop, toneBuffer(300, 440.0f), true);
    OpenClassic& game = gameInFill();
    game.update(10);
    const int channel = game.levelSoundChannel;
    ASSERT_GE(channel, 1);
    EXPECT_TRUE(platform::isChannelPlaying(channel));
    EXPECT_TRUE(output.becomesAudible());
    for (int i = 0; i < 20; ++i) game.update(40);
    EXPECT_EQ(game.levelSoundChannel, channel) << "started once";
    int frames = 0;
    while (gameState == GameState::LevelComplete && frames++ < 5000) game.update(40);
    ASSERT_EQ(gameState, GameState::Playing);
    EXPECT_EQ(game.levelSoundChannel, -1);
    EXPECT_FALSE(platform::isChannelPlaying(channel));
    EXPECT_TRUE(output.staysSilent());
}

TEST_F(ClassicSound, DeletingTheGameDuringItsFillStopsTheLoop) {
    sound.loadSampleFromMemory(Game::kSoundFillLoop, toneBuffer(300, 440.0f), true);
    OpenClassic& game = gameInFill();
    for (int i = 0; i < 5; ++i) game.update(40);
    const int channel = game.levelSoundChannel;
    ASSERT_GE(channel, 1);
    ASSERT_TRUE(platform::isChannelPlaying(channel));
    games.clear();
    EXPECT_FALSE(platform::isChannelPlaying(channel));
    EXPECT_TRUE(output.staysSilent());
    // Whatever the next game does with the channels, nothing of the old fill comes back.
    sound.pauseAll(false);
    EXPECT_TRUE(output.staysSilent());
}

TEST_F(ClassicSound, AFillWhoseLoopCannotPlayStillRunsToItsEnd) {
    OpenClassic& game = gameInFill();  // sample 104 never loaded: no channel
    int frames = 0;
    while (gameState == GameState::LevelComplete && frames++ < 5000) {
        game.update(40);
        EXPECT_EQ(game.levelSoundChannel, -1);
    }
    EXPECT_EQ(gameState, GameState::Playing);
    EXPECT_FALSE(game.fillSoundRunning());
    EXPECT_EQ(game.score(), (rows - 2) * columns + 100 * (rows - 2));
}

TEST_F(ClassicSound, AFiredBonusIsHeardThroughItsOwnSoundNotTheGroupSound) {
    OpenClassic& game = start<OpenClassic>(0, 9);
    holdStill(game);
    // Only the group sound exists: firing a row remover stays silent.
    sound.loadSampleFromMemory(Game::kSoundRemoved, toneBuffer(400, 600.0f), false);
    testkit::putBonus(game, 3, rows - 1, BonusChooser::kRowRemover);
    game.selection = {{3, rows - 1}};
    game.click();
    EXPECT_TRUE(output.staysSilent());
    // With the remover's own sound it is heard.
    sound.loadSampleFromMemory(110, toneBuffer(400, 700.0f), false);
    testkit::settle(game, 20);
    testkit::putBonus(game, 5, rows - 1, BonusChooser::kRowRemover);
    game.selection = {{5, rows - 1}};
    game.click();
    EXPECT_TRUE(output.becomesAudible());
}

}  // namespace
}  // namespace brx
