#include "tools/audio/Reverb.h"

namespace brx::tools {
namespace {

// Mutually prime delay lengths (samples at 44.1 kHz) so the echoes never line up.
constexpr int kCombLengths[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr int kAllPassLengths[] = {556, 441, 341, 225};
constexpr int kStereoSpread = 23;
constexpr float kInputGain = 0.015f;
constexpr float kAllPassFeedback = 0.5f;

}  // namespace

Reverb::Reverb(float roomSize, float damping)
    : feedback(0.7f + 0.28f * roomSize), damp(damping * 0.4f) {
    for (int length : kCombLengths) {
        leftCombs.push_back(Comb{std::vector<float>(length, 0.0f)});
        rightCombs.push_back(Comb{std::vector<float>(length + kStereoSpread, 0.0f)});
    }
    for (int length : kAllPassLengths) {
        leftAllPasses.push_back(AllPass{std::vector<float>(length, 0.0f)});
        rightAllPasses.push_back(AllPass{std::vector<float>(length + kStereoSpread, 0.0f)});
    }
}

float Reverb::processSide(float input, std::vector<Comb>& combs, std::vector<AllPass>& allPasses) {
    float output = 0.0f;
    for (Comb& comb : combs) {
        const float delayed = comb.line[comb.position];
        comb.store = delayed * (1.0f - damp) + comb.store * damp;
        comb.line[comb.position] = input + comb.store * feedback;
        if (++comb.position == comb.line.size()) comb.position = 0;
        output += delayed;
    }
    for (AllPass& pass : allPasses) {
        const float delayed = pass.line[pass.position];
        pass.line[pass.position] = output + delayed * kAllPassFeedback;
        if (++pass.position == pass.line.size()) pass.position = 0;
        output = delayed - output;
    }
    return output;
}

void Reverb::apply(AudioBuffer& buffer, float wetGain) {
    const int channels = buffer.channels();
    for (size_t frame = 0; frame < buffer.frames(); ++frame) {
        float input = 0.0f;
        for (int c = 0; c < channels; ++c) input += buffer.at(frame, c);
        input *= kInputGain / float(channels);
        const float left = processSide(input, leftCombs, leftAllPasses);
        if (channels == 1) {
            buffer.at(frame, 0) += left * wetGain;
            continue;
        }
        const float right = processSide(input, rightCombs, rightAllPasses);
        buffer.at(frame, 0) += left * wetGain;
        buffer.at(frame, 1) += right * wetGain;
    }
}

}  // namespace brx::tools
