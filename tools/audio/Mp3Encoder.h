// MP3 through LAME, constant bit rate, with the encoder-delay tag written into the first
// frame so decoders that honour it return exactly the samples that went in (loops stay tight).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/audio/AudioBuffer.h"

namespace brx::tools {

// Encodes a mono or stereo 44.1 kHz buffer at bitRateKbps. False and *error on failure.
bool encodeMp3(const AudioBuffer& buffer, int bitRateKbps, std::vector<uint8_t>* out,
               std::string* error);

}  // namespace brx::tools
