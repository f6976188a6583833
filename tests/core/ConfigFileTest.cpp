#include "core/ConfigFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <iterator>
#include <string>

#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDir.h"

namespace brx {
namespace {

ConfigFile parsed(const std::string& text, int expectedStatus = 0) {
    ConfigFile file;
    EXPECT_EQ(file.loadBuffer(text.data(), text.size()), expectedStatus) << text;
    EXPECT_EQ(file.status, expectedStatus);
    return file;
}

std::string plainTextOf(const testsupport::TempDir& dir, const std::string& name) {
    std::string bytes = dir.readFile(name);
    scrambleRolling(bytes);
    return bytes;
}

TEST(ConfigFileParse, EmptyAndBlankTextsParseWithNoKeys) {
    for (const std::string text : {"", " \t\n", "// only a comment", "\r\n\r\n"}) {
        const ConfigFile file = parsed(text);
        EXPECT_TRUE(file.values.empty());
        EXPECT_TRUE(file.keys.empty());
    }
    ConfigFile file;
    EXPECT_EQ(file.loadBuffer(nullptr, 0), 0);
}

TEST(ConfigFileParse, NestedSectionsBuildDottedPathsInOrder) {
    const ConfigFile file = parsed(
        "Speed = 3\n"
        "Game = {\n"
        "  Classic = { Lines=12 Delay = 400 }\n"
        "  Colors=5\n"
        "}\n"
        "Last=1\n");
    EXPECT_EQ(file.values.at("Speed"), "3");
    EXPECT_EQ(file.values.at("Game.Classic.Lines"), "12");
    EXPECT_EQ(file.values.at("Game.Classic.Delay"), "400");
    EXPECT_EQ(file.values.at("Game.Colors"), "5");
    EXPECT_EQ(file.values.at("Last"), "1");
    EXPECT_EQ(file.sections, (std::vector<std::string>{"Game", "Game.Classic"}));
    EXPECT_EQ(file.keys, (std::vector<std::string>{"Speed", "Game.Classic.Lines",
                                                   "Game.Classic.Delay", "Game.Colors", "Last"}));
}

TEST(ConfigFileParse, ValueKindsKeepTheirDelimiters) {
    // A bare value ends at "}" as well as at white space.
    const ConfigFile bare = parsed("S = { Bare=12.5}");
    EXPECT_EQ(bare.values.at("S.Bare"), "12.5");

    const ConfigFile kinds = parsed(
        "S = { Bare=abc} Pair = [1 2 // not a comment inside brackets]\n"
        "Text = \"Hello, \\\"world\\\"\" Tail=\"ends in \\\\\" After=1\n"
        "List = { [1 2] junk // comment with [brackets]\n [3 4] }\n");
    EXPECT_EQ(kinds.values.at("S.Bare"), "abc");
    EXPECT_EQ(kinds.values.at("Pair"), "[1 2 // not a comment inside brackets]");
    EXPECT_EQ(kinds.values.at("Text"), "\"Hello, \\\"world\\\"\"");
    // Two backslashes become a backslash and a space, so the final quote closes the value.
    EXPECT_EQ(kinds.values.at("Tail"), "\"ends in \\ \"");
    EXPECT_EQ(kinds.values.at("After"), "1");
    EXPECT_EQ(kinds.values.at("List"), "{[1 2][3 4]}");
}

TEST(ConfigFileParse, CommentsStandWhereverWhiteSpaceMay) {
    const ConfigFile file = parsed(
        "// heading\n"
        "A // before the equals\n = // after it\n 7 // trailing\n"
        "B = { // section\n C=1 } // closed\n");
    EXPECT_EQ(file.values.at("A"), "7");
    EXPECT_EQ(file.values.at("B.C"), "1");
}

TEST(ConfigFileParse, RepeatedKeyKeepsLastValueAndIsListedTwice) {
    const ConfigFile file = parsed("A=1 A=2");
    EXPECT_EQ(file.values.at("A"), "2");
    EXPECT_EQ(file.keys.size(), 2u);
}

TEST(ConfigFileParse, CarriageReturnsEndLinesInBuffersButNotInFiles) {
    const ConfigFile buffer = parsed("A=1\r\nB = {\r\n C=2\r\n}\r\n");
    EXPECT_EQ(buffer.values.at("A"), "1");
    EXPECT_EQ(buffer.values.at("B.C"), "2");

    testsupport::TempDir dir;
    std::string bytes = "A=1\r\nB=2\r\n";
    scrambleRolling(bytes);
    dir.writeFile("Crlf.Cfg", bytes);
    ConfigFile file;
    ASSERT_EQ(file.loadFile((dir.path() / "Crlf.Cfg").string()), 0);
    EXPECT_EQ(file.values.at("A"), "1\r");  // a carriage return is not white space here
    EXPECT_EQ(file.getInt("A", -1), 1);
    EXPECT_EQ(file.values.at("B"), "2\r");
}

TEST(ConfigFileParse, OpenSectionAtEndParsesButStrayCloseFails) {
    EXPECT_EQ(parsed("A = { B=1").values.at("A.B"), "1");
    const ConfigFile stray = parsed("A=1 } B=2", 1);
    EXPECT_EQ(stray.values.at("A"), "1");  // what came before the error is kept
    EXPECT_FALSE(stray.has("B"));
}

TEST(ConfigFileParse, MalformedTextFailsAndKeepsWhatCameBefore) {
    const char* broken[] = {
        "A=1 B",               // name without "="
        "A=1 B 2",             // "=" missing
        "A=1 B=\"open quote",  // cut-off quote
        "A=1 B=\"ends \\\"",   // the only closing quote is escaped
        "A=1 B=[1 2",          // cut-off bracket
        "A=1 B={ [1 2] [3",    // cut-off list block
        "A=1 B={ [1 2]",       // list block never closed
        "A=1 B=",              // value missing
    };
    for (const char* text : broken) {
        const ConfigFile file = parsed(text, 1);
        EXPECT_EQ(file.values.at("A"), "1") << text;
        EXPECT_FALSE(file.has("B")) << text;
    }
}

TEST(ConfigFileParse, HostileInputsFailCleanly) {
    // A megabyte line with no "=", megabyte values and deep nesting must neither crash nor
    // take the stack or memory with them.
    const std::string longName(1 << 20, 'x');
    parsed(longName, 1);
    EXPECT_EQ(parsed("A=" + std::string(1 << 20, '7')).values.at("A").size(), size_t(1) << 20);
    parsed("Q=\"" + std::string(1 << 20, '\\'), 1);

    std::string deep;
    for (int i = 0; i < 200000; ++i) deep += "S={";
    const ConfigFile nested = parsed(deep, 1);  // key paths stop at 256 bytes
    ASSERT_FALSE(nested.sections.empty());
    EXPECT_LE(nested.sections.back().size(), 256u);
    std::string closes(100000, '}');
    parsed("A={" + closes, 1);

    std::string noise;
    for (int i = 0; i < 4096; ++i) noise.push_back(char((i * 7919 + 13) % 256));
    ConfigFile file;
    file.loadBuffer(noise.data(), noise.size());  // either result is fine; no crash
}

TEST(ConfigFileLookup, IntegersReadHexDecimalOrZero) {
    ConfigFile file = parsed(
        "Hex=0x1F NotHex=1F Letters=abc Negative=-12 Huge=99999999999 Colour=0xffffffff "
        "Spaced=\" 42\" Float=3.9");
    EXPECT_EQ(file.getInt("Hex", -1), 31);
    EXPECT_EQ(file.getInt("NotHex", -1), 1);
    EXPECT_EQ(file.getInt("Letters", -1), 0);
    EXPECT_EQ(file.getInt("Negative", 0), -12);
    EXPECT_EQ(file.getInt("Huge", 0), INT_MAX);
    EXPECT_EQ(file.getInt("Colour", 0), -1);
    EXPECT_EQ(file.getInt("Spaced", -1), 0);  // the quote is not a digit
    EXPECT_EQ(file.getInt("Float", -1), 3);
    EXPECT_FLOAT_EQ(file.getFloat("Float", 0), 3.9f);
    EXPECT_FLOAT_EQ(file.getFloat("Letters", 5), 0.0f);
    EXPECT_EQ(file.status, 0);
}

TEST(ConfigFileLookup, MissingKeySetsStatusAndReturnsTheDefault) {
    ConfigFile file = parsed("A=1");
    EXPECT_EQ(file.getInt("B", 77), 77);
    EXPECT_EQ(file.status, 1);
    EXPECT_EQ(file.getInt("A", 0), 1);
    EXPECT_EQ(file.status, 1);  // a later hit does not hide the miss
    EXPECT_FLOAT_EQ(file.getFloat("B", 2.5f), 2.5f);
    EXPECT_TRUE(file.getIntList("B", ',').empty());
    EXPECT_TRUE(file.getFloatList("B", ',').empty());
    EXPECT_EQ(file.getString("B", "none"), "none");
    EXPECT_EQ(file.loadBuffer("A=2", 3), 0);
    EXPECT_EQ(file.status, 0);
}

TEST(ConfigFileLookup, ListsDropDelimitersAndSplitAtSeparatorRuns) {
    ConfigFile file = parsed(
        "Commas=[1,2,,3,] Spaces=\"  4 5   -6 \" Floats=[0.5,,-1.25,2] Empty=[] Hex=[0x10,7]");
    EXPECT_EQ(file.getIntList("Commas", ','), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(file.getIntList("Spaces", ' '), (std::vector<int>{4, 5, -6}));
    EXPECT_EQ(file.getFloatList("Floats", ','), (std::vector<float>{0.5f, -1.25f, 2.0f}));
    EXPECT_TRUE(file.getIntList("Empty", ',').empty());
    EXPECT_EQ(file.getIntList("Hex", ','), (std::vector<int>{0, 7}));  // pieces are decimal
    ConfigFile shortValue;
    shortValue.setString("One", "x");
    EXPECT_TRUE(shortValue.getIntList("One", ',').empty());
    EXPECT_EQ(file.status, 0);
}

TEST(ConfigFileWrite, SectionsOpenAndCloseAroundSortedKeys) {
    ConfigFile file;
    file.setInt("B", 3);
    file.setInt("A.Y", 2);
    file.setInt("A.X", 1);
    EXPECT_EQ(file.serialize(), "A = {\n\tX=1\n\tY=2\n}\nB=3\n");

    ConfigFile deep;
    deep.setString("A.B.C", "1");
    deep.setString("A.B.D.E", "2");
    deep.setString("A.F", "3");
    deep.setString("G.H", "4");
    EXPECT_EQ(deep.serialize(),
              "A = {\n\tB = {\n\t\tC=1\n\t\tD = {\n\t\t\tE=2\n\t\t}\n\t}\n\tF=3\n}\n"
              "G = {\n\tH=4\n}\n");
    EXPECT_EQ(ConfigFile().serialize(), "");
}

TEST(ConfigFileWrite, SettersFormatLikePrintf) {
    ConfigFile file;
    file.setInt("Dec", -42);
    file.setInt("Hex", 255, true);
    file.setInt("NegHex", -1, true);
    file.setFloat("F", 1.5f);
    file.setFloat("Big", 1e30f);
    EXPECT_EQ(file.values.at("Dec"), "-42");
    EXPECT_EQ(file.values.at("Hex"), "ff");  // no prefix, so it reads back as decimal
    EXPECT_EQ(file.values.at("NegHex"), "ffffffff");
    EXPECT_EQ(file.values.at("F"), "1.500000");
    EXPECT_EQ(file.values.at("Big").substr(0, 6), "100000");
    EXPECT_FLOAT_EQ(file.getFloat("Big", 0), 1e30f);
}

TEST(ConfigFileWrite, SerializedTextParsesBackToTheSameValues) {
    const ConfigFile original = parsed(
        "Z=\"quoted text\" A = { List = { [1 2] [3] } Pair=[4 5] Inner = { Deep=x } } "
        "M.N=dotted Top=0x1f");
    const std::string text = original.serialize();
    const ConfigFile again = parsed(text);
    EXPECT_EQ(again.values, original.values);
    EXPECT_EQ(again.serialize(), text);
}

TEST(ConfigFileScramble, RollingKeyWrapsAfterTheLastValue) {
    const size_t period = size_t(kScrambleLast - kScrambleStart) + 1;
    std::string zeros(period * 2 + 3, '\0');
    scrambleRolling(zeros);
    EXPECT_EQ(uint8_t(zeros[0]), kScrambleStart);
    EXPECT_EQ(uint8_t(zeros[period - 1]), kScrambleLast);
    EXPECT_EQ(uint8_t(zeros[period]), kScrambleStart);
    EXPECT_EQ(uint8_t(zeros[2 * period + 2]), kScrambleStart + 2);

    std::string bytes;
    for (int i = 0; i < 1000; ++i) bytes.push_back(char(i * 31));
    std::string copy = bytes;
    scrambleRolling(copy);
    EXPECT_NE(copy, bytes);
    scrambleRolling(copy);
    EXPECT_EQ(copy, bytes);
}

TEST(ConfigFileSave, WritesScrambledAtomicallyAndLoadsBack) {
    testsupport::TempDir dir;
    dir.enter();
    std::filesystem::create_directory("Data");
    ConfigFile file;
    file.setInt("Sound", 1);
    file.setInt("Video.Res", 2);
    ASSERT_EQ(file.save("Data/Test.Cfg"), 0);
    EXPECT_EQ(file.status, 0);
    EXPECT_FALSE(std::filesystem::exists("Data/Test.Cfg.tmp"));
    EXPECT_EQ(plainTextOf(dir, "Data/Test.Cfg"), "Sound=1\nVideo = {\n\tRes=2\n}\n");
    EXPECT_EQ(dir.readFile("Data/Test.Cfg").find("Sound"), std::string::npos);

    ConfigFile loaded;
    ASSERT_EQ(loaded.loadFile("Data\\Test.Cfg"), 0);  // Windows-style names land in Data too
    EXPECT_EQ(loaded.values, file.values);
}

TEST(ConfigFileSave, FailedSaveKeepsTheOldFile) {
    testsupport::TempDir dir;
    dir.enter();
    ConfigFile old;
    old.setInt("Kept", 1);
    ASSERT_EQ(old.save("Settings.Cfg"), 0);
    const std::string before = dir.readFile("Settings.Cfg");

    ConfigFile fresh;
    fresh.setInt("Lost", 2);
    {
        const testsupport::FileSizeLimit full(1);  // the disk fills during the write
        EXPECT_EQ(fresh.save("Settings.Cfg"), 1);
    }
    EXPECT_EQ(fresh.status, 1);
    EXPECT_EQ(dir.readFile("Settings.Cfg"), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1)
        << "the temporary file is removed";
    EXPECT_EQ(fresh.save("NoSuchFolder/Settings.Cfg"), 1);
}

TEST(ConfigFileSave, UnreadableFilesFailToLoad) {
    testsupport::TempDir dir;
    ConfigFile file;
    EXPECT_EQ(file.loadFile((dir.path() / "Missing.Cfg").string()), 1);
    EXPECT_EQ(file.status, 1);
    EXPECT_EQ(file.loadFile(dir.path().string()), 1);  // a folder reads as an error
    dir.writeFile("Empty.Cfg", "");
    EXPECT_EQ(file.loadFile((dir.path() / "Empty.Cfg").string()), 0);
}

}  // namespace
}  // namespace brx
