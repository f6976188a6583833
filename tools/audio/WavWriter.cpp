#include "tools/audio/WavWriter.h"

#include <algorithm>
#include <cmath>

namespace brx::tools {
namespace {

void putText(std::vector<uint8_t>& out, const char* text) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(text[i]));
}

void put16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(uint8_t(value & 0xFF));
    out.push_back(uint8_t(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(uint8_t((value >> shift) & 0xFF));
}

}  // namespace

int16_t toPcm16(float sample) {
    const float scaled = std::round(std::clamp(sample, -1.0f, 1.0f) * 32767.0f);
    return int16_t(scaled);
}

std::vector<uint8_t> encodeWav(const AudioBuffer& buffer) {
    const uint16_t channels = uint16_t(buffer.channels());
    const uint32_t rate = uint32_t(buffer.sampleRateHz());
    const uint16_t blockAlign = uint16_t(channels * 2);
    const uint32_t dataBytes = uint32_t(buffer.samples().size() * 2);
    std::vector<uint8_t> out;
    out.reserve(kWavHeaderBytes + dataBytes);
    putText(out, "RIFF");
    put32(out, 36 + dataBytes);
    putText(out, "WAVE");
    putText(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, channels);
    put32(out, rate);
    put32(out, rate * blockAlign);
    put16(out, blockAlign);
    put16(out, 16);
    putText(out, "data");
    put32(out, dataBytes);
    for (float sample : buffer.samples()) put16(out, uint16_t(toPcm16(sample)));
    return out;
}

}  // namespace brx::tools
