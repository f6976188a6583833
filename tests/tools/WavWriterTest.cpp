#include "tools/audio/WavWriter.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/AudioDecode.h"

namespace brx::tools {
namespace {

uint32_t read32(const std::vector<uint8_t>& bytes, size_t at) {
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
}

uint16_t read16(const std::vector<uint8_t>& bytes, size_t at) {
    return uint16_t(bytes[at] | bytes[at + 1] << 8);
}

TEST(WavWriter, HeaderDescribes16BitPcm) {
    const AudioBuffer buffer(2, 1000);
    const std::vector<uint8_t> bytes = encodeWav(buffer);
    ASSERT_EQ(bytes.size(), kWavHeaderBytes + 1000 * 4);
    EXPECT_EQ(std::memcmp(bytes.data(), "RIFF", 4), 0);
    EXPECT_EQ(read32(bytes, 4), bytes.size() - 8);
    EXPECT_EQ(std::memcmp(bytes.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(read16(bytes, 20), 1);  // PCM
    EXPECT_EQ(read16(bytes, 22), 2);
    EXPECT_EQ(read32(bytes, 24), 44100u);
    EXPECT_EQ(read32(bytes, 28), 44100u * 4);
    EXPECT_EQ(read16(bytes, 32), 4);
    EXPECT_EQ(read16(bytes, 34), 16);
    EXPECT_EQ(std::memcmp(bytes.data() + 36, "data", 4), 0);
    EXPECT_EQ(read32(bytes, 40), 1000u * 4);
}

TEST(WavWriter, SamplesRoundAndSaturate) {
    EXPECT_EQ(toPcm16(0.0f), 0);
    EXPECT_EQ(toPcm16(1.0f), 32767);
    EXPECT_EQ(toPcm16(-1.0f), -32767);
    EXPECT_EQ(toPcm16(3.0f), 32767);
    EXPECT_EQ(toPcm16(-3.0f), -32767);
    EXPECT_EQ(toPcm16(0.5f / 32767.0f + 1e-6f), 1);
}

TEST(WavWriter, RoundTripsThroughTheMixerUnchanged) {
    AudioBuffer buffer(2, 4410);
    for (size_t i = 0; i < buffer.frames(); ++i) {
        buffer.at(i, 0) = float(int(i % 2000) - 1000) / 1000.0f;  // ramp over full scale
        buffer.at(i, 1) = (i % 7 == 0) ? -0.25f : 0.125f;
    }
    const std::vector<uint8_t> bytes = encodeWav(buffer);
    platform::DecodedAudio decoded;
    std::string error;
    ASSERT_TRUE(platform::decodeAudio(bytes.data(), bytes.size(), &decoded, &error)) << error;
    ASSERT_EQ(decoded.sampleRateHz, 44100);
    ASSERT_EQ(decoded.channels, 2);
    ASSERT_EQ(decoded.frames(), buffer.frames());
    for (size_t i = 0; i < buffer.samples().size(); ++i)
        ASSERT_EQ(decoded.samples[i], toPcm16(buffer.samples()[i])) << "sample " << i;
}

TEST(WavWriter, MonoFilesPlayOnBothChannels) {
    AudioBuffer buffer(1, 100);
    for (size_t i = 0; i < buffer.frames(); ++i) buffer.at(i, 0) = 0.5f;
    const std::vector<uint8_t> bytes = encodeWav(buffer);
    platform::DecodedAudio decoded;
    std::string error;
    ASSERT_TRUE(platform::decodeAudio(bytes.data(), bytes.size(), &decoded, &error)) << error;
    ASSERT_EQ(decoded.frames(), 100u);
    EXPECT_EQ(decoded.samples[0], toPcm16(0.5f));
    EXPECT_EQ(decoded.samples[1], toPcm16(0.5f));
}

TEST(AudioDecode, RefusesDataThatIsNoSound) {
    const uint8_t junk[64] = {'R', 'I', 'F', 'F', 0xFF, 0xFF, 0xFF, 0x7F, 'W', 'A', 'V', 'E'};
    platform::DecodedAudio decoded;
    std::string error;
    EXPECT_FALSE(platform::decodeAudio(junk, sizeof junk, &decoded, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(platform::decodeAudio(nullptr, 0, &decoded, &error));
}

}  // namespace
}  // namespace brx::tools
