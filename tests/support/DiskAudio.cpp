#include "tests/support/DiskAudio.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

namespace testsupport {
namespace {

constexpr int kRateHz = 44100;
constexpr size_t kStretchBytes = 8192;  // about 46 ms of 16-bit stereo output
constexpr size_t kQueuedBytes = 32768;  // more than the device and stdio buffer at once

void put32(std::string* out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out->push_back(char((value >> (8 * i)) & 0xFF));
}
void put16(std::string* out, uint16_t value) {
    out->push_back(char(value & 0xFF));
    out->push_back(char(value >> 8));
}

}  // namespace

std::string makeToneWav(int durationMs, float frequencyHz, int16_t amplitude) {
    const uint32_t frames = uint32_t(kRateHz) * uint32_t(durationMs) / 1000u;
    std::string wav = "RIFF";
    put32(&wav, 36 + frames * 2);
    wav += "WAVEfmt ";
    put32(&wav, 16);
    put16(&wav, 1);  // PCM
    put16(&wav, 1);  // mono
    put32(&wav, kRateHz);
    put32(&wav, kRateHz * 2);
    put16(&wav, 2);
    put16(&wav, 16);
    wav += "data";
    put32(&wav, frames * 2);
    for (uint32_t i = 0; i < frames; ++i)
        put16(&wav, uint16_t(int16_t(amplitude * std::sin(6.2831853 * frequencyHz * i / kRateHz))));
    return wav;
}

DiskAudio::DiskAudio() : path_((folder_.path() / "output.raw").string()) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path_.c_str(), 1);
}

size_t DiskAudio::written() const {
    std::ifstream file(path_, std::ios::binary | std::ios::ate);
    return file ? size_t(file.tellg()) : 0;
}

bool DiskAudio::waitForOutput(size_t from, size_t bytes, int timeoutMs) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (written() < from + bytes) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

bool DiskAudio::audibleIn(size_t from, size_t bytes) const {
    std::ifstream file(path_, std::ios::binary);
    std::vector<char> data(bytes);
    file.seekg(std::streamoff(from));
    file.read(data.data(), std::streamsize(bytes));
    const size_t got = size_t(file.gcount());
    for (size_t i = 0; i < got; ++i)
        if (data[i] != 0) return true;
    return false;
}

bool DiskAudio::becomesAudible(int timeoutMs) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    size_t from = written();
    while (std::chrono::steady_clock::now() < deadline) {
        if (!waitForOutput(from, kStretchBytes, timeoutMs)) return false;
        if (audibleIn(from, kStretchBytes)) return true;
        from += kStretchBytes;
    }
    return false;
}

bool DiskAudio::staysSilent() const {
    const size_t from = written() + kQueuedBytes;
    if (!waitForOutput(from, kStretchBytes * 4)) return false;
    return !audibleIn(from, kStretchBytes * 4);
}

}  // namespace testsupport
