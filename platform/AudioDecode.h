// Decoding a sound file held in memory into plain 16-bit samples, through the same mixer
// library that plays the game's sounds. Tools and tests use it to hear what the game will hear.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct DecodedAudio {
    int sampleRateHz = 0;
    int channels = 0;
    std::vector<int16_t> samples;  // interleaved

    size_t frames() const { return channels == 0 ? 0 : samples.size() / channels; }
};

// Decodes a WAV, MP3 or OGG file from memory into interleaved 16-bit samples in the mixer's
// output format (44.1 kHz stereo when the mixer had to be opened here). Opens the audio
// device on the silent "dummy" driver when nobody has opened it, and closes what it opened
// before returning; a device opened by the game is left as it was. False and *error on failure.
bool decodeAudio(const uint8_t* bytes, size_t size, DecodedAudio* out, std::string* error);

}  // namespace platform
