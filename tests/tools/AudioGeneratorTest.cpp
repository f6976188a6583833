// The generated sounds as the game will hear them: every file is produced by the real
// generator, decoded through the mixer library from memory, and measured.
#include "tools/audio/AudioGenerator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <map>

#include "core/DataManifest.h"
#include "platform/AudioDecode.h"
#include "tests/support/TempDir.h"
#include "tools/audio/Loudness.h"
#include "tools/audio/SoundEffects.h"

namespace brx::tools {
namespace {

// Largest decoded peak allowed: -1 dBFS.
constexpr float kMaxPeakDb = -1.0f;
constexpr float kLoudnessToleranceDb = 2.0f;

AudioBuffer toBuffer(const platform::DecodedAudio& decoded) {
    AudioBuffer buffer(decoded.channels, decoded.frames(), decoded.sampleRateHz);
    for (size_t i = 0; i < decoded.samples.size(); ++i)
        buffer.samples()[i] = float(decoded.samples[i]) / 32768.0f;
    return buffer;
}

// The size of the sample-to-sample step across the loop point, against the largest step
// within 10 ms either side of it: a click is a step far beyond what the music does nearby.
struct Seam {
    float jump = 0.0f;
    float largestNearby = 0.0f;
};

Seam measureSeam(const AudioBuffer& loop) {
    Seam seam;
    const size_t frames = loop.frames();
    const size_t window = size_t(0.010 * loop.sampleRateHz());
    for (int c = 0; c < loop.channels(); ++c) {
        seam.jump = std::max(seam.jump, std::fabs(loop.at(0, c) - loop.at(frames - 1, c)));
        for (size_t i = 0; i + 1 < window; ++i) {
            seam.largestNearby =
                std::max(seam.largestNearby, std::fabs(loop.at(i + 1, c) - loop.at(i, c)));
            const size_t j = frames - window + i;
            seam.largestNearby =
                std::max(seam.largestNearby, std::fabs(loop.at(j + 1, c) - loop.at(j, c)));
        }
    }
    return seam;
}

platform::DecodedAudio decode(const std::vector<uint8_t>& bytes, const std::string& name) {
    platform::DecodedAudio decoded;
    std::string error;
    EXPECT_TRUE(platform::decodeAudio(bytes.data(), bytes.size(), &decoded, &error))
        << name << ": " << error;
    return decoded;
}

// A sound effect as its file holds it, decoded as the game will play it.
AudioBuffer decodedSound(const std::string& name) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(encodeForFile(name, renderSound(*findSoundRecipe(name)), &bytes, &error))
        << name << ": " << error;
    return toBuffer(decode(bytes, name));
}

std::vector<uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

void expectSmoothMusicLoop(const AudioBuffer& music) {
    EXPECT_EQ(music.channels(), 2);
    EXPECT_GE(music.seconds(), 60.0);
    EXPECT_LE(music.seconds(), 120.0);
    EXPECT_LE(peakDb(music), kMaxPeakDb);
    EXPECT_GT(loudPartRmsDb(music), -26.0f);
    const Seam seam = measureSeam(music);
    EXPECT_LE(seam.jump, seam.largestNearby * 1.2f + 0.002f);
    // Quiet stretches are fine; silence that would sound like a gap is not.
    const size_t second = size_t(music.sampleRateHz());
    for (size_t start = 0; start + second <= music.frames(); start += second) {
        float highest = 0.0f;
        for (size_t i = start * 2; i < (start + second) * 2; ++i)
            highest = std::max(highest, std::fabs(music.samples()[i]));
        EXPECT_GT(highest, 0.02f) << "silent second at " << start / second << " s";
    }
}

TEST(GeneratedAudio, EverySoundDecodesAudibleUnclippedAndAtFullLength) {
    for (const std::string& name : DataManifest::soundFiles()) {
        SCOPED_TRACE(name);
        ASSERT_NE(findSoundRecipe(name), nullptr);
        const AudioBuffer decoded = decodedSound(name);
        const AudioBuffer rendered = renderSound(*findSoundRecipe(name));
        EXPECT_EQ(decoded.sampleRateHz(), kSampleRateHz);
        // Lossy files carry their encoder delay, so even they come back sample-exact.
        EXPECT_EQ(decoded.frames(), rendered.frames());
        EXPECT_LE(peakDb(decoded), kMaxPeakDb);
        EXPECT_GT(loudPartRmsDb(decoded), -35.0f);
    }
}

TEST(GeneratedAudio, EffectsAreMatchedInLoudnessAndInterfaceTicksSitBelowThem) {
    float quietestEffect = 0.0f, loudestInterface = -200.0f;
    for (const std::string& name : DataManifest::soundFiles()) {
        SCOPED_TRACE(name);
        const SoundRecipe& recipe = *findSoundRecipe(name);
        const float loudness = loudPartRmsDb(decodedSound(name));
        EXPECT_NEAR(loudness, recipe.targetRmsDb, kLoudnessToleranceDb);
        if (name.find("/Interface/") != std::string::npos)
            loudestInterface = std::max(loudestInterface, loudness);
        else
            quietestEffect = std::min(quietestEffect, loudness);
    }
    EXPECT_GE(quietestEffect, kEffectRmsDb - 3.0f - kLoudnessToleranceDb);
    EXPECT_LE(loudestInterface, quietestEffect - 4.0f);
}

TEST(GeneratedAudio, FillLoopRepeatsWithoutAClick) {
    const AudioBuffer loop = decodedSound("Data/Sounds/100.A.Mp3");
    EXPECT_NEAR(loop.seconds(), kFillLoopS, 0.001);
    const Seam seam = measureSeam(loop);
    EXPECT_LE(seam.jump, seam.largestNearby * 1.2f + 0.002f);
}

// The whole generator, as the build runs it: every file the game loads, under its own name,
// and both pieces of music long, stereo and seamless. (The music takes seconds to make.)
TEST(GeneratedAudio, WritesEveryFileAndTheMusicLoopsSmoothly) {
    testsupport::TempDir folder;
    std::string error;
    ASSERT_TRUE(generateAudio(folder.path(), {}, &error)) << error;
    for (const std::string& name : DataManifest::soundFiles())
        EXPECT_GT(readFile(folder.path() / name).size(), 1000u) << name;
    for (const std::string& name : DataManifest::musicFiles()) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> bytes = readFile(folder.path() / name);
        ASSERT_GT(bytes.size(), 100000u);
        expectSmoothMusicLoop(toBuffer(decode(bytes, name)));
    }
}

TEST(AudioRecipes, RenderTheSameBytesEveryTime) {
    const SoundRecipe& recipe = *findSoundRecipe("Data/Sounds/RemoveBoxes.Wav");
    std::vector<uint8_t> first, second;
    std::string error;
    ASSERT_TRUE(encodeForFile(recipe.name, renderSound(recipe), &first, &error)) << error;
    ASSERT_TRUE(encodeForFile(recipe.name, renderSound(recipe), &second, &error)) << error;
    EXPECT_EQ(first, second);
}

TEST(AudioRecipes, UnknownNamesAndFormatsAreRefused) {
    EXPECT_EQ(findSoundRecipe("Data/Sounds/Missing.Wav"), nullptr);
    EXPECT_EQ(renderMusic("Data/Music/Other.Mp3").frames(), 0u);
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(encodeForFile("Data/Sounds/X.Flac", AudioBuffer(1, 100), &bytes, &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace brx::tools
