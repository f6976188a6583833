// The one list of archive names: complete in the places the game counts on, and free of the
// mistakes that would make a load fail at run time.
#include "core/DataManifest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace brx {
namespace {

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(DataManifest, ListsEveryArchiveFileOnceIgnoringCase) {
    // The archive compares names without case, so two names differing only in case would be
    // one file.
    std::set<std::string> seen;
    for (std::string name : DataManifest::allArchiveFiles()) {
        std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        EXPECT_TRUE(seen.insert(name).second) << name;
    }
    EXPECT_EQ(seen.size(), DataManifest::allArchiveFiles().size());
}

TEST(DataManifest, CountsMatchWhatTheGameReads) {
    EXPECT_EQ(DataManifest::soundFiles().size(), 13u);
    EXPECT_EQ(DataManifest::musicFiles().size(), 2u);
    EXPECT_EQ(DataManifest::splineFiles().size(), 23u);
    EXPECT_EQ(DataManifest::splineFile(23), "Data/Splines/23.Ase");
    // Levels.Cfg, then at least the 20 puzzles and 10 Advanced layouts the game is built for.
    EXPECT_GE(DataManifest::kPuzzleLevelCount, 20);
    EXPECT_GE(DataManifest::kAdvancedLevelCount, 10);
    EXPECT_EQ(DataManifest::levelFiles().size(),
              size_t(1 + DataManifest::kPuzzleLevelCount + DataManifest::kAdvancedLevelCount));
    EXPECT_EQ(DataManifest::puzzleLevelFile(7), "Data/Levels/Puzzle.7.Cfg");
    EXPECT_EQ(DataManifest::advancedLevelFile(10), "Data/Levels/Adv.10.Cfg");
    EXPECT_EQ(DataManifest::skinTexture(2), "2.Tga");
    EXPECT_EQ(DataManifest::skinTexture(3), "");
}

// What the game loads comes from the same lists the generators write: each preloaded texture is
// a listed texture, each sample id is used once, the interface samples come first.
TEST(DataManifest, PreloadAndSamplesAreDrawnFromTheListedFiles) {
    std::set<std::string> textures;
    for (std::string name : DataManifest::textureNames()) {
        std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        textures.insert(name);
    }
    for (std::string name : DataManifest::preloadTextures()) {
        std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        EXPECT_TRUE(textures.count(name)) << name;
    }
    std::set<int> ids;
    bool inGameSamples = false;
    for (const auto& sample : DataManifest::samples()) {
        EXPECT_TRUE(ids.insert(sample.id).second) << sample.id;
        if (sample.id >= DataManifest::kFirstGameSample) inGameSamples = true;
        EXPECT_FALSE(inGameSamples && sample.id < DataManifest::kFirstGameSample) << sample.id;
    }
    EXPECT_EQ(DataManifest::menuMusicFiles().size() + DataManifest::gameMusicFiles().size(),
              DataManifest::musicFiles().size());
}

TEST(DataManifest, TextureNamesUseTheExtensionsTheLoaderRecognises) {
    // The loader picks JPEG only for names containing ".Jpg" exactly; anything else is TGA.
    for (const auto& name : DataManifest::textureNames())
        EXPECT_TRUE(endsWith(name, ".Tga") || endsWith(name, ".Jpg")) << name;
    for (const auto& path : DataManifest::textureFiles())
        EXPECT_EQ(path.rfind("Data/Textures/", 0), 0u) << path;
}

TEST(DataManifest, DetailSwitchedModelsLiveInBothDetailFolders) {
    const auto files = DataManifest::modelFiles();
    auto has = [&](const std::string& path) {
        return std::find(files.begin(), files.end(), path) != files.end();
    };
    for (const char* name :
         {"FastBox.Asvm", "Box.Asvm", "FlyBox.Asvm", "ScoreBox.Asvm", "UMoveBox.Asvm"}) {
        EXPECT_TRUE(has(std::string("Data/Models/Hi/") + name)) << name;
        EXPECT_TRUE(has(std::string("Data/Models/Low/") + name)) << name;
        EXPECT_FALSE(has(std::string("Data/Models/") + name)) << name;
    }
    EXPECT_TRUE(has("Data/Models/Bonuses/hvLine.Asvm"));
    EXPECT_EQ(DataManifest::boardModel(14, 16), "14x16.Asvm");
    EXPECT_EQ(DataManifest::trayModel(16, 18), "C16x18.Asvm");
    EXPECT_TRUE(has("Data/Models/" + DataManifest::trayModel(16, 18)));
}

}  // namespace
}  // namespace brx
