// Second-order filter (the usual cookbook low-, high- and band-pass). The cut-off may be moved
// while the filter runs; the state carries over, so sweeps stay smooth.
#pragma once

namespace brx::tools {

enum class FilterType { lowPass, highPass, bandPass };

class Biquad {
public:
    // Cut-off (or centre) in Hz; q 0.707 is a flat pass band.
    Biquad(FilterType type, float cutoffHz, float q = 0.707f, int sampleRateHz = 44100);

    // Moves the cut-off (Hz); cheap enough to call every few samples.
    void setCutoff(float cutoffHz);
    // Filters one sample.
    float process(float input);

private:
    FilterType kind;
    float quality;
    int rateHz;
    float b0 = 0, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

}  // namespace brx::tools
