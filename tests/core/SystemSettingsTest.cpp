#include "core/SystemSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/ConfigFile.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDir.h"

namespace brx {
namespace {

constexpr const char* kDefaultText =
    "Background=0\nBeginLevel=5\nColorDepth=32\nDifficultyLevel=1\nEffects=2\nFullScreen=0\n"
    "Hints=1\nLighting=0\nModelDetail=1\nMusic=1\nMusicVolume=50\nScreenRes=1\nSelectEffect=0\n"
    "ShadowDetail=1\nSkinIndex=0\nSound=1\nSoundVolume=150\nSymbolsOnBlocks=0\nWaterDetail=1\n";
// A file written before the block symbols existed: the eighteen original keys, none default.
constexpr const char* kOlderText =
    "Background=2\nBeginLevel=7\nColorDepth=16\nDifficultyLevel=2\nEffects=2\nFullScreen=1\n"
    "Hints=1\nLighting=0\nModelDetail=0\nMusic=0\nMusicVolume=80\nScreenRes=2\nSelectEffect=1\n"
    "ShadowDetail=1\nSkinIndex=1\nSound=1\nSoundVolume=120\nWaterDetail=1\n";

// A Data folder as the working directory, as the game has it.
class SystemSettingsTest : public testing::Test {
protected:
    void SetUp() override {
        dir.enter();
        std::filesystem::create_directory("Data");
    }
    void writePlain(std::string text) const {
        scrambleRolling(text);
        dir.writeFile("Data/System.Cfg", text);
    }
    std::string plainText() const {
        std::string bytes = dir.readFile("Data/System.Cfg");
        scrambleRolling(bytes);
        return bytes;
    }

