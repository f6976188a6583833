// Every file name the game reads from Data/Resource.Kvr, in one place. The game's loaders, the
// data generators in tools/ and the tests all take their names from here, so a file cannot be
// loaded under a name that no generator writes.
//
// Textures are listed as the game passes them to TextureRef::load (relative to
// "Data/Textures/"); models as KvModel::load receives them, with a flag saying whether the model
// library reads them from the detail folders "Hi/" and "Low/" or from "Data/Models/" itself.
#pragma once

#include <string>
#include <vector>

namespace brx {

class DataManifest {
public:
    static constexpr const char* kTextureFolder = "Data/Textures/";
    static constexpr const char* kModelFolder = "Data/Models/";
    static constexpr const char* kHighDetailFolder = "Data/Models/Hi/";
    static constexpr const char* kLowDetailFolder = "Data/Models/Low/";
    static constexpr int kPuzzleLevelCount = 24;
    static constexpr int kAdvancedLevelCount = 12;
    static constexpr int kSplinePathCount = 23;
    static constexpr int kSkinCount = 3;

    static constexpr const char* kFontTexture = "Font.Tga";
    static constexpr const char* kCursorTexture = "Cursor.Tga";
    static constexpr const char* kSplashTexture = "Brixeler3D.Tga";
    static constexpr const char* kIconTexture = "Icon.Tga";  // the windows' icon
    // The block symbols: kSymbolCellCount square cells side by side, colour id c in cell c - 1
    // from the left (the first kSymbolColourCount cells are used).
    static constexpr const char* kSymbolTexture = "Symbols.Tga";
    static constexpr int kSymbolCellCount = 8;
    static constexpr int kSymbolColourCount = 5;
    // Sample ids below this one belong to the interface (hover and click of the controls).
    static constexpr int kFirstGameSample = 100;

    // A sample the sound manager loads under an id.
    struct Sample {
        int id;
        std::string file;  // full archive path
        bool loop;
    };

    struct Model {
        std::string name;     // as given to KvModel::load, e.g. "Bonuses/BigBomb.Asvm"
        bool detailSwitched;  // read from Hi/ or Low/ instead of Data/Models/
    };

    // Texture names relative to kTextureFolder, as the game passes them.
    static const std::vector<std::string>& textureNames();
    // The textures' full archive paths ("Data/Textures/" + name).
    static std::vector<std::string> textureFiles();
    // The skin texture of a SkinIndex value ("0.Tga" ...); empty for an unknown index.
    static std::string skinTexture(int skinIndex);

    // Every model the game loads.
    static const std::vector<Model>& models();
    // The models' full archive paths: detail-switched ones once per detail folder.
    static std::vector<std::string> modelFiles();
    // The board and next-line tray models for a board size ("12x16.Asvm", "C12x16.Asvm").
    static std::string boardModel(int columns, int rows);
    static std::string trayModel(int columns, int rows);

    // Every sample the game loads, interface ones (ids 1, 2) first.
    static const std::vector<Sample>& samples();
    // The textures loaded behind the loading bar and kept for the whole run.
    static const std::vector<std::string>& preloadTextures();
    // The two playlists, full archive paths.
    static std::vector<std::string> menuMusicFiles();
    static std::vector<std::string> gameMusicFiles();

    // Samples and music, full archive paths.
    static std::vector<std::string> soundFiles();
    static std::vector<std::string> musicFiles();
    // Tuning files: "Data/Difficult.Cfg", "Data/Effects.Cfg", "Data/Colors.Cfg".
    static std::vector<std::string> tuningFiles();
    // "Data/Levels/Levels.Cfg" and every puzzle and advanced layout.
    static std::vector<std::string> levelFiles();
    static std::string puzzleLevelFile(int level);    // 1-based
    static std::string advancedLevelFile(int level);  // 1-based
    // The camera and trail paths "Data/Splines/1.Ase" ... "Data/Splines/23.Ase".
    static std::vector<std::string> splineFiles();
    static std::string splineFile(int path);  // 1-based
    // Plain text shown by the screens: "Data/Credits.Kv".
    static std::vector<std::string> textFiles();

    // Everything above, full archive paths, each once.
    static std::vector<std::string> allArchiveFiles();
};

}  // namespace brx
