#include "tools/audio/NoteSynth.h"

#include <algorithm>
#include <cmath>

#include "tools/audio/Biquad.h"
#include "tools/audio/Envelope.h"
#include "tools/audio/Oscillator.h"

namespace brx::tools {
namespace {

constexpr float kTwoPi = 6.28318531f;
// Filters move their cut-off every this many samples; finer steps are inaudible.
constexpr int kFilterStep = 16;

size_t framesFor(const AudioBuffer& out, float seconds) {
    return size_t(std::max(0.0f, seconds) * float(out.sampleRateHz()));
}

}  // namespace

void NoteSynth::pad(AudioBuffer& out, const Note& note) {
    const PanGains gains = panGains(note.pan);
    const Envelope envelope(0.7f, 1.5f, 0.8f, 1.4f);
    const float hz = noteHz(note.pitch);
    const float detuneSemitones[3] = {-0.09f, 0.0f, 0.08f};
    float voiceHz[3];
    for (int v = 0; v < 3; ++v) voiceHz[v] = hz * std::pow(2.0f, detuneSemitones[v] / 12.0f);
    Oscillator voices[3] = {Oscillator(Wave::saw, random.uniform(0, 1)),
                            Oscillator(Wave::saw, random.uniform(0, 1)),
                            Oscillator(Wave::saw, random.uniform(0, 1))};
    Biquad filter(FilterType::lowPass, hz * 3.0f, 0.6f);
    const size_t start = out.frameAt(note.startS);
    const size_t count = framesFor(out, envelope.length(note.lengthS));
    for (size_t i = 0; i < count; ++i) {
        const float t = float(i) / float(out.sampleRateHz());
        if (i % kFilterStep == 0)
            filter.setCutoff(hz * (2.5f + 1.0f * std::sin(kTwoPi * 0.15f * t)) + 300.0f);
        float sum = 0.0f;
        for (int v = 0; v < 3; ++v) sum += voices[v].next(voiceHz[v]);
        const float value = filter.process(sum / 3.0f) * envelope.level(t, note.lengthS);
        out.addPanned(start + i, value * note.velocity, gains);
    }
}

void NoteSynth::bass(AudioBuffer& out, const Note& note) {
    const PanGains gains = panGains(note.pan);
    const Envelope envelope(0.006f, 0.35f, 0.6f, 0.08f);
    const float hz = noteHz(note.pitch);
    Oscillator saw(Wave::saw), sub(Wave::sine);
    Biquad filter(FilterType::lowPass, 800.0f, 0.9f);
    const size_t start = out.frameAt(note.startS);
    const size_t count = framesFor(out, envelope.length(note.lengthS));
    for (size_t i = 0; i < count; ++i) {
        const float t = float(i) / float(out.sampleRateHz());
        if (i % kFilterStep == 0) filter.setCutoff(hz * 2.0f + 900.0f * std::exp(-t * 18.0f));
        const float body = filter.process(saw.next(hz)) * 0.55f + sub.next(hz) * 0.6f;
        out.addPanned(start + i, body * envelope.level(t, note.lengthS) * note.velocity, gains);
    }
}

void NoteSynth::pluck(AudioBuffer& out, const Note& note) {
    const PanGains gains = panGains(note.pan);
    const Envelope envelope(0.003f, 0.9f, 0.0f, 0.25f);
    const float hz = noteHz(note.pitch);
    Oscillator carrier(Wave::sine), modulator(Wave::sine);
    const size_t start = out.frameAt(note.startS);
    const size_t count = framesFor(out, envelope.length(note.lengthS));
    for (size_t i = 0; i < count; ++i) {
        const float t = float(i) / float(out.sampleRateHz());
        const float index = 0.15f + 0.9f * std::exp(-t * 9.0f);
        const float value = carrier.nextModulated(hz, index * modulator.next(hz) / kTwoPi * 2.0f);
        out.addPanned(start + i, value * envelope.level(t, note.lengthS) * note.velocity, gains);
    }
}

void NoteSynth::bell(AudioBuffer& out, const Note& note) {
    const PanGains gains = panGains(note.pan);
    const Envelope envelope(0.002f, 1.6f, 0.0f, 0.6f);
    const float hz = noteHz(note.pitch);
    Oscillator carrier(Wave::sine), modulator(Wave::sine), octave(Wave::sine);
    const size_t start = out.frameAt(note.startS);
    const size_t count = framesFor(out, envelope.length(note.lengthS));
    for (size_t i = 0; i < count; ++i) {
        const float t = float(i) / float(out.sampleRateHz());
        const float index = 0.8f * std::exp(-t * 5.0f);
        const float value = carrier.nextModulated(hz, index * modulator.next(hz * 3.5f)) +
                            0.25f * octave.next(hz * 2.0f) * std::exp(-t * 6.0f);
        out.addPanned(start + i, value * 0.8f * envelope.level(t, note.lengthS) * note.velocity,
                      gains);
    }
}

void NoteSynth::lead(AudioBuffer& out, const Note& note) {
    const PanGains gains = panGains(note.pan);
    const Envelope envelope(0.025f, 0.5f, 0.75f, 0.18f);
    const float hz = noteHz(note.pitch);
    Oscillator square(Wave::square), triangle(Wave::triangle), vibrato(Wave::sine);
    Biquad filter(FilterType::lowPass, std::min(hz * 4.0f, 3200.0f), 0.7f);
    const size_t start = out.frameAt(note.startS);
    const size_t count = framesFor(out, envelope.length(note.lengthS));
    for (size_t i = 0; i < count; ++i) {
        const float t = float(i) / float(out.sampleRateHz());
        const float depth = 0.004f * std::min(1.0f, std::max(0.0f, (t - 0.2f) * 3.0f));
        const float f = hz * (1.0f + depth * vibrato.next(5.2f));
        const float value = filter.process(0.35f * square.next(f) + 0.65f * triangle.next(f));
        out.addPanned(start + i, value * envelope.level(t, note.lengthS) * note.velocity, gains);
    }
}

void NoteSynth::kick(AudioBuffer& out, double startS, float velocity, float pan) {
    const PanGains gains = panGains(pan);
    Oscillator body(Wave::sine);
    const size_t start = out.frameAt(startS);
    const size_t count = framesFor(out, 0.38f);
    for (size_t i = 0; i < count; ++i) {
        const float t = float(i) / float(out.sampleRateHz());
        const float hz = 48.0f + 110.0f * std::exp(-t * 28.0f);
        const float click = i < 60 ? random.noise() * (1.0f - float(i) / 60.0f) * 0.25f : 0.0f;
        const float fade = 1.0f - t / 0.38f;
        const float value = (body.next(hz) * std::exp(-t * 9.0f) + click) * fade;
        out.addPanned(start + i, value * velocity, gains);
    }
}

void NoteSynth::snare(AudioBuffer& out, double startS, float velocity, float pan) {
    const PanGains gains = panGains(pan);
    Oscillator tone(Wave::triangle);
    Biquad noiseBand(FilterType::bandPass, 2600.0f, 0.8f);
    Biquad noiseHigh(FilterType::highPass, 900.0f);
    const size_t start = out.frameAt(startS);
    const size_t count = framesFor(out, 0.25f);
    for (size_t i = 0; i < count; ++i) {
        const float t = float(i) / float(out.sampleRateHz());
        const float noise = noiseHigh.process(noiseBand.process(random.noise())) * 2.2f;
        const float body = tone.next(185.0f + 60.0f * std::exp(-t * 40.0f));
        const float fade = 1.0f - t / 0.25f;
        const float value = (noise * std::exp(-t * 16.0f) + body * 0.5f * std::exp(-t * 30.0f));
        out.addPanned(start + i, value * fade * velocity, gains);
    }
}

void NoteSynth::hat(AudioBuffer& out, double startS, float velocity, bool open, float pan) {
    const PanGains gains = panGains(pan);
    Biquad high(FilterType::highPass, 7000.0f, 0.8f);
    const float decayRate = open ? 14.0f : 55.0f;
    const float lengthS = open ? 0.3f : 0.09f;
    const size_t start = out.frameAt(startS);
    const size_t count = framesFor(out, lengthS);
    for (size_t i = 0; i < count; ++i) {
        const float t = float(i) / float(out.sampleRateHz());
        const float value = high.process(random.noise()) * std::exp(-t * decayRate);
        out.addPanned(start + i, value * (1.0f - t / lengthS) * velocity, gains);
    }
}

void NoteSynth::shaker(AudioBuffer& out, double startS, float velocity, float pan) {
    const PanGains gains = panGains(pan);
    Biquad band(FilterType::bandPass, 6000.0f, 1.2f);
    const size_t start = out.frameAt(startS);
    const size_t count = framesFor(out, 0.12f);
    for (size_t i = 0; i < count; ++i) {
        const float t = float(i) / float(out.sampleRateHz());
        const float shape = std::min(1.0f, t / 0.015f) * std::exp(-t * 30.0f);
        out.addPanned(start + i, band.process(random.noise()) * shape * velocity * 1.5f, gains);
    }
}

}  // namespace brx::tools
