// The high-score screen in the real shell: a finished game handed over by Escape, the name
// entry (first key kept, Enter closing the field from inside its own notification, Escape and
// Done filing the result), results that do not enter, and paging through the modes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/ConfigFile.h"
#include "game/BrixelRemover.h"
#include "game/GameVariables.h"
#include "screens/NameField.h"
#include "screens/Score.h"
#include "screens/ScoreTable.h"
#include "sound/MusicPlaylist.h"
#include "sound/SoundManager.h"
#include "tests/screens/WindowlessShell.h"

namespace brx {
namespace {

using screentest::StandIn;

// The menu and game playlists registered with the sound manager while it lives.
struct RegisteredPlaylists {
    RegisteredPlaylists(MusicPlaylist* menu, MusicPlaylist* game) {
        SoundManager::instance().addPlaylist(SoundManager::kPlaylistMenu, menu);
        SoundManager::instance().addPlaylist(SoundManager::kPlaylistGame, game);
    }
    ~RegisteredPlaylists() {
        SoundManager::instance().addPlaylist(SoundManager::kPlaylistMenu, nullptr);
        SoundManager::instance().addPlaylist(SoundManager::kPlaylistGame, nullptr);
    }
};

class ScoreScreenTest : public screentest::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        if (IsSkipped()) return;
        screentest::linkGameArchive(folder);
        startShell();
        const char* files[] = {"Data\\TRemover.Kv",  "Data\\TClassic.Kv", "Data\\TStrategy.Kv",
                               "Data\\TAdvanced.Kv", "Data\\TModern.Kv",  "Data\\TPuzzle.Kv"};
        tables.reserve(6);
        for (const char* file : files) {
            tables.emplace_back("", file);
            tables.back().reset();
        }
        score = new Score(tables);
        shell->addScreen(score);
        selection = new StandIn(kScreenSelectGame);
        shell->addScreen(selection);
    }
    void TearDown() override {
        ScreenTest::TearDown();
        currentGame = nullptr;
        gameState = linePhase = resumeState = 0;
        difficulty = Difficulty::Normal;
    }

    // A Remover game that has just been lost with `points`, active, as play leaves it.
    BrixelRemover* lostGame(int points) {
        auto* game = new BrixelRemover();
        currentGame = game;
        shell->addScreen(game);
        shell->setActiveScreen(kScreenGame);
        game->addScore(points);
        // As a mode's end test leaves them; leaving the screen then starts the outro.
        gameState = GameState::GameOver;
        resumeState = ResumeState::GameOver;
        return game;
    }
    void typeText(const std::string& text) {
        for (char c : text) {
            InputEvent event;
            event.type = kInputCharacter;
            event.key = uint16_t(static_cast<unsigned char>(c));
            shell->onEvent(event);
        }
    }
    bool listed(const ORenderWindow* screen) const {
        const auto& list = shell->screens();
        return std::find(list.begin(), list.end(), screen) != list.end();
    }

    std::vector<ScoreTable> tables;
    Score* score = nullptr;
    StandIn* selection = nullptr;
};

TEST_F(ScoreScreenTest, LostGameIsRetiredAndTheNameTypedFromTheFirstKeyIsFiled) {
    MusicPlaylist menuMusic, gameMusic;
    SoundManager& sound = SoundManager::instance();
    RegisteredPlaylists registered(&menuMusic, &gameMusic);
    BrixelRemover* game = lostGame(420);
    sound.selectPlaylist(SoundManager::kPlaylistGame);
    ASSERT_TRUE(shell->pressKey(kKeyEscape)) << "Escape after game over leaves the game";
    EXPECT_EQ(OApplication::activeScreen(), score);
    EXPECT_EQ(currentGame, nullptr);
    EXPECT_FALSE(listed(game)) << "the finished game is deleted";
    ASSERT_NE(score->nameField(), nullptr);
    EXPECT_EQ(score->pendingScore(), 420);
    EXPECT_EQ(sound.currentPlaylist(), &menuMusic) << "the menu music is back";

    typeText("Zed Q");
    EXPECT_EQ(score->nameField()->text(), "Zed Q") << "the first key counts";
    shell->pressKey(kKeyEnter);
    EXPECT_EQ(score->nameField(), nullptr) << "Enter closes the field once its event is over";
    EXPECT_TRUE(Score::resultEntered);
    EXPECT_EQ(OApplication::activeScreen(), score) << "the screen stays after Enter";
    EXPECT_EQ(tables[0].entry(0).name, "Zed Q");
    EXPECT_EQ(tables[0].entry(0).difficulty, "Normal");

    ScoreTable reread{"", "Data\\TRemover.Kv"};
    ASSERT_TRUE(reread.load());
    EXPECT_EQ(reread.entry(0).name, "Zed Q");
    EXPECT_EQ(reread.count(), 10u);

    shell->clickAt(480, 25);  // Done
    EXPECT_EQ(OApplication::activeScreen(), selection);

    // The next result starts from the name typed before.
    lostGame(500);
    shell->pressKey(kKeyEscape);
    ASSERT_NE(score->nameField(), nullptr);
    EXPECT_EQ(score->nameField()->text(), "Zed Q");
}

