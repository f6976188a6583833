// The high-score screen in the real shell: a finished game handed over by Escape, the name
// entry (first key kept, Enter closing the field from inside its own notification, Escape and
// Done filing the result), results that do not enter, and paging through the modes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/ConfigFile.h"
#include "game/BrixelRemover.h"
#include "game/GameMessages.h"
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
        gameState = linePhase = resumeState = 0;
        difficulty = Difficulty::Normal;
    }

    // A Remover game that has just been lost with `points`, active, as play leaves it: one
    // block left, which the mode's own end test finds to be no move.
    BrixelRemover* lostGame(int points) {
        auto* game = new BrixelRemover();
        currentGame = game;
        shell->addScreen(game);
        shell->setActiveScreen(kScreenGame);
        game->addScore(points);
        game->clearBoard();
        game->placeBlock(0, rows - 1, game->newBlock(false));
        gameState = GameState::Playing;
        EXPECT_TRUE(game->checkEnd());
        return game;
    }
    // Pixels of the window in the band of table row i, from the rank to the end of the score.
    static std::vector<uint8_t> rowBand(int i) {
        return testsupport::readPixels(kBandLeft, kFirstRowY - kRowStep * i, kBandWidth, kRowStep);
    }
    static constexpr int kFirstRowY = 475;
    static constexpr int kRowStep = 24;
    static constexpr int kBandLeft = 150;
    static constexpr int kBandWidth = 500;
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
    EXPECT_EQ(sound.currentPlaylist(), &gameMusic) << "the music is left as the game left it";

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

