// Renders every sound and piece of music the game loads and encodes each in the format its
// file name asks for (.Wav 16-bit PCM, .Mp3 through LAME, .Ogg through Vorbis). The file
// names come from the data manifest; each has a recipe and a loudness here.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/audio/AudioBuffer.h"

namespace brx::tools {

// Loud part of the effects (dBFS); interface ticks sit well below by design.
constexpr float kEffectRmsDb = -15.0f;
constexpr float kHoverRmsDb = -27.0f;
constexpr float kClickRmsDb = -23.0f;
// Peak ceilings: PCM keeps its peaks exactly; lossy coding adds a little overshoot.
constexpr float kPcmCeilingDb = -1.5f;
constexpr float kLossyCeilingDb = -3.0f;
constexpr int kEffectMp3Kbps = 128;
constexpr int kMusicMp3Kbps = 160;
constexpr float kOggQuality = 0.5f;

struct SoundRecipe {
    const char* name;  // archive path, as in the data manifest
    AudioBuffer (*render)();
    float targetRmsDb;
    bool looped;
};

// The recipe of a sound effect by archive path; null when there is none.
const SoundRecipe* findSoundRecipe(const std::string& archivePath);
// Renders a sound effect and sets its loudness.
AudioBuffer renderSound(const SoundRecipe& recipe);
// Renders a piece of music by archive path; empty buffer when the name is unknown.
AudioBuffer renderMusic(const std::string& archivePath);
// Encodes by file extension (.Wav, .Mp3, .Ogg, any case). False and *error on failure.
bool encodeForFile(const std::string& archivePath, const AudioBuffer& buffer,
                   std::vector<uint8_t>* out, std::string* error);
// Writes every sound and music file under stagingDir (e.g. stagingDir/Data/Sounds/...).
// With previewDir set, also writes each file's pre-encoding audio there as WAV for listening.
bool generateAudio(const std::filesystem::path& stagingDir, const std::filesystem::path& previewDir,
                   std::string* error);

}  // namespace brx::tools
