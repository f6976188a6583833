// Design note: music takes most of the time (two long stereo renders and MP3 encodes), so the
// game piece renders on a second thread while this one does the menu piece and the effects.
#include "tools/audio/AudioGenerator.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <thread>

#include "core/DataManifest.h"
#include "tools/audio/Loudness.h"
#include "tools/audio/Mp3Encoder.h"
#include "tools/audio/MusicTracks.h"
#include "tools/audio/OggEncoder.h"
#include "tools/audio/SoundEffects.h"
#include "tools/audio/WavWriter.h"

namespace brx::tools {
namespace {

// Plain RMS over-rates bright, steady tones and under-rates deep thumps, so a few targets are
// moved to make them sound alike: the frequent chime and the piercing signal sit lower, the
// thump and the big bomb higher, the fill loop plays under other sounds for seconds.
const SoundRecipe kRecipes[] = {
    {"Data/Sounds/Interface/MsOver.Wav", renderHoverTick, kHoverRmsDb, false},
    {"Data/Sounds/Interface/MsClik.Wav", renderClick, kClickRmsDb, false},
    {"Data/Sounds/RemoveBoxes.Wav", renderCrumble, kEffectRmsDb, false},
    {"Data/Sounds/Select.Wav", renderSelectChime, kEffectRmsDb - 3.0f, false},
    {"Data/Sounds/AddLine.Wav", renderLineThump, kEffectRmsDb + 1.0f, false},
    {"Data/Sounds/100.Wav", renderCoin, kEffectRmsDb, false},
    {"Data/Sounds/100.A.Mp3", renderFillLoop, kEffectRmsDb - 3.0f, true},
    {"Data/Sounds/BoxAdd.Wav", renderPop, kEffectRmsDb - 1.0f, false},
    {"Data/Sounds/ColorBomb.Wav", renderColorBurst, kEffectRmsDb, false},
    {"Data/Sounds/Bomb.Mp3", renderExplosion, kEffectRmsDb + 2.0f, false},
    {"Data/Sounds/GameOver.Wav", renderGameOver, kEffectRmsDb, false},
    {"Data/Sounds/Warning.Ogg", renderWarning, kEffectRmsDb - 2.0f, false},
    {"Data/Sounds/HVExpl.Wav", renderZap, kEffectRmsDb, false},
};

std::string lowerExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension;
}

bool isPcm(const std::string& path) {
    return lowerExtension(path) == ".wav";
}

bool writeBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes,
                std::string* error) {
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (file.good()) return true;
    *error = "cannot write " + path.string();
    return false;
}

// Encodes one buffer and writes it (and its preview); the unit of work of generateAudio.
bool emit(const std::string& name, const AudioBuffer& buffer,
          const std::filesystem::path& stagingDir, const std::filesystem::path& previewDir,
          std::string* error) {
    std::vector<uint8_t> bytes;
    if (!encodeForFile(name, buffer, &bytes, error)) return false;
    if (!writeBytes(stagingDir / name, bytes, error)) return false;
    if (previewDir.empty()) return true;
    return writeBytes(previewDir / (std::filesystem::path(name).filename().string() + ".wav"),
                      encodeWav(buffer), error);
}

bool emitMusic(const std::string& name, const std::filesystem::path& stagingDir,
               const std::filesystem::path& previewDir, std::string* error) {
    const AudioBuffer music = renderMusic(name);
    if (music.frames() == 0) {
        *error = "no music composed for " + name;
        return false;
    }
    return emit(name, music, stagingDir, previewDir, error);
}

}  // namespace

const SoundRecipe* findSoundRecipe(const std::string& archivePath) {
    for (const SoundRecipe& recipe : kRecipes)
        if (archivePath == recipe.name) return &recipe;
    return nullptr;
}

AudioBuffer renderSound(const SoundRecipe& recipe) {
    AudioBuffer buffer = recipe.render();
    const float ceiling = isPcm(recipe.name) ? kPcmCeilingDb : kLossyCeilingDb;
    normaliseLoudness(buffer, recipe.targetRmsDb, ceiling, recipe.looped);
    return buffer;
}

AudioBuffer renderMusic(const std::string& archivePath) {
    const std::vector<std::string> music = DataManifest::musicFiles();
    if (music.size() >= 1 && archivePath == music[0]) return composeMenuMusic();
    if (music.size() >= 2 && archivePath == music[1]) return composeGameMusic();
    return AudioBuffer();
}

bool encodeForFile(const std::string& archivePath, const AudioBuffer& buffer,
                   std::vector<uint8_t>* out, std::string* error) {
    const std::string extension = lowerExtension(archivePath);
    if (extension == ".wav") {
        *out = encodeWav(buffer);
        return true;
    }
    const bool stereo = buffer.channels() == 2;
    if (extension == ".mp3")
        return encodeMp3(buffer, stereo ? kMusicMp3Kbps : kEffectMp3Kbps, out, error);
    if (extension == ".ogg") return encodeOgg(buffer, kOggQuality, out, error);
    *error = "unknown sound format: " + archivePath;
    return false;
}

bool generateAudio(const std::filesystem::path& stagingDir, const std::filesystem::path& previewDir,
                   std::string* error) {
    const std::vector<std::string> music = DataManifest::musicFiles();
    std::string backgroundError;
    bool backgroundOk = true;
    std::thread background;
    if (music.size() >= 2)
        background = std::thread(
            [&] { backgroundOk = emitMusic(music[1], stagingDir, previewDir, &backgroundError); });
    bool ok = music.empty() || emitMusic(music[0], stagingDir, previewDir, error);
    for (const std::string& name : DataManifest::soundFiles()) {
        if (!ok) break;
        const SoundRecipe* recipe = findSoundRecipe(name);
        if (recipe == nullptr) {
            *error = "no recipe for " + name;
            ok = false;
            break;
        }
        ok = emit(name, renderSound(*recipe), stagingDir, previewDir, error);
    }
    if (background.joinable()) background.join();
    if (ok && !backgroundOk) *error = backgroundError;
    return ok && backgroundOk;
}

}  // namespace brx::tools
