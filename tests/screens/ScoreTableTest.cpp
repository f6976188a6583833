// Score tables on disk: the scrambled round trip, the name rules, ties, short and overlong
// tables, damaged files and saves that replace the file in one step.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/ConfigFile.h"
#include "core/Random.h"
#include "screens/ScoreTable.h"
#include "tests/support/StuckReaderGuard.h"
#include "tests/support/TempDir.h"

namespace brx {
namespace {

class ScoreTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.enter();
        std::filesystem::create_directory(folder.path() / "Data");
    }

    // Writes a plain table text to the table's file, scrambled as the game writes it.
    void writePlain(std::string text) const {
        scrambleRolling(text);
        folder.writeFile("Data/TClassic.Kv", text);
    }
    std::string readPlain() const {
        std::string bytes = folder.readFile("Data/TClassic.Kv");
        scrambleRolling(bytes);
        return bytes;
    }
    std::vector<int> scores(const ScoreTable& table) const {
        std::vector<int> list;
        for (std::size_t i = 0; i < table.count(); ++i) list.push_back(table.entry(i).score);
        return list;
    }

    testsupport::TempDir folder;
    ScoreTable table{"Games/Classic.Tga", "Data\\TClassic.Kv"};
};

TEST_F(ScoreTableTest, MissingFileFailsAndResetWritesTenFreshRowsScrambled) {
    EXPECT_FALSE(table.load());
    table.reset();
    const std::string raw = folder.readFile("Data/TClassic.Kv");
    ASSERT_FALSE(raw.empty());
    EXPECT_EQ(raw.find("..."), std::string::npos) << "the file must be scrambled";
    std::string expected;
    for (int i = 0; i < 10; ++i) expected += "...\n0\n...\n";
    EXPECT_EQ(readPlain(), expected);

    ScoreTable again{"", "Data\\TClassic.Kv"};
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.count(), 10u);
    EXPECT_EQ(again.entry(9).name, "...");
}

TEST_F(ScoreTableTest, NamesWithSpacesRoundTripThroughUnderscores) {
    table.reset();
    EXPECT_EQ(table.insert("Ann Lee  Jr", 500, "Hard"), 0);
    EXPECT_EQ(readPlain().substr(0, 21), "Ann_Lee__Jr\n500\nHard\n");
    ScoreTable again{"", "Data\\TClassic.Kv"};
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.entry(0).name, "Ann Lee  Jr");
    EXPECT_EQ(again.entry(0).difficulty, "Hard");
    EXPECT_EQ(again.entry(0).score, 500);
    EXPECT_EQ(again.count(), 10u);
}

