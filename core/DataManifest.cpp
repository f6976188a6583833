#include "core/DataManifest.h"

#include <cstdio>

namespace brx {
namespace {

std::string formatted(const char* format, int value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void append(std::vector<std::string>& to, const std::vector<std::string>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

}  // namespace

const std::vector<std::string>& DataManifest::textureNames() {
    static const std::vector<std::string> names = {
        // Block skins bound by the board, the options preview and the help screen.
        "0.Tga", "1.Tga", "2.Tga",
        // The symbols laid over the blocks' faces for players who tell colours apart poorly.
        "Symbols.Tga",
        // Start-up: splash, cursor, font and the rest of the preload list.
        // The preload list spells the overlay "MenuBgrn.tga"; the archive ignores case, so
        // both spellings read this one file.
        "Brixeler3D.Tga", "Cursor.Tga", "Font.Tga", "Frame.Tga", "MenuBgrn.Tga", "PLogo.Tga",
        "RegBgrn.Tga",
        // The windows' icon (the desktop entry's picture).
        "Icon.Tga",
        // Full-window backgrounds.
        "Nature.Jpg", "Space.Jpg", "Dune.Jpg",
        // Effects.
        "100.Tga", "BmBlast.Tga", "DirtPuf.Tga", "HVBlast.Tga", "ParticleBit.Tga", "FireFlash.Jpg",
        "Spl.Tga", "BlurPart.Tga",
        // The game screen's pictures.
        "GameOver.Tga", "LevelCompl.Tga", "Paused.Tga", "Interface/Info.Tga",
        // Main menu buttons and the in-game menu button.
        "MainMenu/Continue.Tga", "MainMenu/NewGame.Tga", "MainMenu/Options.Tga",
        "MainMenu/Score.Tga", "MainMenu/Help.Tga", "MainMenu/Credits.Tga", "MainMenu/Exit.Tga",
        "MainMenu/MenuBig.Tga",
        // The game's undo and redo buttons.
        "Interface/Undo.Tga", "Interface/Redo.Tga",
        // Game selection buttons, also the score tables' icons.
        "Games/Remover.Tga", "Games/Classic.Tga", "Games/Strategy.Tga", "Games/Advanced.Tga",
        "Games/Modern.Tga", "Games/Puzzle.Tga",
        // Control skins.
        "Interface/Done.Tga", "Interface/SelectLN.Tga", "Interface/HArrow.Tga",
        "Interface/Start.Tga", "Interface/Random.Tga", "Interface/Button.Tga",
        "Interface/CheckBox.Tga", "Interface/Slider.Tga", "Interface/Thumb.Tga", "Interface/Ok.Tga",
        "Interface/Cancel.Tga", "Interface/Skins.Tga", "Interface/Prev.Tga", "Interface/Next.Tga"};
    return names;
}

std::vector<std::string> DataManifest::textureFiles() {
    std::vector<std::string> files;
    for (const auto& name : textureNames()) files.push_back(kTextureFolder + name);
    return files;
}

std::string DataManifest::skinTexture(int skinIndex) {
    if (skinIndex < 0 || skinIndex >= kSkinCount) return {};
    return formatted("%i.Tga", skinIndex);
}

const std::vector<DataManifest::Model>& DataManifest::models() {
    static const std::vector<Model> list = {{"FastBox.Asvm", true},
                                            {"Box.Asvm", true},
                                            {"FlyBox.Asvm", true},
                                            {"ScoreBox.Asvm", true},
                                            {"UMoveBox.Asvm", true},
                                            {"Bonuses/BigBomb.Asvm", false},
                                            {"Bonuses/RedBomb.Asvm", false},
                                            {"Bonuses/BlueBomb.Asvm", false},
                                            {"Bonuses/GreenBomb.Asvm", false},
                                            {"Bonuses/WhiteBomb.Asvm", false},
                                            {"Bonuses/YellowBomb.Asvm", false},
                                            {"Bonuses/hLine.Asvm", false},
                                            {"Bonuses/vLine.Asvm", false},
                                            {"Bonuses/hvLine.Asvm", false},
                                            {"12x16.Asvm", false},
                                            {"14x16.Asvm", false},
                                            {"16x18.Asvm", false},
                                            {"C12x16.Asvm", false},
                                            {"C14x16.Asvm", false},
                                            {"C16x18.Asvm", false},
                                            {"SkinRed.Asvm", false},
                                            {"SkinBlue.Asvm", false},
                                            {"SkinGreen.Asvm", false},
                                            {"SkinYellow.Asvm", false}};
    return list;
}

std::vector<std::string> DataManifest::modelFiles() {
    std::vector<std::string> files;
    for (const auto& model : models()) {
        if (model.detailSwitched) {
            files.push_back(kHighDetailFolder + model.name);
            files.push_back(kLowDetailFolder + model.name);
        } else {
            files.push_back(kModelFolder + model.name);
        }
    }
    return files;
}

std::string DataManifest::boardModel(int columns, int rows) {
    return std::to_string(columns) + "x" + std::to_string(rows) + ".Asvm";
}

std::string DataManifest::trayModel(int columns, int rows) {
    return "C" + boardModel(columns, rows);
}

const std::vector<DataManifest::Sample>& DataManifest::samples() {
    static const std::vector<Sample> list = {{1, "Data/Sounds/Interface/MsOver.Wav", false},
                                             {2, "Data/Sounds/Interface/MsClik.Wav", false},
                                             {100, "Data/Sounds/RemoveBoxes.Wav", false},
                                             {101, "Data/Sounds/Select.Wav", false},
                                             {102, "Data/Sounds/AddLine.Wav", false},
                                             {103, "Data/Sounds/100.Wav", false},
                                             {104, "Data/Sounds/100.A.Mp3", true},
                                             {105, "Data/Sounds/BoxAdd.Wav", false},
                                             {106, "Data/Sounds/ColorBomb.Wav", false},
                                             {107, "Data/Sounds/Bomb.Mp3", false},
                                             {108, "Data/Sounds/GameOver.Wav", false},
                                             {109, "Data/Sounds/Warning.Ogg", false},
                                             {110, "Data/Sounds/HVExpl.Wav", false}};
    return list;
}

const std::vector<std::string>& DataManifest::preloadTextures() {
    static const std::vector<std::string> names = {
        "0.Tga",          "Space.Jpg",    "1.Tga",          "100.Tga",         "2.Tga",
        "BlurPart.Tga",   "BmBlast.Tga",  "Brixeler3D.Tga", "Cursor.Tga",      "DirtPuf.Tga",
        "FireFlash.Jpg",  "Font.Tga",     "Frame.Tga",      "GameOver.Tga",    "HVBlast.Tga",
        "LevelCompl.Tga", "MenuBgrn.tga", "Nature.Jpg",     "ParticleBit.Tga", "Spl.Tga",
        "Dune.Jpg"};
    return names;
}

std::vector<std::string> DataManifest::menuMusicFiles() {
    return {"Data/Music/Menu.Mp3"};
}

std::vector<std::string> DataManifest::gameMusicFiles() {
    return {"Data/Music/Game/A.Mp3"};
}

std::vector<std::string> DataManifest::soundFiles() {
    std::vector<std::string> files;
    for (const Sample& sample : samples()) files.push_back(sample.file);
    return files;
}

std::vector<std::string> DataManifest::musicFiles() {
    std::vector<std::string> files = menuMusicFiles();
    append(files, gameMusicFiles());
    return files;
}

std::vector<std::string> DataManifest::tuningFiles() {
    return {"Data/Difficult.Cfg", "Data/Effects.Cfg", "Data/Colors.Cfg"};
}

std::string DataManifest::puzzleLevelFile(int level) {
    return formatted("Data/Levels/Puzzle.%i.Cfg", level);
}

std::string DataManifest::advancedLevelFile(int level) {
    return formatted("Data/Levels/Adv.%i.Cfg", level);
}

std::vector<std::string> DataManifest::levelFiles() {
    std::vector<std::string> files = {"Data/Levels/Levels.Cfg"};
    for (int level = 1; level <= kPuzzleLevelCount; ++level)
        files.push_back(puzzleLevelFile(level));
    for (int level = 1; level <= kAdvancedLevelCount; ++level)
        files.push_back(advancedLevelFile(level));
    return files;
}

std::string DataManifest::splineFile(int path) {
    return formatted("Data/Splines/%i.Ase", path);
}

std::vector<std::string> DataManifest::splineFiles() {
    std::vector<std::string> files;
    for (int path = 1; path <= kSplinePathCount; ++path) files.push_back(splineFile(path));
    return files;
}

std::vector<std::string> DataManifest::textFiles() {
    return {"Data/Credits.Kv"};
}

std::vector<std::string> DataManifest::allArchiveFiles() {
    std::vector<std::string> files = textureFiles();
    append(files, modelFiles());
    append(files, soundFiles());
    append(files, musicFiles());
    append(files, tuningFiles());
    append(files, levelFiles());
    append(files, splineFiles());
    append(files, textFiles());
    return files;
}

}  // namespace brx
