// Ogg Vorbis through libvorbisenc (quality-based VBR). The stream's granule positions give
// decoders the exact sample count, so nothing is padded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/audio/AudioBuffer.h"

namespace brx::tools {

// Encodes the buffer at quality -0.1..1 (0.5 is about 160 kbps stereo). False and *error on
// failure. The serial number is fixed so the same input gives the same bytes.
bool encodeOgg(const AudioBuffer& buffer, float quality, std::vector<uint8_t>* out,
               std::string* error);

}  // namespace brx::tools