TEST_F(ScoreScreenTest, AnEndingGameIsToldTheRankItsResultWillTake) {
    for (int points : {900, 500, 100}) tables[0].insert("Earlier", points, "Normal");
    ASSERT_TRUE(GameMessages::hasRankLookup());
    GameMessages messages;
    messages.observe({GameState::Playing, 1, GameMode::Remover, 0});
    messages.observe({GameState::GameOver, 1, GameMode::Remover, 450});
    ASSERT_EQ(messages.posted().size(), 2u);
    EXPECT_EQ(messages.posted()[1], GameMessages::rankText(3));
    EXPECT_EQ(tables[0].insert("Now", 450, "Normal") + 1, 3) << "filed where it was announced";
    // Another mode's table is asked for another mode's result.
    GameMessages puzzle;
    puzzle.observe({GameState::LevelComplete, 4, GameMode::Puzzle, 450});
    EXPECT_EQ(puzzle.posted().back(), GameMessages::rankText(1));
    shell.reset();
    EXPECT_FALSE(GameMessages::hasRankLookup()) << "no hook into a deleted screen";
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

TEST_F(ScoreScreenTest, AnUnderscoreIsRefusedSoTheNameReadsBackAsTyped) {
    lostGame(90);
    shell->pressKey(kKeyEscape);
    ASSERT_NE(score->nameField(), nullptr);
    typeText("Ann_Lee B");
    EXPECT_EQ(score->nameField()->text(), "AnnLee B") << "the table keeps spaces as \"_\"";
    shell->clickAt(480, 25);  // Done
    ScoreTable reread{"", "Data\\TRemover.Kv"};
    ASSERT_TRUE(reread.load());
    EXPECT_EQ(reread.entry(0).name, "AnnLee B");
    EXPECT_EQ(reread.entry(0).score, 90);
}

TEST_F(ScoreScreenTest, AResultThatStaysOutIsShownThenDoneGoesToGameSelection) {
    lostGame(0);
    shell->pressKey(kKeyEscape);
    EXPECT_EQ(OApplication::activeScreen(), score);
    EXPECT_EQ(currentGame, nullptr);
    EXPECT_EQ(score->nameField(), nullptr);
    EXPECT_TRUE(score->showsResult());
    EXPECT_EQ(score->shownScore(), 0);
    EXPECT_EQ(score->pointsToEnter(), 1) << "a fresh table takes any points";
    shell->pressKey(kKeyEscape);
    EXPECT_EQ(OApplication::activeScreen(), selection);
    EXPECT_EQ(tables[0].entry(0).name, "...");

    for (int i = 0; i < 10; ++i) tables[0].insert("Old", 300 + i, "Hard");
    lostGame(300);
    shell->pressKey(kKeyEscape);
    EXPECT_EQ(score->nameField(), nullptr) << "a tie with the last row stays out";
    ASSERT_TRUE(score->showsResult());
    EXPECT_EQ(score->shownScore(), 300);
    EXPECT_EQ(score->pointsToEnter(), 301);
    shell->step(16);
    shell->saveScreenshot("score-result-stays-out");
    shell->clickAt(480, 25);  // Done
    EXPECT_EQ(OApplication::activeScreen(), selection);
    EXPECT_EQ(tables[0].entry(9).name, "Old");
    EXPECT_FALSE(score->showsResult());
}

TEST_F(ScoreScreenTest, NameEntryShowsTheRankTheScoreWouldTake) {
    tables[0].insert("Ann", 500, "Hard");
    tables[0].insert("Bob", 100, "Hard");
    lostGame(100);
    shell->pressKey(kKeyEscape);
    ASSERT_NE(score->nameField(), nullptr);
    EXPECT_EQ(score->rankOf(100), 3) << "below the equal older score";
    EXPECT_EQ(score->rankOf(501), 1);
    typeText("Cy");
    shell->step(16);
    shell->saveScreenshot("score-name-entry-rank");
    shell->pressKey(kKeyEnter);
    EXPECT_EQ(tables[0].entry(2).name, "Cy");
}

// The program ends on this screen: what the field holds is filed as Done would file it, and
// the file in the folder holds it.
TEST_F(ScoreScreenTest, EndingDuringNameEntryFilesTheTypedNameOrUnknownPlayer) {
    lostGame(640);
    shell->pressKey(kKeyEscape);
    typeText("Dee");
    score->fileBeforeQuit();
    ScoreTable reread{"", "Data\\TRemover.Kv"};
    ASSERT_TRUE(reread.load());
    EXPECT_EQ(reread.entry(0).name, "Dee");
    EXPECT_EQ(reread.entry(0).score, 640);
    score->fileBeforeQuit();
    ASSERT_TRUE(reread.load());
    EXPECT_EQ(reread.entry(1).score, 0) << "filed once";

    shell->setActiveScreen(kScreenSelectGame);
    lostGame(50);
    shell->pressKey(kKeyEscape);
    ASSERT_NE(score->nameField(), nullptr);
    for (int i = 0; i < 3; ++i) shell->pressKey(kKeyBackspace);  // the field offered "Dee"
    score->fileBeforeQuit();
    ASSERT_TRUE(reread.load());
    EXPECT_EQ(reread.entry(1).name, "Unknown Player");
    EXPECT_EQ(reread.entry(1).score, 50);
}

TEST_F(ScoreScreenTest, LeavingNameEntryWithoutDoneStillFilesTheResult) {
    lostGame(75);
    shell->pressKey(kKeyEscape);
    typeText("Eve");
    shell->setActiveScreen(kScreenMenu);  // a shortcut elsewhere
    EXPECT_EQ(tables[0].entry(0).name, "Eve");
    EXPECT_EQ(tables[0].entry(0).score, 75);
}

// A finished game the screen has not taken yet (its game-over picture still shows).
TEST_F(ScoreScreenTest, EndingBeforeAFinishedGameWasTakenFilesItUnderTheNameOnOffer) {
    lostGame(90);
    score->fileBeforeQuit();
    EXPECT_EQ(tables[0].entry(0).name, "Unknown Player");
    EXPECT_EQ(tables[0].entry(0).score, 90);
    ScoreTable reread{"", "Data\\TRemover.Kv"};
    ASSERT_TRUE(reread.load());
    EXPECT_EQ(reread.entry(0).score, 90);
    shell->pressKey(kKeyEscape);  // takes this one into name entry
    typeText("Flo");
    shell->pressKey(kKeyEnter);

    lostGame(95);
    score->fileBeforeQuit();
    EXPECT_EQ(tables[0].entry(0).name, "Flo") << "the name the field would have offered";

    for (int i = 0; i < 10; ++i) tables[0].insert("Old", 1000, "Hard");
    lostGame(20);
    gameState = GameState::Playing;
    linePhase = LinePhase::Idle;
    resumeState = ResumeState::Normal;
    currentGame->addScore(5000);
    score->fileBeforeQuit();
    EXPECT_EQ(tables[0].entry(0).score, 1000) << "a game in progress is no result";
}

TEST_F(ScoreScreenTest, PracticeGameIsRetiredWithoutReachingTheTable) {
    BrixelRemover* game = lostGame(5000);
    game->markPractice();
    shell->pressKey(kKeyEscape);
    EXPECT_EQ(score->nameField(), nullptr) << "no name is asked for";
    EXPECT_TRUE(score->showsPractice()) << "the final score is shown, marked as practice";
    EXPECT_EQ(score->shownScore(), 5000);
    shell->pressKey(kKeyEscape);
    EXPECT_EQ(OApplication::activeScreen(), selection);
    EXPECT_EQ(currentGame, nullptr);
    EXPECT_FALSE(listed(game)) << "the finished game is deleted all the same";
    for (size_t i = 0; i < tables[0].count(); ++i) EXPECT_NE(tables[0].entry(i).score, 5000);

    lostGame(6000)->markPractice();
    score->fileBeforeQuit();  // the program ends before the screen took it
    for (size_t i = 0; i < tables[0].count(); ++i)
        EXPECT_NE(tables[0].entry(i).score, 6000) << "nor is it filed on the way out";

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

TEST_F(ScoreScreenTest, DamagedTableShowsTheRowsBeforeTheDamageAndNothingAfter) {
    std::string bytes = "Good 50 Easy\nBad 9999999999999 Hard\nLate 40 Hard\n";
    scrambleRolling(bytes);
    folder.writeFile("Data/TClassic.Kv", bytes);
    ASSERT_TRUE(tables[1].load());
    ASSERT_EQ(tables[1].count(), 1u);
    shell->setActiveScreen(kScreenHighScores);
    shell->clickAt(360, 20);
    ASSERT_EQ(score->currentMode(), 1);
    shell->step(16);
    shell->saveScreenshot("score-damaged-table");
    const std::vector<uint8_t> first = rowBand(0), second = rowBand(1);
    // The surviving row's score stands in yellow in its column.
    const std::vector<uint8_t> scoreColumn =
        testsupport::readPixels(540, kFirstRowY, 100, kRowStep);
    int yellow = 0;
    for (size_t p = 0; p + 3 < scoreColumn.size(); p += 4)
        yellow += scoreColumn[p] > 150 && scoreColumn[p + 1] > 150 && scoreColumn[p + 2] < 100;
    EXPECT_GT(yellow, 10) << "the score of the row that survived is not shown";

    // The same screen over a table that lost every row: the first band loses its text, the
    // second was empty already.
    folder.writeFile("Data/TClassic.Kv", "");
    ASSERT_TRUE(tables[1].load());
    ASSERT_EQ(tables[1].count(), 0u);
    shell->step(16);
    EXPECT_NE(rowBand(0), first) << "the row that survived is not drawn";
    EXPECT_EQ(rowBand(1), second) << "something is drawn after the damaged row";
}

}  // namespace
}  // namespace brx
