// Design note: a missing key in a readable file reads as 0, as the game always did; the values
// the game indexes tables with are then brought to their nearest bound, and a colour depth other
// than 16 becomes the default 32, so a hand-edited or damaged file can never index past a table.
#include "core/SystemSettings.h"

#include <algorithm>

#include "core/ConfigFile.h"

namespace brx {
namespace {

constexpr int kMaxVolume = 255;
constexpr int kHighColorBits = 16;
constexpr int kTrueColorBits = 32;

// The keys of the file and the fields they hold; the writer sorts them, so order is free.
struct IntKey {
    const char* name;
    int SystemSettings::*value;
};
struct BoolKey {
    const char* name;
    bool SystemSettings::*value;
};
constexpr IntKey kIntKeys[] = {
    {"ShadowDetail", &SystemSettings::shadowDetail},
    {"WaterDetail", &SystemSettings::waterDetail},
    {"ModelDetail", &SystemSettings::modelDetail},
    {"Effects", &SystemSettings::effects},
    {"ScreenRes", &SystemSettings::screenRes},
    {"ColorDepth", &SystemSettings::colorDepth},
    {"SoundVolume", &SystemSettings::soundVolume},
    {"MusicVolume", &SystemSettings::musicVolume},
    {"Lighting", &SystemSettings::lighting},
    {"Hints", &SystemSettings::hints},
    {"DifficultyLevel", &SystemSettings::difficultyLevel},
    {"BeginLevel", &SystemSettings::beginLevel},
    {"SelectEffect", &SystemSettings::selectEffect},
    {"SkinIndex", &SystemSettings::skinIndex},
    {"Background", &SystemSettings::background},
};
constexpr BoolKey kBoolKeys[] = {
    {"FullScreen", &SystemSettings::fullScreen},
    {"Sound", &SystemSettings::sound},
    {"Music", &SystemSettings::music},
    {"SymbolsOnBlocks", &SystemSettings::symbolsOnBlocks},
};

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
    for (const IntKey& key : kIntKeys) this->*key.value = file.getInt(key.name, 0);
    for (const BoolKey& key : kBoolKeys) this->*key.value = file.getInt(key.name, 0) != 0;
    clampToRange();
    return true;
}

bool SystemSettings::save(const std::string& path) const {
    ConfigFile file;
    for (const IntKey& key : kIntKeys) file.setInt(key.name, this->*key.value);
    for (const BoolKey& key : kBoolKeys) file.setInt(key.name, this->*key.value ? 1 : 0);
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