TEST_F(ScoreTableTest, NameRules) {
    EXPECT_EQ(ScoreTable::typedName("   "), "Unknown Player");
    EXPECT_EQ(ScoreTable::typedName(""), "Unknown Player");
    EXPECT_EQ(ScoreTable::typedName("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(ScoreTable::typedName("Zo\xe9\x01\x7f\xa0y"), "Zoy");
    EXPECT_EQ(ScoreTable::typedName("\t\n"), "Unknown Player");
    table.reset();
    table.insert(" ", 10, "Easy");
    EXPECT_EQ(table.entry(0).name, "Unknown Player");
    ScoreTable again{"", "Data\\TClassic.Kv"};
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.entry(0).name, "Unknown Player");
}

TEST_F(ScoreTableTest, EqualScoreEntersBelowTheOlderOneAndAFullTableOfEqualsRefuses) {
    table.reset();
    for (int i = 0; i < 10; ++i) table.insert("Old" + std::to_string(i), 100, "Normal");
    EXPECT_FALSE(table.qualifies(100)) << "ten scores at least as high";
    EXPECT_FALSE(table.qualifies(99));
    EXPECT_TRUE(table.qualifies(101));
    EXPECT_EQ(table.rankFor(100), 0);
    EXPECT_EQ(table.rankFor(101), 1);
    EXPECT_EQ(table.insert("New", 101, "Easy"), 0);
    EXPECT_EQ(table.entry(10 - 1).name, "Old8") << "Old9 is the one dropped";

    ScoreTable partial{"", "Data\\TPartial.Kv"};
    partial.reset();
    partial.insert("First", 50, "Easy");
    EXPECT_TRUE(partial.qualifies(50));
    EXPECT_EQ(partial.rankFor(50), 2) << "below the equal older score";
    EXPECT_EQ(partial.insert("Second", 50, "Easy"), 1);
    EXPECT_EQ(partial.entry(0).name, "First");
}

TEST_F(ScoreTableTest, ShortTableGrowsAndLongTableKeepsItsLength) {
    writePlain("A\n30\nEasy\nB\n20\nEasy\n");
    ASSERT_TRUE(table.load());
    ASSERT_TRUE(table.qualifies(1));
    EXPECT_EQ(table.insert("C", 1, "Hard"), 2) << "a short table never drops the new row";
    EXPECT_EQ(table.count(), 3u);
    ScoreTable again{"", "Data\\TClassic.Kv"};
    ASSERT_TRUE(again.load());
    EXPECT_EQ(scores(again), std::vector<int>({30, 20, 1}));

    std::string twelve;
    for (int i = 0; i < 12; ++i)
        twelve += "P" + std::to_string(i) + "\n" + std::to_string(100 - i) + "\nEasy\n";
    writePlain(twelve);
    ASSERT_TRUE(table.load());
    EXPECT_EQ(table.insert("Top", 500, "Easy"), 0);
    EXPECT_EQ(table.count(), 12u);
    EXPECT_EQ(table.entry(11).score, 90);
}

TEST_F(ScoreTableTest, DamagedFilesGiveWhatParsesSorted) {
    // Out-of-order rows, then a score too large for an int: the rows before it are kept.
    writePlain("Low 5 Easy\nHigh 900 Hard\nBad 99999999999999999999 Easy\nLost 7 Easy\n");
    ASSERT_TRUE(table.load());
    EXPECT_EQ(scores(table), std::vector<int>({900, 5}));

    writePlain("Name 12abc Easy\n");
    ASSERT_TRUE(table.load());
    EXPECT_EQ(table.count(), 0u);

    writePlain("Cut 40 Easy\nHalf 30");
    ASSERT_TRUE(table.load());
    EXPECT_EQ(scores(table), std::vector<int>({40}));

    // Overlong and unprintable tokens are cleaned; the written file stays three lines a row.
    writePlain(std::string(300, 'x') + " 8 \x01\x02\n");
    ASSERT_TRUE(table.load());
    ASSERT_EQ(table.count(), 1u);
    EXPECT_EQ(table.entry(0).name.size(), ScoreTable::kMaxNameLength);
    EXPECT_EQ(table.entry(0).difficulty, "...");
    table.insert("Next", 4, "Easy");
    ScoreTable again{"", "Data\\TClassic.Kv"};
    ASSERT_TRUE(again.load());
    EXPECT_EQ(scores(again), std::vector<int>({8, 4}));
}

TEST_F(ScoreTableTest, RandomBytesNeverCrashAndAlwaysComeOutSorted) {
    seedRandom(1234);
    for (int round = 0; round < 100; ++round) {
        std::string bytes;
        const int length = random(0, 400);
        for (int i = 0; i < length; ++i) {
            // Mostly table-like text so that rows do parse, with raw bytes mixed in.
            const char* alphabet = "0123456789 \n_-abcXYZ";
            bytes += random(0, 9) < 8 ? alphabet[random(0, 19)] : char(random(0, 255));
        }
        folder.writeFile("Data/TClassic.Kv", bytes);
        ASSERT_TRUE(table.load());
        for (std::size_t i = 1; i < table.count(); ++i)
            ASSERT_GE(table.entry(i - 1).score, table.entry(i).score);
        for (std::size_t i = 0; i < table.count(); ++i) {
            ASSERT_LE(table.entry(i).name.size(), ScoreTable::kMaxNameLength);
            ASSERT_FALSE(table.entry(i).difficulty.empty());
        }
        const std::size_t before = table.count();
        table.insert("Probe", 1000000, "Easy");
        ScoreTable again{"", "Data\\TClassic.Kv"};
        ASSERT_TRUE(again.load());
        ASSERT_EQ(again.count(), before < std::size_t(table.size()) ? before + 1 : before);
        ASSERT_EQ(again.entry(0).name, "Probe");
    }
}

// The start-up path for each table: load, and a table that cannot be read starts afresh.
TEST_F(ScoreTableTest, ATableThatIsAFolderOrAFifoStartsAfreshWithoutWaitingOrThrowing) {
    std::filesystem::create_directory(folder.path() / "Data/TClassic.Kv");
    ASSERT_TRUE(testsupport::makeFifo(folder.path() / "Data/TPuzzle.Kv"));
    const std::pair<const char*, const char*> files[] = {{"Data\\TClassic.Kv", "Data/TClassic.Kv"},
                                                         {"Data\\TPuzzle.Kv", "Data/TPuzzle.Kv"}};
    for (const auto& [name, onDisk] : files) {
        ScoreTable odd{"", name};
        bool loaded = true;
        EXPECT_TRUE(testsupport::endsWithoutWaitingOn(folder.path() / onDisk, [&] {
            loaded = odd.load();
            if (!loaded) odd.reset();
        })) << name;
        EXPECT_FALSE(loaded) << name;
        EXPECT_EQ(odd.count(), 10u) << name;
        EXPECT_EQ(odd.entry(0).name, ScoreTable::kFreshText) << name;
    }
}

TEST_F(ScoreTableTest, SaveReplacesTheFileInOneStep) {
    table.reset();
    // A second name for the old file: a save that wrote in place would change it too.
    std::filesystem::create_hard_link(folder.path() / "Data/TClassic.Kv", folder.path() / "old.Kv");
    const std::string before = folder.readFile("old.Kv");
    table.insert("Winner", 77, "Easy");
    EXPECT_EQ(folder.readFile("old.Kv"), before);
    EXPECT_NE(folder.readFile("Data/TClassic.Kv"), before);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Data/TClassic.Kv.tmp"));
}

TEST_F(ScoreTableTest, UnwritableFolderKeepsTheTableInMemory) {
    ScoreTable lost{"", "Nowhere\\TClassic.Kv"};
    lost.reset();
    EXPECT_FALSE(lost.save());
    EXPECT_EQ(lost.insert("Still", 5, "Easy"), 0);
    EXPECT_EQ(lost.count(), 10u);
}

}  // namespace
}  // namespace brx
