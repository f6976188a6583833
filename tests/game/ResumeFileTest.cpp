// The resume file: what is written is read back whole, and everything else is refused with a
// reason, never half read: a save cut at every byte, every byte of it flipped, another
// version, random bytes, counts far past the data, and well-formed files that describe a game
// that cannot be (cells off the board, unknown colours, a score past the limit, ...).
#include "game/ResumeFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "game/GameVariables.h"
#include "tests/support/TempDir.h"

namespace brx {
namespace {

// A Classic game on Hard in the middle of its third level, with bonuses on the board and in
// the next line.
GameSnapshot classicGame() {
    GameSnapshot s;
    s.mode = GameMode::Classic;
    s.difficulty = Difficulty::Hard;
    s.startLevel = 2;
    s.columns = 14;
    s.rows = 16;
    s.levelIndex = 3;
    s.score = 12345;
    s.linesLeft = 17;
    s.linesTotal = 37;
    s.gameState = GameState::Playing;
    s.linePhase = LinePhase::Idle;
    s.resumeState = ResumeState::Normal;
    for (int c = 0; c < s.columns; ++c)
        for (int r = 12; r < s.rows; ++r) s.blocks.push_back({c, r, 1, 1 + (c + r) % 5});
    s.blocks.push_back({3, 11, 10, 8});   // big bomb
    s.blocks.push_back({4, 11, 13, 3});   // green colour bomb
    s.blocks.push_back({5, 11, 19, 19});  // unmovable block
    s.blocks.push_back({6, 11, 32, 8});   // score block
    s.nextLine = {{0, 0, 1, 2}, {1, 0, 16, 8}, {2, 0, 1, 4}};
    s.nextBlockTimer = 420;
    s.speedPick = 0;
    s.blocksSinceBonus = 7;
    s.nextBonusAfter = 48;
    s.lastBonusKind = 16;
    s.spinTimer = 5100;
    s.trailElapsedMs = 9000;
    s.trailIntervalMs = 22000;
    for (int k = 0; k < GameSnapshot::kPathCount; ++k)
        s.pathOrder.push_back((k * 5) % GameSnapshot::kPathCount);
    s.pathCursor = 4;
    s.randomState = 0xDEADBEEFu;
    return s;
}

GameSnapshot advancedGame() {
    GameSnapshot s = classicGame();
    s.mode = GameMode::Advanced;
    s.layoutOrder = {3, 1, 5, 2, 4};
    s.lastPick = 2;
    s.blocks.push_back({7, 9, 7, 7});  // fixed block
    return s;
}

std::string fileOf(const GameSnapshot& s) {
    return ResumeFile::encode(s);
}

// A 32-bit word as the file stores it (least significant byte first), over the bytes at.
void putWord(std::string& bytes, size_t at, uint32_t word) {
    for (size_t i = 0; i < 4; ++i) bytes[at + i] = char((word >> (8 * i)) & 0xFF);
}

// A section as the file frames it: its tag, the payload's length and the payload.
std::string section(const char* tag, const std::string& payload) {
    std::string framed = std::string(tag) + "0000" + payload;
    putWord(framed, 4, uint32_t(payload.size()));
    return framed;
}

// Bytes with the checksum made right again after a change, so the later checks are reached.
std::string resealed(std::string bytes) {
    const size_t end = bytes.size() - 4;
    putWord(bytes, end, ResumeFile::checksum(std::string_view(bytes).substr(0, end)));
    return bytes;
}

std::string refusalOf(const std::string& bytes) {
    std::string why;
    const std::optional<GameSnapshot> read = ResumeFile::decode(bytes, &why);
    return read ? std::string() : (why.empty() ? std::string("(no reason)") : why);
}

TEST(ResumeFile, WhatIsSavedIsLoadedWholeThroughARealFile) {
    testsupport::TempDir folder;
    const std::string path = (folder.path() / "Resume.Kv").string();
    for (const GameSnapshot& game : {classicGame(), advancedGame()}) {
        ASSERT_TRUE(saveResumeFile(path, game));
        std::string why;
        const std::optional<GameSnapshot> read = loadResumeFile(path, &why);
        ASSERT_TRUE(read.has_value()) << why;
        EXPECT_TRUE(*read == game);
    }
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST(ResumeFile, OtherSectionsTravelAlongAndDoNotDisturbTheGame) {
    const std::vector<ResumeSection> extra = {{"HIST", std::string("\0\1\2\3", 4)},
                                              {"NOTE", "later"}};
    std::vector<ResumeSection> readBack;
    std::string why;
    const std::optional<GameSnapshot> read =
        ResumeFile::decode(ResumeFile::encode(classicGame(), extra), &why, &readBack);
    ASSERT_TRUE(read.has_value()) << why;
    EXPECT_TRUE(*read == classicGame());
    EXPECT_EQ(readBack, extra);
    // A second game section is not a game the reader may pick from.
    const std::string snap = ResumeFile::encodeSnapshot(classicGame());
    std::string doubled = fileOf(classicGame());
    doubled.resize(doubled.size() - 4);
    doubled += section("SNAP", snap) + "0000";
    EXPECT_NE(refusalOf(resealed(doubled)), "");
}

TEST(ResumeFile, ASaveCutAtAnyByteOrWithAnyByteChangedIsRefused) {
    const std::string good = fileOf(advancedGame());
    ASSERT_EQ(refusalOf(good), "");
    for (size_t length = 0; length < good.size(); ++length)
        ASSERT_NE(refusalOf(good.substr(0, length)), "") << "cut at " << length;
    for (size_t at = 0; at < good.size(); ++at) {
        std::string damaged = good;
        damaged[at] = char(damaged[at] ^ 0x5A);
        ASSERT_NE(refusalOf(damaged), "") << "byte " << at << " changed";
    }
}

TEST(ResumeFile, AnotherVersionIsRefusedByName) {
    std::string other = fileOf(classicGame());
    other[ResumeFile::kMagicSize] = char(ResumeFile::kVersion + 1);
    EXPECT_NE(refusalOf(resealed(other)).find("another version"), std::string::npos);
}

TEST(ResumeFile, RandomBytesAndRandomBodiesAreRefusedWithoutACrash) {
    std::mt19937 rng(2024);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::string header = fileOf(classicGame()).substr(0, ResumeFile::kMagicSize + 4);
    for (int trial = 0; trial < 2000; ++trial) {
        std::string noise(size_t(rng() % 600), '\0');
        for (char& c : noise) c = char(byte(rng));
        EXPECT_NE(refusalOf(noise), "");
        // The same noise behind a good header and inside a well-sealed game section.
        EXPECT_NE(refusalOf(resealed(header + section("SNAP", noise) + "0000")), "");
    }
}

// Each change makes a well-formed, well-sealed file of a game that cannot be.
TEST(ResumeFile, ImpossibleGamesAreRefusedWithAReason) {
    const std::vector<std::pair<const char*, std::function<void(GameSnapshot&)>>> cases = {
        {"block right of the board", [](GameSnapshot& s) { s.blocks[0].column = s.columns; }},
        {"block below the board", [](GameSnapshot& s) { s.blocks[0].row = s.rows; }},
        {"negative cell", [](GameSnapshot& s) { s.blocks[0].column = -1; }},
        {"two blocks in a cell", [](GameSnapshot& s) { s.blocks.push_back(s.blocks[0]); }},
        {"unknown colour", [](GameSnapshot& s) { s.blocks[0].colour = 6; }},
        {"unknown kind", [](GameSnapshot& s) { s.blocks[0].kind = 20; }},
        {"score block with a colour", [](GameSnapshot& s) { s.blocks.back().colour = 1; }},
        {"score past the limit", [](GameSnapshot& s) { s.score = GameSnapshot::kMaxScore + 1; }},
        {"negative score", [](GameSnapshot& s) { s.score = -5; }},
        {"more lines left than the level has", [](GameSnapshot& s) { s.linesLeft = 38; }},
        {"unknown mode", [](GameSnapshot& s) { s.mode = 6; }},
        {"unknown difficulty", [](GameSnapshot& s) { s.difficulty = 4; }},
        {"board of another size", [](GameSnapshot& s) { s.columns = 20; }},
        {"start level 0", [](GameSnapshot& s) { s.startLevel = 0; }},
        {"unknown state", [](GameSnapshot& s) { s.gameState = 7; }},
        {"fixed block in the next line",
         [](GameSnapshot& s) {
             s.nextLine[0] = {0, 0, 7, 7};
         }},
        {"next-line slot past the tray", [](GameSnapshot& s) { s.nextLine[0].column = 14; }},
        {"layouts in Classic", [](GameSnapshot& s) { s.layoutOrder = {1}; }},
        {"timer of a year", [](GameSnapshot& s) { s.spinTimer = 2000000000; }},
        {"unknown trail path", [](GameSnapshot& s) { s.pathOrder[3] = 23; }},
        {"puzzle number outside Puzzle", [](GameSnapshot& s) { s.puzzleNumber = 2; }},
    };
    for (const auto& [name, change] : cases) {
        GameSnapshot impossible = classicGame();
        change(impossible);
        EXPECT_NE(refusalOf(fileOf(impossible)).find("impossible game"), std::string::npos) << name;
    }
    GameSnapshot shuffled = advancedGame();
    shuffled.layoutOrder = {1, 1, 2, 3, 4};
    EXPECT_NE(refusalOf(fileOf(shuffled)), "") << "a layout twice";
    shuffled.layoutOrder = {1, 2, 3, 4, 5};
    shuffled.lastPick = 5;
    EXPECT_NE(refusalOf(fileOf(shuffled)), "") << "last pick past the order";
}

TEST(ResumeFile, HugeCountsAreRefusedBeforeAnythingIsMade) {
    const std::string good = fileOf(classicGame());
    // The block count follows the header (12 bytes), the section header (8) and the 28 words
    // of single values.
    const size_t at = ResumeFile::kMagicSize + 4 + 8 + 28 * 4;
    const uint32_t blocks = uint32_t(classicGame().blocks.size());
    ASSERT_EQ(uint8_t(good[at]), blocks & 0xFF);
    ASSERT_EQ(good[at + 1], char(blocks >> 8));
    for (uint32_t huge : {361u, 0x10000000u, 0xFFFFFFFFu}) {
        std::string bytes = good;
        putWord(bytes, at, huge);
        EXPECT_NE(refusalOf(resealed(bytes)), "") << huge;
    }
}

TEST(ResumeFile, MissingEmptyAndOversizedFilesAreRefused) {
    testsupport::TempDir folder;
    std::string why;
    EXPECT_FALSE(loadResumeFile((folder.path() / "none.Kv").string(), &why));
    EXPECT_EQ(why, "no saved game");
    folder.writeFile("empty.Kv", "");
    EXPECT_FALSE(loadResumeFile((folder.path() / "empty.Kv").string(), &why));
    std::string big = fileOf(classicGame());
    big.resize(ResumeFile::kMaxFileBytes + 1, '\0');
    folder.writeFile("big.Kv", big);
    EXPECT_FALSE(loadResumeFile((folder.path() / "big.Kv").string(), &why));
    EXPECT_EQ(why, "the file is too large");
}

}  // namespace
}  // namespace brx
