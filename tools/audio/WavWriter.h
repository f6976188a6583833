// RIFF/WAVE writer: 16-bit signed PCM, the plain form every loader reads.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/audio/AudioBuffer.h"

namespace brx::tools {

// Size of the header before the sample data (RIFF + fmt + data chunk headers).
constexpr size_t kWavHeaderBytes = 44;

// Converts a sample (-1..1) to 16 bits with rounding; values beyond full scale saturate.
int16_t toPcm16(float sample);
// The complete file: header and little-endian interleaved samples.
std::vector<uint8_t> encodeWav(const AudioBuffer& buffer);

}  // namespace brx::tools
