// Sound tests hear what the mixer plays through SDL's "disk" audio driver, which writes the
// mixed output, in real time, to a raw file. DiskAudio points the driver at a file in a temp
// folder and answers whether the output written from a mark on is silent or not.
#pragma once

#include <cstdint>
#include <string>

#include "tests/support/TempDir.h"

namespace testsupport {

// A mono 16-bit 44.1 kHz WAV image of a sine tone.
std::string makeToneWav(int durationMs, float frequencyHz, int16_t amplitude = 8000);

class DiskAudio {
public:
    // Selects the disk driver with its output in a fresh temp folder (before audio opens).
    DiskAudio();

    // The number of output bytes written so far.
    size_t written() const;
    // Waits (up to timeoutMs) until at least `bytes` more have been written after `from`;
    // false on time-out.
    bool waitForOutput(size_t from, size_t bytes, int timeoutMs = 5000) const;
    // True when some byte in [from, from + bytes) is not zero.
    bool audibleIn(size_t from, size_t bytes) const;
    // Waits until the output after the current end is audible (true) or the time-out passes.
    bool becomesAudible(int timeoutMs = 5000) const;
    // Skips what the device may still have queued, then checks a stretch of fresh output.
    bool staysSilent() const;

private:
    TempDir folder_;
    std::string path_;
};

}  // namespace testsupport