    testsupport::TempDir dir;
};

TEST_F(SystemSettingsTest, MissingFileGivesDefaultsAndWritesThemBack) {
    SystemSettings settings;
    settings.soundVolume = 7;
    EXPECT_FALSE(settings.load());
    EXPECT_EQ(settings.soundVolume, 150);
    EXPECT_EQ(plainText(), kDefaultText);
    EXPECT_FALSE(std::filesystem::exists("Data/System.Cfg.tmp"));

    SystemSettings again;
    again.soundVolume = 7;
    EXPECT_TRUE(again.load());
    EXPECT_EQ(again.soundVolume, 150);
    EXPECT_EQ(again.beginLevel, 5);
    EXPECT_EQ(again.colorDepth, 32);
    EXPECT_TRUE(again.sound);
    EXPECT_FALSE(again.fullScreen);
}

TEST_F(SystemSettingsTest, UnparsableFileIsReplacedByDefaults) {
    writePlain("FullScreen=1 } garbage");
    SystemSettings settings;
    EXPECT_FALSE(settings.load());
    EXPECT_FALSE(settings.fullScreen);
    EXPECT_EQ(plainText(), kDefaultText);
}

TEST_F(SystemSettingsTest, SavedValuesLoadBack) {
    SystemSettings saved;
    saved.fullScreen = true;
    saved.screenRes = 2;
    saved.colorDepth = 16;
    saved.soundVolume = 255;
    saved.musicVolume = 0;
    saved.music = false;
    saved.difficultyLevel = 3;
    saved.beginLevel = 10;
    saved.selectEffect = 1;
    saved.skinIndex = 2;
    saved.background = 1;
    saved.effects = 9;  // kept as read: nothing indexes with it
    ASSERT_TRUE(saved.save());
    SystemSettings loaded;
    ASSERT_TRUE(loaded.load());
    EXPECT_TRUE(loaded.fullScreen);
    EXPECT_EQ(loaded.screenRes, 2);
    EXPECT_EQ(loaded.colorDepth, 16);
    EXPECT_EQ(loaded.soundVolume, 255);
    EXPECT_EQ(loaded.musicVolume, 0);
    EXPECT_FALSE(loaded.music);
    EXPECT_TRUE(loaded.sound);
    EXPECT_EQ(loaded.difficultyLevel, 3);
    EXPECT_EQ(loaded.beginLevel, 10);
    EXPECT_EQ(loaded.selectEffect, 1);
    EXPECT_EQ(loaded.skinIndex, 2);
    EXPECT_EQ(loaded.background, 1);
    EXPECT_EQ(loaded.effects, 9);
    EXPECT_EQ(plainText().substr(0, 26), "Background=1\nBeginLevel=10");
}

TEST_F(SystemSettingsTest, BlockSymbolsRoundTripAndOlderFilesLoadWithThemOff) {
    SystemSettings saved;
    saved.symbolsOnBlocks = true;
    ASSERT_TRUE(saved.save());
    EXPECT_NE(plainText().find("SymbolsOnBlocks=1\n"), std::string::npos);
    SystemSettings loaded;
    ASSERT_TRUE(loaded.load());
    EXPECT_TRUE(loaded.symbolsOnBlocks);

    writePlain(kOlderText);
    SystemSettings older;
    older.symbolsOnBlocks = true;
    ASSERT_TRUE(older.load());  // not treated as damaged, nothing reset
    EXPECT_FALSE(older.symbolsOnBlocks);
    EXPECT_EQ(older.background, 2);
    EXPECT_EQ(older.beginLevel, 7);
    EXPECT_EQ(older.colorDepth, 16);
    EXPECT_TRUE(older.fullScreen);
    EXPECT_FALSE(older.music);
    EXPECT_EQ(older.skinIndex, 1);
    EXPECT_EQ(older.soundVolume, 120);
    // Loading alone leaves the player's file as it was; the next save adds the key.
    EXPECT_EQ(plainText(), kOlderText);
    ASSERT_TRUE(older.save());
    EXPECT_NE(plainText().find("SymbolsOnBlocks=0\nWaterDetail=1\n"), std::string::npos);
    EXPECT_NE(plainText().find("SkinIndex=1\n"), std::string::npos);
}

TEST_F(SystemSettingsTest, MissingKeysReadAsZeroThenClamp) {
    writePlain("Sound=1\nFullScreen=5\n");
    SystemSettings settings;
    ASSERT_TRUE(settings.load());
    EXPECT_TRUE(settings.sound);
    EXPECT_TRUE(settings.fullScreen);  // any non-zero value
    EXPECT_FALSE(settings.music);
    EXPECT_EQ(settings.hints, 0);
    EXPECT_EQ(settings.shadowDetail, 0);
    EXPECT_EQ(settings.soundVolume, 0);
    EXPECT_EQ(settings.screenRes, 0);
    EXPECT_EQ(settings.beginLevel, 1);   // 0 is below the first level
    EXPECT_EQ(settings.colorDepth, 32);  // only 16 and 32 exist
}

TEST_F(SystemSettingsTest, OutOfRangeValuesComeToTheNearestBound) {
    writePlain(
        "BeginLevel=42\nDifficultyLevel=-3\nSkinIndex=3\nBackground=-1\nSelectEffect=2\n"
        "ModelDetail=7\nSoundVolume=300\nMusicVolume=-20\nColorDepth=24\nScreenRes=7\n");
    SystemSettings settings;
    ASSERT_TRUE(settings.load());
    EXPECT_EQ(settings.beginLevel, 10);
    EXPECT_EQ(settings.difficultyLevel, 0);
    EXPECT_EQ(settings.skinIndex, 2);
    EXPECT_EQ(settings.background, 0);
    EXPECT_EQ(settings.selectEffect, 1);
    EXPECT_EQ(settings.modelDetail, 1);
    EXPECT_EQ(settings.soundVolume, 255);
    EXPECT_EQ(settings.musicVolume, 0);
    EXPECT_EQ(settings.colorDepth, 32);
    EXPECT_EQ(settings.screenRes, 7);  // the window resets it when it opens
}

TEST_F(SystemSettingsTest, UnwritableFileKeepsSettingsInMemory) {
    const testsupport::FileSizeLimit full(1);  // every write fails as on a full disk
    SystemSettings settings;
    settings.soundVolume = 3;
    EXPECT_FALSE(settings.save());
    EXPECT_FALSE(settings.load());  // still missing: defaults, and the write-back fails quietly
    EXPECT_EQ(settings.soundVolume, 150);
    EXPECT_FALSE(std::filesystem::exists("Data/System.Cfg"));
}

}  // namespace
}  // namespace brx
