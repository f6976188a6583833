// The instruments of the music and the building blocks of the effects. Each call renders one
// note straight into a buffer (mixed in, panned); pitches are MIDI note numbers (fractions
// allowed), times seconds, velocity 0..1.
#pragma once

#include <cstdint>

#include "tools/audio/AudioBuffer.h"
#include "tools/audio/SynthRandom.h"

namespace brx::tools {

struct Note {
    double startS = 0.0;
    float lengthS = 0.25f;  // held time; releases ring on after it
    float pitch = 60.0f;    // MIDI note number
    float velocity = 0.8f;
    float pan = 0.0f;  // -1 left .. 1 right
};

class NoteSynth {
public:
    explicit NoteSynth(uint32_t seed) : random(seed) {}

    // Warm pad: three detuned saws through a low-pass, slow attack and release.
    void pad(AudioBuffer& out, const Note& note);
    // Round bass: saw and sine sub through an enveloped low-pass.
    void bass(AudioBuffer& out, const Note& note);
    // Soft electric-piano pluck (FM 1:1 with a quickly falling index), for arpeggios.
    void pluck(AudioBuffer& out, const Note& note);
    // Glassy bell (FM 1:3.5), for chimes and melody accents.
    void bell(AudioBuffer& out, const Note& note);
    // Mellow lead: square and triangle with delayed vibrato.
    void lead(AudioBuffer& out, const Note& note);
    // Drums: kick (pitch-swept sine), snare (noise and tone), hi-hat, shaker.
    void kick(AudioBuffer& out, double startS, float velocity, float pan = 0.0f);
    void snare(AudioBuffer& out, double startS, float velocity, float pan = 0.0f);
    void hat(AudioBuffer& out, double startS, float velocity, bool open, float pan = 0.0f);
    void shaker(AudioBuffer& out, double startS, float velocity, float pan = 0.0f);

    SynthRandom& randomSource() { return random; }

private:
    SynthRandom random;
};

}  // namespace brx::tools
