// Design note: a missing key in a readable file reads as 0, as the game always did; the values
// the game indexes tables with are then brought to their nearest bound, and a colour depth other
// than 16 becomes the default 32, so a hand-edited or damaged file can never index past a table.
#include "app/SystemSettings.h"

#include <algorithm>

#include "app/ConfigFile.h"

namespace brx {
namespace {

constexpr int kMaxVolume = 255;
constexpr int kHighColorBits = 16;
constexpr int kTrueColorBits = 32;

}  // namespace

SystemSettings& SystemSettings::instance() {
    static SystemSettings settings;
    return settings;
}

bool SystemSettings::load(const std::string& path) {
    ConfigFile file;
    if (file.loadFile(path) != 0) {
        *this = SystemSettings{};
        save(path);
        return false;
    }
    fullScreen = file.getInt("FullScreen", 0) != 0;
    shadowDetail = file.getInt("ShadowDetail", 0);
    waterDetail = file.getInt("WaterDetail", 0);
    modelDetail = file.getInt("ModelDetail", 0);
    effects = file.getInt("Effects", 0);
    screenRes = file.getInt("ScreenRes", 0);
    colorDepth = file.getInt("ColorDepth", 0);
    soundVolume = file.getInt("SoundVolume", 0);
    musicVolume = file.getInt("MusicVolume", 0);
    lighting = file.getInt("Lighting", 0);
    sound = file.getInt("Sound", 0) != 0;
    music = file.getInt("Music", 0) != 0;
    hints = file.getInt("Hints", 0);
    difficultyLevel = file.getInt("DifficultyLevel", 0);
    beginLevel = file.getInt("BeginLevel", 0);
    selectEffect = file.getInt("SelectEffect", 0);
    skinIndex = file.getInt("SkinIndex", 0);
    background = file.getInt("Background", 0);
    clampToRange();
    return true;
}

bool SystemSettings::save(const std::string& path) const {
    ConfigFile file;
    file.setInt("FullScreen", fullScreen ? 1 : 0);
    file.setInt("ShadowDetail", shadowDetail);
    file.setInt("WaterDetail", waterDetail);
    file.setInt("ModelDetail", modelDetail);
    file.setInt("Effects", effects);
    file.setInt("ScreenRes", screenRes);
    file.setInt("ColorDepth", colorDepth);
    file.setInt("SoundVolume", soundVolume);
    file.setInt("MusicVolume", musicVolume);
    file.setInt("Lighting", lighting);
    file.setInt("Sound", sound ? 1 : 0);
    file.setInt("Music", music ? 1 : 0);
    file.setInt("Hints", hints);
    file.setInt("DifficultyLevel", difficultyLevel);
    file.setInt("BeginLevel", beginLevel);
    file.setInt("SelectEffect", selectEffect);
    file.setInt("SkinIndex", skinIndex);
    file.setInt("Background", background);
    return file.save(path) == 0;
}

void SystemSettings::clampToRange() {
    beginLevel = std::clamp(beginLevel, 1, 10);
    difficultyLevel = std::clamp(difficultyLevel, 0, 3);
    skinIndex = std::clamp(skinIndex, 0, 2);
    background = std::clamp(background, 0, 2);
    selectEffect = std::clamp(selectEffect, 0, 1);
    modelDetail = std::clamp(modelDetail, 0, 1);
    soundVolume = std::clamp(soundVolume, 0, kMaxVolume);
    musicVolume = std::clamp(musicVolume, 0, kMaxVolume);
    if (colorDepth != kHighColorBits) colorDepth = kTrueColorBits;
}

}  // namespace brx
