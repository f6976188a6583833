// Float sample storage shared by the synth, the effects and the encoders: interleaved frames,
// one or two channels, 44.1 kHz unless told otherwise. Values run nominally from -1 to 1.
#pragma once

#include <cstddef>
#include <vector>

namespace brx::tools {

constexpr int kSampleRateHz = 44100;

// Channel gains of an equal-power pan position (-1 left .. 1 right); worked out once per note.
struct PanGains {
    float left = 1.0f;
    float right = 1.0f;
};
PanGains panGains(float pan);

class AudioBuffer {
public:
    AudioBuffer() = default;
    // A silent buffer of `frames` frames.
    AudioBuffer(int channels, size_t frames, int sampleRateHz = kSampleRateHz);

    int channels() const { return channelCount; }
    int sampleRateHz() const { return rateHz; }
    size_t frames() const { return channelCount == 0 ? 0 : data.size() / channelCount; }
    double seconds() const { return double(frames()) / rateHz; }
    // Frame index of a time (s), rounded down.
    size_t frameAt(double seconds) const { return size_t(seconds * rateHz); }

    float& at(size_t frame, int channel) { return data[frame * channelCount + channel]; }
    float at(size_t frame, int channel) const { return data[frame * channelCount + channel]; }
    std::vector<float>& samples() { return data; }
    const std::vector<float>& samples() const { return data; }

    // Adds a mono value to a frame, spread by pan gains (a mono buffer takes it unchanged).
    void addPanned(size_t frame, float value, const PanGains& gains);
    // Mixes another buffer of the same channel count in, starting at a frame, scaled by gain;
    // whatever runs past the end is dropped.
    void mix(const AudioBuffer& other, size_t startFrame, float gain);
    // Multiplies every sample.
    void scale(float gain);
    // Grows or shrinks to `frames` frames (new frames are silent).
    void resize(size_t frames);
    // Folds everything from frame `loopFrames` on back onto the start and cuts the buffer to
    // `loopFrames`: the tail of a looped piece (releases, echoes) then sounds over its head,
    // as it does when the loop plays on, so the seam carries no jump.
    void wrapTail(size_t loopFrames);
    // Largest absolute sample value.
    float peak() const;

private:
    int channelCount = 0;
    int rateHz = kSampleRateHz;
    std::vector<float> data;
};

}  // namespace brx::tools
