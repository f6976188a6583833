// Start-up shows the main menu first and loads the rest right behind its first picture: before
// that picture only the menu exists; after it every screen, the preload list, the block skins
// and the score tables are there and load correctly; a key or a button that comes sooner waits
// for them; and a damaged file among them still ends the run with the missing-files error, as it
// did when start-up loaded it before the menu. Each case runs the real game object in a child
// process over the real archive (the shell owns its process's one window).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/OBrixel.h"
#include "core/DataManifest.h"
#include "core/ResourceArchive.h"
#include "core/SystemSettings.h"
#include "engine/InputEvent.h"
#include "engine/OException.h"
#include "engine/TextureCache.h"
#include "engine/TextureFile.h"
#include "platform/Platform.h"
#include "shell/ORenderWindow.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/TempDir.h"

namespace brx {
namespace {

constexpr const char* kArchive = "Data/Resource.Kvr";
constexpr const char* kDamagedTexture = "Frame.Tga";  // on the preload list, not the menu's

class CountingGame : public OBrixel {
public:
    void swapBuffers() override {
        ++swaps;
        OBrixel::swapBuffers();
    }
    int swaps = 0;
};

std::set<int> screenIds(const OApplication& app) {
    std::set<int> ids;
    for (const ORenderWindow* screen : app.screens()) ids.insert(screen->id());
    return ids;
}

// The real archive, linked (intact) or copied with one texture replaced by bytes no reader takes.
bool installArchive(testsupport::TempDir& folder, bool damaged) {
    const std::filesystem::path real = std::filesystem::path(BRX_GAME_DIR) / kArchive;
    std::filesystem::create_directories(folder.path() / "Data");
    if (!damaged) {
        std::filesystem::create_symlink(real, folder.path() / kArchive);
        return true;
    }
    ResourceArchive& archive = ResourceArchive::instance();
    if (!archive.open(real.string())) return false;
    testsupport::ArchiveBuilder copy;
    const std::string damagedName = std::string("Data/Textures/") + kDamagedTexture;
    for (const auto& [key, entry] : archive.directory()) {
        const ResourceBuffer buffer = archive.readFile(entry.storedName);
        std::string bytes = buffer ? std::string(buffer.text(), buffer.size) : std::string();
        if (entry.storedName == damagedName) bytes = "no picture here";
        copy.add(entry.storedName, bytes);
    }
    archive.close();
    return copy.install(folder);
}

// Opens the game in a fresh folder up to its menu; 0 on success, else the failing step.
int openGame(testsupport::TempDir& folder, CountingGame& game, bool damaged = false) {
    if (!installArchive(folder, damaged)) return 2;
    folder.enter();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SystemSettings::instance() = SystemSettings{};
    if (!game.create(OBrixel::kClassName, "menu first", 800, 600)) return 3;
    game.init();
    return 0;
}

// The real picture of a texture, decoded from the archive, against what the driver holds.
bool uploadedAsDecoded(const std::string& name) {
    OBaseImage* image = TextureCache::instance().find(name);
    DecodedImage decoded;
    std::string problem;
    if (!image || !TextureFile::decode(name, &decoded, &problem)) return false;
    if (image->width() != int(decoded.width) || image->height() != int(decoded.height))
        return false;
    const std::vector<uint8_t> held = image->readTexturePixels();
    return !held.empty() && held.size() == decoded.pixels.size();
}

int theRestFollowsTheMenusFirstPicture() {
    testsupport::TempDir folder;
    CountingGame game;
    if (const int failed = openGame(folder, game)) return failed;
    // Before the first picture: the menu alone, active, with its own pictures loaded.
    if (screenIds(game) != std::set<int>{kScreenMenu}) return 10;
    if (!OApplication::activeScreen() || OApplication::activeScreen()->id() != kScreenMenu)
        return 11;
    if (game.startupFinished() || !game.preloaded().empty() || OBrixel::skin(0)) return 12;
    if (!TextureCache::instance().find("MainMenu/NewGame.Tga")) return 13;
    if (game.swaps != 0) return 14;  // no frame of the loop comes before the menu

    game.frame(16);
    if (game.swaps != 1 || !game.startupFinished()) return 20;
    const std::set<int> all = {kScreenMenu,    kScreenOptions,    kScreenHelp,
                               kScreenCredits, kScreenHighScores, kScreenSelectGame};
    if (screenIds(game) != all) return 21;
    if (OApplication::activeScreen()->id() != kScreenMenu) return 22;
    // The preload list less the two backgrounds not chosen, each loaded as it is in the archive.
    if (game.preloaded().size() != DataManifest::preloadTextures().size() - 2) return 23;
    for (const TextureRef& texture : game.preloaded())
        if (!uploadedAsDecoded(texture.name())) return 24;
    for (int index = 0; index < OBrixel::kSkinCount; ++index)
        if (!OBrixel::skin(index) || !uploadedAsDecoded(OBrixel::skin(index).name())) return 25;
    // The preload list's other spelling of the overlay reuses the overlay's texture.
    if (TextureCache::instance().find("MenuBgrn.tga") ||
        !TextureCache::instance().find("MenuBgrn.Tga"))
        return 26;
    for (int mode = 0; mode < OBrixel::kModeCount; ++mode)
        if (!game.scoreTable(mode).icon()) return 27;

    game.frame(16);  // once only
    if (screenIds(game).size() != all.size() || game.preloaded().size() != 19) return 30;
    return 0;
}

int aKeyBeforeTheFirstPictureFindsEveryScreen() {
    testsupport::TempDir folder;
    CountingGame game;
    if (const int failed = openGame(folder, game)) return failed;
    InputEvent move;
    move.type = kInputPointerMove;
    move.x = 10;
    move.y = 10;
    game.onEvent(move);  // the pointer entering the window: the menu handles it alone
    if (game.startupFinished() || screenIds(game).size() != 1) return 10;
    InputEvent key;
    key.type = kInputKeyDown;
    key.key = kKeyN;
    key.flags = kFlagControl;  // the game selection's shortcut
    game.onEvent(key);
    if (!game.startupFinished() || screenIds(game).size() != 6) return 11;
    if (!OApplication::activeScreen() || OApplication::activeScreen()->id() != kScreenSelectGame)
        return 12;
    return 0;
}

int aDamagedFileBehindTheMenuEndsTheRunWithItsError() {
    testsupport::TempDir folder;
    CountingGame game;
    if (const int failed = openGame(folder, game, true)) return failed;
    if (screenIds(game) != std::set<int>{kScreenMenu}) return 10;  // the menu needs none of it
    try {
        game.frame(16);
    } catch (const OFileNotFound& error) {
        if (game.swaps != 1) return 11;  // the menu was shown first
        return error.file().find(kDamagedTexture) != std::string::npos ? 0 : 12;
    }
    return 13;  // swallowed: the game would run on without a picture it needs
}

class MenuFirstStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testsupport::ensureGLContext()) GTEST_SKIP() << "no display for an OpenGL context";
        GTEST_FLAG_SET(death_test_style, "threadsafe");
    }
};

TEST_F(MenuFirstStartTest, TheRestFollowsTheMenusFirstPictureAndLoadsAsInTheArchive) {
    EXPECT_EXIT(std::exit(theRestFollowsTheMenusFirstPicture()), ::testing::ExitedWithCode(0), "");
}

TEST_F(MenuFirstStartTest, AKeyBeforeTheFirstPictureWaitsForEveryScreen) {
    EXPECT_EXIT(std::exit(aKeyBeforeTheFirstPictureFindsEveryScreen()),
                ::testing::ExitedWithCode(0), "");
}

TEST_F(MenuFirstStartTest, ADamagedFileBehindTheMenuStillEndsTheRunWithItsError) {
    EXPECT_EXIT(std::exit(aDamagedFileBehindTheMenuEndsTheRunWithItsError()),
                ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace brx