TEST_F(ScoreScreenTest, EscapeDuringNameEntryFilesSpacesAsUnknownPlayer) {
    difficulty = Difficulty::Easy;  // what the game was built with
    lostGame(77);
    // Changed in the options while the game ran: the result still counts as the game's own.
    SystemSettings::instance().difficultyLevel = Difficulty::Impossible;
    shell->pressKey(kKeyEscape);
    ASSERT_NE(score->nameField(), nullptr);
    typeText("\xe9 \xff  ");
    EXPECT_EQ(score->nameField()->text(), "   ") << "characters the font lacks are dropped";
    EXPECT_TRUE(shell->pressKey(kKeyEscape));
    EXPECT_EQ(OApplication::activeScreen(), selection);
    EXPECT_EQ(tables[0].entry(0).name, "Unknown Player");
    EXPECT_EQ(tables[0].entry(0).score, 77);
    EXPECT_EQ(tables[0].entry(0).difficulty, "Easy");
    EXPECT_EQ(score->nameField(), nullptr) << "leaving drops the field";
}

TEST_F(ScoreScreenTest, DoneDuringNameEntryFilesTheTypedName) {
    lostGame(60);
    shell->pressKey(kKeyEscape);
    typeText("Kim");
    shell->clickAt(480, 25);  // Done
    EXPECT_EQ(OApplication::activeScreen(), selection);
    EXPECT_EQ(tables[0].entry(0).name, "Kim");
    EXPECT_EQ(score->nameField(), nullptr);
}

TEST_F(ScoreScreenTest, ResultsThatDoNotEnterGoStraightToGameSelection) {
    lostGame(0);
    shell->pressKey(kKeyEscape);
    EXPECT_EQ(OApplication::activeScreen(), selection);
    EXPECT_EQ(currentGame, nullptr);
    EXPECT_EQ(tables[0].entry(0).name, "...");

    for (int i = 0; i < 10; ++i) tables[0].insert("Old", 300, "Hard");
    lostGame(300);
    shell->pressKey(kKeyEscape);
    EXPECT_EQ(OApplication::activeScreen(), selection) << "a tie with a full table stays out";
    EXPECT_EQ(score->nameField(), nullptr);
}

TEST_F(ScoreScreenTest, PracticeGameIsRetiredWithoutReachingTheTable) {
    BrixelRemover* game = lostGame(5000);
    game->markPractice();
    shell->pressKey(kKeyEscape);
    EXPECT_EQ(OApplication::activeScreen(), selection) << "no name is asked for";
    EXPECT_EQ(score->nameField(), nullptr);
    EXPECT_EQ(currentGame, nullptr);
    EXPECT_FALSE(listed(game)) << "the finished game is deleted all the same";
    for (size_t i = 0; i < tables[0].count(); ++i) EXPECT_NE(tables[0].entry(i).score, 5000);

    lostGame(5000);  // the same result, ranked, does enter
    shell->pressKey(kKeyEscape);
    EXPECT_NE(score->nameField(), nullptr);
}

TEST_F(ScoreScreenTest, BrowsingPagesStopAtTheFirstAndLastMode) {
    shell->setActiveScreen(kScreenHighScores);
    EXPECT_EQ(score->currentMode(), 0);
    EXPECT_EQ(score->nameField(), nullptr);
    shell->clickAt(230, 20);  // Prev
    EXPECT_EQ(score->currentMode(), 0);
    for (int i = 0; i < 8; ++i) shell->clickAt(360, 20);  // Next
    EXPECT_EQ(score->currentMode(), Score::kHighestMode);
    shell->clickAt(480, 25);  // Done without a result: the menu
    EXPECT_EQ(OApplication::activeScreen(), menu);
}

TEST_F(ScoreScreenTest, DamagedTableStillShows) {
    std::string bytes = "Good 50 Easy\nBad 9999999999999 Hard\n";
    scrambleRolling(bytes);
    folder.writeFile("Data/TClassic.Kv", bytes);
    ASSERT_TRUE(tables[1].load());
    shell->setActiveScreen(kScreenHighScores);
    shell->clickAt(360, 20);
    ASSERT_EQ(score->currentMode(), 1);
    shell->step(16);
    shell->saveScreenshot("score-damaged-table");
    EXPECT_EQ(tables[1].count(), 1u);
}

}  // namespace
}  // namespace brx
