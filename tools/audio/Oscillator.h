// A phase-accumulating oscillator. Saw and square are band-limited (polyBLEP) so high notes
// and fast pitch sweeps do not alias into whistles.
#pragma once

namespace brx::tools {

enum class Wave { sine, triangle, saw, square };

class Oscillator {
public:
    explicit Oscillator(Wave wave, float startPhase = 0.0f) : shape(wave), phase(startPhase) {}

    // Next sample at the given frequency (Hz); the frequency may change every sample.
    float next(float frequencyHz, int sampleRateHz = 44100);
    // Next sample with the phase pushed by `phaseOffset` cycles (FM carrier).
    float nextModulated(float frequencyHz, float phaseOffset, int sampleRateHz = 44100);

private:
    float shaped(float cyclePhase, float increment) const;

    Wave shape;
    float phase;  // cycles, 0..1
};

// Frequency (Hz) of a MIDI note number (69 = A4 = 440 Hz).
float noteHz(float midiNote);

}  // namespace brx::tools
