// The player's settings, Data/System.Cfg: eighteen keys read before the window opens and written
// whenever they change, and the later keys a file written by an older game lacks (they read as
// off). Values out of range are brought into range on load, because the game
// indexes tables with them.
#pragma once

#include <string>

namespace brx {

struct SystemSettings {
    bool fullScreen = false;
    int shadowDetail = 1;
    int waterDetail = 1;
    int modelDetail = 1;  // 0 "Normal", 1 "Hi"
    int effects = 2;
    int screenRes = 1;  // 0 = 640 x 480, 1 = 800 x 600, 2 = 1024 x 768
    int colorDepth = 32;
    int soundVolume = 150;  // 0..255
    int musicVolume = 50;   // 0..255
    int lighting = 0;
    bool sound = true;
    bool music = true;
    int hints = 1;
    int difficultyLevel = 1;       // 0 Easy .. 3 Impossible
    int beginLevel = 5;            // 1..10
    int selectEffect = 0;          // 0 transparency, 1 zooming
    int skinIndex = 0;             // 0..2
    int background = 0;            // 0 Nature, 1 Space, 2 Dune
    bool symbolsOnBlocks = false;  // a shape on each block's face for every colour

    // The process-wide record.
    static SystemSettings& instance();

    // Loads path; on failure resets to defaults and writes them back. True when the file loaded.
    bool load(const std::string& path = "Data/System.Cfg");
    // Writes every key (scrambled, atomically); false when the file cannot be written.
    bool save(const std::string& path = "Data/System.Cfg") const;
    // Brings every value the game indexes tables with into range (ScreenRes is left to the
    // window, which resets it to 0 with 16-bit colour).
    void clampToRange();
};

}  // namespace brx
