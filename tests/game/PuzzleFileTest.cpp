// Puzzle files that cannot be played, in an archive made from the real one: a damaged file, a
// missing one and one that deals only fixed blocks. None may end as a solved (or lost) puzzle:
// the game says so, logs the file, and returns to game selection with no result for the high
// scores; a key leaves at once. A sound puzzle of the same archive still plays.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/DataManifest.h"
#include "core/ErrorLog.h"
#include "core/ResourceArchive.h"
#include "game/BrixelPuzzle.h"
#include "game/NoticeBand.h"
#include "tests/game/GameTestKit.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/PngFile.h"
#include "tests/support/TempDir.h"

namespace brx::gametest {
namespace {

constexpr int kDamaged = 2;
constexpr int kMissing = 3;
constexpr int kOnlyFixed = 4;
constexpr int kFrameMs = 50;

std::string onlyFixedBlocks() {
    std::string values;
    for (int i = 0; i < 12 * 16; ++i) values += i ? ",7" : "7";
    return "Data=" + values + "\n";
}

class PuzzleFileTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        if (IsSkipped()) return;
        selection = new ORenderWindow(kScreenSelectGame);
        app().addScreen(selection);
        ResourceArchive& archive = ResourceArchive::instance();
        realArchive = archive.path();
        testsupport::ArchiveBuilder builder;
        for (const auto& [key, entry] : archive.directory()) {
            const std::string& name = entry.storedName;
            if (name == puzzleFile(kDamaged) || name == puzzleFile(kMissing) ||
                name == puzzleFile(kOnlyFixed))
                continue;
            const ResourceBuffer buffer = archive.readFile(name);
            ASSERT_TRUE(buffer) << name;
            builder.add(name, std::string(buffer.text(), buffer.size));
        }
        builder.add(puzzleFile(kDamaged), std::string("\x01\xff"
                                                      "Data",
                                                      6) +
                                              "\n=,,\x02");
        builder.add(puzzleFile(kOnlyFixed), onlyFixedBlocks());
        ASSERT_TRUE(builder.install(folder));
        ErrorLog::instance().start((folder.path() / "Report.html").string());
    }
    void TearDown() override {
        if (!realArchive.empty()) ResourceArchive::instance().open(realArchive);
        ErrorLog::instance().start("");
        GameTest::TearDown();
    }

    static std::string puzzleFile(int number) { return DataManifest::puzzleLevelFile(number); }
    std::string log() const {
        std::ifstream file(folder.path() / "Report.html");
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    // Starts the puzzle as game selection does; it plays its intro from here.
    BrixelPuzzle* startPuzzle(int number) {
        auto* puzzle = new BrixelPuzzle;
        puzzle->levelIndex = number;
        currentGame = puzzle;
        app().addScreen(puzzle);
        app().setActiveScreen(kScreenGame);
        return puzzle;
    }
    bool listed(const ORenderWindow* screen) const {
        for (const ORenderWindow* listedScreen : testRun().app.screens())
            if (listedScreen == screen) return true;
        return false;
    }

    testsupport::TempDir folder;
    std::string realArchive;
    ORenderWindow* selection = nullptr;
};

TEST_F(PuzzleFileTest, AnUnplayablePuzzleIsNeverWonAndReturnsToGameSelection) {
    for (const int number : {kDamaged, kMissing, kOnlyFixed}) {
        SCOPED_TRACE("puzzle " + std::to_string(number));
        BrixelPuzzle* puzzle = startPuzzle(number);
        ASSERT_TRUE(puzzle->unplayable());
        EXPECT_NE(log().find(puzzleFile(number)), std::string::npos) << "the log names the file";
        constexpr int kIntroAllowanceMs = 5000;
        const int limitFrames = (BrixelPuzzle::kNoticeMs + kIntroAllowanceMs) / kFrameMs;
        int frames = 0;
        for (; frames < limitFrames && OApplication::activeScreen() == puzzle; ++frames) {
            app().frame(kFrameMs);
            ASSERT_NE(gameState, GameState::LevelComplete) << "frame " << frames;
            ASSERT_NE(gameState, GameState::GameOver) << "frame " << frames;
            ASSERT_NE(linePhase, LinePhase::Finished) << "frame " << frames;
        }
        EXPECT_GE(frames * kFrameMs, BrixelPuzzle::kNoticeMs) << "the notice shows a while";
        EXPECT_EQ(OApplication::activeScreen(), selection);
        EXPECT_EQ(scores->takenScore, -1) << "no result for the high scores";
        EXPECT_EQ(currentGame, nullptr);
        EXPECT_FALSE(listed(puzzle)) << "the unplayable game is gone";
    }
}

// The notice is drawn over the board: light text on a dark band (the picture is left in the
// build tree to look at, puzzle-notice.png).
TEST_F(PuzzleFileTest, TheNoticeShowsOverTheBoard) {
    BrixelPuzzle* puzzle = startPuzzle(kMissing);
    for (int i = 0; i < 40; ++i) app().frame(kFrameMs);
    ASSERT_EQ(OApplication::activeScreen(), puzzle);
    const auto bandPixels = [] {
        // The middle of the band, inside the board's rails.
        return testsupport::readPixels(240, int(NoticeBand::kCentreY) - 40, 320, 80);
    };
    const auto brightPixels = [](const std::vector<uint8_t>& rgba) {
        int count = 0;
        for (size_t i = 0; i + 3 < rgba.size(); i += 4)
            count += rgba[i] > 200 && rgba[i + 1] > 200 && rgba[i + 2] > 200;
        return count;
    };
    puzzle->draw();
    const std::vector<uint8_t> frame = testsupport::readPixels(0, 0, 800, 600);
    testsupport::writePng(std::string(BRX_BINARY_DIR) + "/puzzle-notice.png", frame, 800, 600);
    EXPECT_GT(brightPixels(bandPixels()), 500) << "the notice's text shows";
    puzzle->BrixelRemover::draw();
    EXPECT_LT(brightPixels(bandPixels()), 50) << "the empty board alone has no such text";
}

TEST_F(PuzzleFileTest, AKeyLeavesAnUnplayablePuzzleAtOnceWhileASoundOneStillPlays) {
    BrixelPuzzle* broken = startPuzzle(kMissing);
    app().frame(kFrameMs);
    pressKey(kKeyEscape);
    app().frame(kFrameMs);
    EXPECT_EQ(OApplication::activeScreen(), selection);
    EXPECT_FALSE(listed(broken));

    BrixelPuzzle* sound = startPuzzle(1);
    EXPECT_FALSE(sound->unplayable());
    EXPECT_GT(sound->board.blockCount(), 0);
    for (int i = 0; i < 200; ++i) app().frame(kFrameMs);
    EXPECT_EQ(OApplication::activeScreen(), sound) << "a sound puzzle waits for its player";
}

}  // namespace
}  // namespace brx::gametest
