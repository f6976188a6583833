// The game's application object: start-up (textures, paths, score tables, sounds, music,
// screens) and the resources the whole run shares (splash, block skins, the preloaded textures,
// the two playlists).
//
// Design note: start-up makes the main menu first and shows it; everything else (the preload
// list, camera paths, score tables, block skins and the other screens) loads right behind the
// menu's first picture, before any input reaches it. The menu carries the splash picture itself,
// so no loading-bar frame precedes it: each such frame cost a first shader compilation and a
// swap on a software driver, for a picture on view a few hundredths of a second.
#pragma once

#include <string>
#include <vector>

#include "engine/TextureRef.h"
#include "screens/ScoreTable.h"
#include "shell/OApplication.h"
#include "sound/MusicPlaylist.h"

namespace brx {

class OBrixel : public OApplication {
public:
    static constexpr const char* kClassName = "3D";
    static constexpr const char* kTitle = "Brixeler 3D version 1.3";
    static constexpr int kDefaultWidth = 800;
    static constexpr int kDefaultHeight = 600;
    static constexpr int kSkinCount = 3;

    static constexpr int kModeCount = 6;

    // The six score tables (none loaded yet).
    OBrixel();
    // Deletes the screens (last created first), then lets go of the splash, the running effects
    // and the preloaded textures.
    ~OBrixel() override;

    // Start-up up to the main menu, which becomes active; the rest follows its first picture
    // (loadAfterFirstFrame). Throws OFileNotFound when a file the game cannot do without is
    // missing.
    bool init() override;

    // The splash picture ("Brixeler3D.Tga"); empty before start-up.
    static const TextureRef& splash();
    // The block skin texture for a SkinIndex value (0..2); empty for others.
    static const TextureRef& skin(int index);
    // The background picture the Background setting names.
    static std::string backgroundName(int background);

    const std::vector<TextureRef>& preloaded() const { return preloaded_; }
    // The score table of a mode number (0 Remover, 1 Classic, 2 Strategy, 3 Advanced, 4 Modern,
    // 5 Puzzle).
    const ScoreTable& scoreTable(int mode) const { return scoreTables_[size_t(mode)]; }

    // Deletes every screen, the game first, then the others in reverse order of creation.
    void shutdown() override;
    // Files a result the high-score screen holds or has not taken yet, then keeps the game in
    // progress for the next start.
    void saveBeforeQuit() override;

protected:
    // Until a screen is active: the chosen background with the splash over it.
    void drawIdle() override;
    // The model library's display lists around a new context.
    void releaseSceneLists() override;
    void restoreSceneLists() override;
    bool skipsAtStart(const std::string& texture) const override;
    // The menu's pictures, its background and overlay.
    std::vector<std::string> firstScreenTextures() const override;
    // The preload list, camera paths, score tables, block skins and the screens after the menu.
    // Throws OFileNotFound as init() does.
    void loadAfterFirstFrame() override;

private:
    void preloadTextures();
    void loadGameSamples();
    void startMusic();
    void loadScoreTables();
    void createScreens();
    // Gives the screen the background and overlay, and adds it.
    void addStartScreen(ORenderWindow* screen);

    MusicPlaylist menuMusic_;
    MusicPlaylist gameMusic_;
    std::vector<TextureRef> preloaded_;
    std::vector<ScoreTable> scoreTables_;
};

}  // namespace brx
