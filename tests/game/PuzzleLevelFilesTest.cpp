// The level files as the game reads them: the shipped files, and damaged ones (short and long
// board lists, junk, missing keys, impossible counts) that must never be read past their end
// and must name the file in the log.
#include <gtest/gtest.h>

#include <string>

#include "core/DataManifest.h"
#include "core/ErrorLog.h"
#include "core/ResourceArchive.h"
#include "game/LevelFiles.h"
#include "tests/support/TempDir.h"

namespace brx {
namespace {

// Sends the process-wide log to a file of a temporary folder for one test.
class LoggedTest : public ::testing::Test {
protected:
    void SetUp() override { ErrorLog::instance().start((dir.path() / "Report.html").string()); }
    void TearDown() override { ErrorLog::instance().start(""); }
    std::string log() const { return dir.readFile("Report.html"); }

    testsupport::TempDir dir;
};

LevelFiles::Layout parse(const std::string& name, const std::string& text) {
    return LevelFiles::parseLayout(name, text.data(), text.size());
}

std::string boardText(int values, int value) {
    std::string text = "Data=\"";
    for (int i = 0; i < values; ++i) text += (i ? "," : "") + std::to_string(value);
    return text + "\"\n";
}

using LevelFilesTest = LoggedTest;

TEST_F(LevelFilesTest, ShortListLeavesTheRestEmptyAndNamesTheFile) {
    const LevelFiles::Layout layout = parse("Data/Levels/Puzzle.3.Cfg", boardText(13, 7));
    EXPECT_EQ(layout.at(11, 0), 7);
    EXPECT_EQ(layout.at(0, 1), 7);
    EXPECT_EQ(layout.at(1, 1), LevelFiles::kEmptyCell);
    EXPECT_EQ(layout.at(11, 15), LevelFiles::kEmptyCell);
    EXPECT_NE(log().find("Data/Levels/Puzzle.3.Cfg"), std::string::npos);
    EXPECT_NE(log().find("13 of 192"), std::string::npos);
}

TEST_F(LevelFilesTest, LongListIsCutAtTheBoardsEnd) {
    const LevelFiles::Layout layout = parse("Data/Levels/Adv.2.Cfg", boardText(500, 3));
    EXPECT_EQ(layout.at(11, 15), 3);
    EXPECT_EQ(layout.at(12, 15), LevelFiles::kEmptyCell);  // outside reads as empty
    EXPECT_EQ(layout.at(0, 16), LevelFiles::kEmptyCell);
    EXPECT_EQ(layout.at(-1, 0), LevelFiles::kEmptyCell);
    EXPECT_NE(log().find("Data/Levels/Adv.2.Cfg"), std::string::npos);
}

TEST_F(LevelFilesTest, ExactListLogsNothing) {
    const int before = ErrorLog::instance().errorCount();
    const LevelFiles::Layout layout = parse("ok", boardText(192, 2));
    EXPECT_EQ(layout.at(5, 9), 2);
    EXPECT_EQ(ErrorLog::instance().errorCount(), before);
}

TEST_F(LevelFilesTest, JunkMissingKeysAndEmptyListsGiveEmptyBoards) {
    const std::string damaged[] = {"",
                                   "Data=",
                                   "Other=\"1,2,3\"\n",
                                   "\x01\x02\xff garbage",
                                   "Data=\",,,,\"\n",
                                   "Data=\"x,y,z\"\n"};
    for (const std::string& text : damaged) {
        const LevelFiles::Layout layout = parse("Data/Levels/Bad.Cfg", text);
        for (int value : layout.values()) EXPECT_EQ(value, 0) << text;
    }
    EXPECT_NE(log().find("Data/Levels/Bad.Cfg"), std::string::npos);
}

TEST_F(LevelFilesTest, CountsThatAreMissingOrNegativeAreZero) {
    const std::string text = "Puzzle=-4\n";
    const LevelFiles::Counts counts = LevelFiles::parseCounts("Levels", text.data(), text.size());
    EXPECT_EQ(counts.puzzles, 0);
    EXPECT_EQ(counts.advanced, 0);
    EXPECT_NE(log().find("Advanced"), std::string::npos);
    const std::string good = "Puzzle=1\nAdvanced=0\n";
    const LevelFiles::Counts read = LevelFiles::parseCounts("Levels", good.data(), good.size());
    EXPECT_EQ(read.puzzles, 1);
    EXPECT_EQ(read.advanced, 0);
}

TEST_F(LevelFilesTest, MissingArchiveFileGivesAnEmptyBoard) {
    ASSERT_TRUE(ResourceArchive::instance().open());
    const LevelFiles::Layout layout = LevelFiles::readLayout("Data/Levels/Puzzle.999.Cfg");
    for (int value : layout.values()) EXPECT_EQ(value, 0);
    EXPECT_TRUE(LevelFiles::readSolution("Data/Levels/Puzzle.999.Cfg").empty());
    EXPECT_NE(log().find("Puzzle.999"), std::string::npos);
}

TEST(LevelFilesShipped, EveryShippedFileHoldsAFullBoardAndTheCountsMatch) {
    ASSERT_TRUE(ResourceArchive::instance().open());
    const LevelFiles::Counts counts = LevelFiles::readCounts();
    EXPECT_EQ(counts.puzzles, DataManifest::kPuzzleLevelCount);
    EXPECT_EQ(counts.advanced, DataManifest::kAdvancedLevelCount);
    const int before = ErrorLog::instance().errorCount();
    for (int i = 1; i <= counts.puzzles; ++i) {
        const std::string name = DataManifest::puzzleLevelFile(i);
        LevelFiles::readLayout(name);
        EXPECT_FALSE(LevelFiles::readSolution(name).empty()) << name;
    }
    for (int i = 1; i <= counts.advanced; ++i) {
        const LevelFiles::Layout layout =
            LevelFiles::readLayout(DataManifest::advancedLevelFile(i));
        for (int value : layout.values()) EXPECT_TRUE(value == 0 || value == 7);
    }
    EXPECT_EQ(ErrorLog::instance().errorCount(), before);
}

}  // namespace
}  // namespace brx
