#include "app/OBrixel.h"

#include <GL/gl.h>

#include <array>

#include <algorithm>

#include "core/DataManifest.h"
#include "core/ResourceArchive.h"
#include "core/SystemSettings.h"
#include "engine/TextureCache.h"
#include "game/Game.h"
#include "game/GameVariables.h"
#include "objects/EffectList.h"
#include "objects/ModelLibrary.h"
#include "objects/PathSet.h"
#include "screens/Credits.h"
#include "screens/Help.h"
#include "screens/Menu.h"
#include "screens/OSystemOptions.h"
#include "screens/ResumeStore.h"
#include "screens/Score.h"
#include "screens/SelectGame.h"
#include "shell/ORenderWindow.h"
#include "sound/SoundManager.h"

namespace brx {
namespace {

TextureRef gSplash;
TextureRef gIdleBackground;

constexpr float kVirtualWidth = float(ORenderWindow::kVirtualWidth);
constexpr float kVirtualHeight = float(ORenderWindow::kVirtualHeight);
std::array<TextureRef, OBrixel::kSkinCount> gSkins;
const TextureRef gNoTexture;

constexpr const char* kOverlayTexture = "MenuBgrn.Tga";

constexpr int kBackgroundCount = 3;
// The loading bar as the splash shows it, before the menu.
constexpr float kSplashPercent = 1.0f;

// The score tables by mode number: file and picture.
struct TableFiles {
    const char* file;
    const char* icon;
};
constexpr TableFiles kScoreTables[OBrixel::kModeCount] = {
    {"Data\\TRemover.Kv", "Games/Remover.Tga"},   {"Data\\TClassic.Kv", "Games/Classic.Tga"},
    {"Data\\TStrategy.Kv", "Games/Strategy.Tga"}, {"Data\\TAdvanced.Kv", "Games/Advanced.Tga"},
    {"Data\\TModern.Kv", "Games/Modern.Tga"},     {"Data\\TPuzzle.Kv", "Games/Puzzle.Tga"},
};

}  // namespace

OBrixel::OBrixel() {
    scoreTables_.reserve(kModeCount);
    for (const TableFiles& table : kScoreTables) scoreTables_.emplace_back(table.icon, table.file);
}

OBrixel::~OBrixel() {
    shutdown();
    gSplash.release();
    gIdleBackground.release();
    for (TextureRef& skinTexture : gSkins) skinTexture.release();
    EffectList::instance().clear();
    preloaded_.clear();
}

const TextureRef& OBrixel::splash() {
    return gSplash;
}

const TextureRef& OBrixel::skin(int index) {
    return index >= 0 && index < kSkinCount ? gSkins[size_t(index)] : gNoTexture;
}

std::string OBrixel::backgroundName(int background) {
    switch (background) {
        case 1:
            return "Space.Jpg";
        case 2:
            return "Dune.Jpg";
        default:
            return "Nature.Jpg";
    }
}

bool OBrixel::init() {
    OApplication::init();
    gSplash.load(DataManifest::kSplashTexture, true);
    // The splash with its loading bar while the menu's own needs load (one frame: each more
    // cost about 25 ms on a software driver); what only later screens need loads behind the
    // menu's first picture (loadAfterFirstFrame).
    drawLoadingProgress(kSplashPercent, &gSplash);
    loadGameSamples();
    startMusic();
    addStartScreen(new Menu());
    setActiveScreen(kScreenMenu);
    return true;
}

void OBrixel::loadAfterFirstFrame() {
    preloadTextures();
    PathSet::instance().loadAll();
    loadScoreTables();
    for (int index = 0; index < kSkinCount; ++index)
        gSkins[size_t(index)].load(std::to_string(index) + ".Tga", true);
    createScreens();
}

std::vector<std::string> OBrixel::firstScreenTextures() const {
    std::vector<std::string> names = {DataManifest::kSplashTexture,
                                      backgroundName(SystemSettings::instance().background),
                                      kOverlayTexture};
    const std::vector<std::string> menu = Menu::textureNames();
    names.insert(names.end(), menu.begin(), menu.end());
    return names;
}

void OBrixel::drawIdle() {
    OApplication::drawIdle();
    if (!gIdleBackground)
        gIdleBackground.load(backgroundName(SystemSettings::instance().background), true);
    beginVirtual2D();
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    gIdleBackground.bind();
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(kVirtualWidth, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(kVirtualWidth, kVirtualHeight);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(0.0f, kVirtualHeight);
    glEnd();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (gSplash)
        gSplash.draw(kVirtualWidth / 2 - gSplash.width() / 2.0f,
                     kVirtualHeight / 2 - gSplash.height() / 2.0f);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

// True for a background picture other than the chosen one: loaded only when the player picks
// it, so one background (not every one) is resident.
static bool isUnchosenBackground(const std::string& name) {
    const int chosen = SystemSettings::instance().background;
    for (int background = 0; background < kBackgroundCount; ++background)
        if (background != chosen && name == OBrixel::backgroundName(background)) return true;
    return false;
}

// The name a texture is already loaded under when it differs from this one only in case (the
// archive reads both spellings as one file), else the name itself: the texture cache tells
// spellings apart, and a second spelling would upload a second copy of the same picture.
static std::string loadedSpelling(const std::string& name) {
    const std::string key = ResourceArchive::entryKey(name);
    for (const auto& [loaded, image] : TextureCache::instance().images())
        if (ResourceArchive::entryKey(loaded) == key) return loaded;
    return name;
}

// Loaded already under another spelling: nothing to decode ahead.
bool OBrixel::skipsAtStart(const std::string& texture) const {
    return isUnchosenBackground(texture) || loadedSpelling(texture) != texture;
}

void OBrixel::preloadTextures() {
    // Kept resident for the whole run, so screens and effects never wait on a decode.
    for (const std::string& name : DataManifest::preloadTextures()) {
        if (isUnchosenBackground(name)) continue;
        TextureRef texture;
        texture.load(loadedSpelling(name), true);
        preloaded_.push_back(std::move(texture));
    }
}

void OBrixel::loadGameSamples() {
    SoundManager& sound = SoundManager::instance();
    for (const DataManifest::Sample& sample : DataManifest::samples())
        if (sample.id >= DataManifest::kFirstGameSample)
            sound.loadSample(sample.id, sample.file, sample.loop);
}

void OBrixel::startMusic() {
    for (const std::string& file : DataManifest::menuMusicFiles()) menuMusic_.addFile(file);
    for (const std::string& file : DataManifest::gameMusicFiles()) gameMusic_.addFile(file);
    SoundManager& sound = SoundManager::instance();
    sound.addPlaylist(SoundManager::kPlaylistMenu, &menuMusic_);
    sound.addPlaylist(SoundManager::kPlaylistGame, &gameMusic_);
    sound.selectPlaylist(SoundManager::kPlaylistMenu);
    menuMusic_.playCurrent();
}

void OBrixel::addStartScreen(ORenderWindow* screen) {
    screen->setBackground(backgroundName(SystemSettings::instance().background), kOverlayTexture);
    addScreen(screen);
}

// A table whose file cannot be read starts afresh (and is written).
void OBrixel::loadScoreTables() {
    for (ScoreTable& table : scoreTables_) {
        if (!table.load()) table.reset();
        table.loadIcon();
    }
}

void OBrixel::createScreens() {
    addStartScreen(new OSystemOptions());
    addStartScreen(new Help());
    addStartScreen(new Credits());
    addStartScreen(new Score(scoreTables_));
    addStartScreen(new SelectGame());
}

// The running game goes first (it was made last and may refer to what the others share), then
// the screens in the reverse order of their creation.
void OBrixel::shutdown() {
    std::vector<ORenderWindow*> owned;
    if (currentGame && removeScreen(currentGame)) owned.push_back(currentGame);
    std::vector<ORenderWindow*> rest(screens().rbegin(), screens().rend());
    for (ORenderWindow* screen : rest) owned.push_back(removeScreen(screen));
    OApplication::shutdown();
    for (ORenderWindow* screen : owned) delete screen;
    currentGame = nullptr;
}

void OBrixel::saveBeforeQuit() {
    for (ORenderWindow* screen : screens())
        if (auto* score = dynamic_cast<Score*>(screen)) score->fileBeforeQuit();
    // Then a game in progress is kept for the next run (a finished one, filed above, is not).
    ResumeStore::saveRunningGame();
}

void OBrixel::releaseSceneLists() {
    ModelLibrary::instance().deleteAllLists();
}

void OBrixel::restoreSceneLists() {
    ModelLibrary::instance().rebuildAllLists();
}

}  // namespace brx
