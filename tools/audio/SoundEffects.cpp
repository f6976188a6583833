#include "tools/audio/SoundEffects.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "tools/audio/Biquad.h"
#include "tools/audio/NoteSynth.h"
#include "tools/audio/Oscillator.h"
#include "tools/audio/Reverb.h"
#include "tools/audio/SynthRandom.h"

namespace brx::tools {
namespace {

constexpr double kSignalFadeS = 0.008;

// Adds fn(t) for t in [startS, startS + lengthS) to the buffer.
void addSignal(AudioBuffer& out, double startS, double lengthS,
               const std::function<float(float)>& fn) {
    const size_t first = out.frameAt(startS);
    const size_t count = size_t(lengthS * out.sampleRateHz());
    // The last few milliseconds fade out, so a signal cut short ends without a click.
    const size_t fade = std::min(count, size_t(kSignalFadeS * out.sampleRateHz()));
    for (size_t i = 0; i < count && first + i < out.frames(); ++i) {
        const float tail = i + fade < count ? 1.0f : float(count - i) / float(fade);
        out.at(first + i, 0) += fn(float(i) / float(out.sampleRateHz())) * tail;
    }
}

// Short linear fades at both ends so no file starts or stops on a step.
void softenEdges(AudioBuffer& out, double inS, double outS) {
    const size_t fadeIn = std::min(out.frames(), size_t(inS * out.sampleRateHz()));
    const size_t fadeOut = std::min(out.frames(), size_t(outS * out.sampleRateHz()));
    for (size_t i = 0; i < fadeIn; ++i) out.at(i, 0) *= float(i) / float(fadeIn);
    for (size_t i = 0; i < fadeOut; ++i)
        out.at(out.frames() - 1 - i, 0) *= float(i) / float(fadeOut);
}

// Soft saturation: rounds off the top of loud transients, adds grit to explosions.
void saturate(AudioBuffer& out, float drive) {
    for (float& value : out.samples()) value = std::tanh(value * drive) / std::tanh(drive);
}

// A decaying burst of band-passed noise: the crack of one breaking block.
void addCrack(AudioBuffer& out, SynthRandom& random, double startS, float centreHz, float decay,
              float gain) {
    Biquad band(FilterType::bandPass, centreHz, 1.4f);
    const double lengthS = 5.0 / decay;
    addSignal(out, startS, lengthS, [&](float t) {
        return band.process(random.noise()) * std::exp(-t * decay) * gain * 2.5f;
    });
}

// A short knock with a falling pitch: the body of a block hitting something.
void addKnock(AudioBuffer& out, double startS, float hz, float decay, float gain) {
    Oscillator tone(Wave::sine);
    addSignal(out, startS, 5.0 / decay, [&](float t) {
        const float f = hz * (0.85f + 0.15f * std::exp(-t * 30.0f));
        return tone.next(f) * std::exp(-t * decay) * std::min(1.0f, t * 2000.0f) * gain;
    });
}

// A bell-like partial set (inharmonic, as struck metal) decaying at `decay` per second.
void addChimeNote(AudioBuffer& out, double startS, float midi, float decay, float gain) {
    const float hz = noteHz(midi);
    Oscillator a(Wave::sine), b(Wave::sine), c(Wave::sine);
    addSignal(out, startS, 6.0 / decay, [&](float t) {
        const float attack = std::min(1.0f, t * 400.0f);
        const float body = a.next(hz) + 0.35f * b.next(hz * 2.76f) * std::exp(-t * decay) +
                           0.12f * c.next(hz * 5.4f) * std::exp(-t * decay * 2.0f);
        return body * attack * std::exp(-t * decay) * gain;
    });
}

}  // namespace

AudioBuffer renderHoverTick() {
    AudioBuffer out(1, size_t(0.045 * kSampleRateHz));
    SynthRandom random(101);
    Oscillator tone(Wave::sine);
    Biquad band(FilterType::bandPass, 4200.0f, 2.0f);
    addSignal(out, 0.0, 0.045, [&](float t) {
        return tone.next(2900.0f) * std::exp(-t * 260.0f) +
               band.process(random.noise()) * std::exp(-t * 500.0f) * 0.8f;
    });
    softenEdges(out, 0.0008, 0.005);
    return out;
}

AudioBuffer renderClick() {
    AudioBuffer out(1, size_t(0.08 * kSampleRateHz));
    SynthRandom random(102);
    Oscillator high(Wave::sine), low(Wave::sine);
    Biquad band(FilterType::bandPass, 2500.0f, 1.2f);
    addSignal(out, 0.0, 0.08, [&](float t) {
        const float snap = band.process(random.noise()) * std::exp(-t * 380.0f) * 1.6f;
        const float ping =
            high.next(1150.0f - 300.0f * std::min(1.0f, t * 60.0f)) * std::exp(-t * 110.0f) * 0.7f;
        return snap + ping + low.next(230.0f) * std::exp(-t * 70.0f) * 0.4f;
    });
    softenEdges(out, 0.0005, 0.008);
    return out;
}

AudioBuffer renderCrumble() {
    AudioBuffer out(1, size_t(0.95 * kSampleRateHz));
    SynthRandom random(103);
    addKnock(out, 0.0, 110.0f, 22.0f, 0.9f);
    double at = 0.0;
    for (int block = 0; block < 11; ++block) {
        const float gain = std::pow(0.84f, float(block));
        addCrack(out, random, at, random.uniform(900.0f, 3400.0f), random.uniform(45.0f, 70.0f),
                 gain);
        addKnock(out, at + 0.002, random.uniform(330.0f, 880.0f), 48.0f, gain * 0.55f);
        at += random.uniform(0.018f, 0.05f) * (1.0f + block * 0.12f);
    }
    for (int grit = 0; grit < 36; ++grit) {  // small debris settling
        const double when = 0.05 + std::pow(random.uniform(0.0f, 1.0f), 1.6f) * 0.55;
        addCrack(out, random, when, random.uniform(2500.0f, 7000.0f), 260.0f,
                 random.uniform(0.06f, 0.2f) * float(1.0 - when));
    }
    Reverb(0.35f, 0.6f).apply(out, 0.35f);
    softenEdges(out, 0.0005, 0.06);
    return out;
}

AudioBuffer renderSelectChime() {
    AudioBuffer out(1, size_t(0.5 * kSampleRateHz));
    const float notes[3] = {79.0f, 84.0f, 88.0f};  // G5 C6 E6, upward
    for (int i = 0; i < 3; ++i) addChimeNote(out, i * 0.045, notes[i], 9.0f, 0.4f + 0.1f * i);
    Reverb(0.3f, 0.5f).apply(out, 0.25f);
    softenEdges(out, 0.0005, 0.08);
    return out;
}

AudioBuffer renderLineThump() {
    AudioBuffer out(1, size_t(0.45 * kSampleRateHz));
    SynthRandom random(105);
    Oscillator body(Wave::sine);
    Biquad low(FilterType::lowPass, 600.0f);
    Biquad edge(FilterType::bandPass, 1300.0f, 1.0f);
    addSignal(out, 0.0, 0.45, [&](float t) {
        const float hz = 42.0f + 110.0f * std::exp(-t * 22.0f);
        const float thud = body.next(hz) * std::exp(-t * 9.0f);
        const float dust = low.process(random.noise()) * std::exp(-t * 28.0f) * 1.2f;
        const float tap = edge.process(random.noise()) * std::exp(-t * 180.0f) * 0.9f;
        return thud + dust + tap;
    });
    softenEdges(out, 0.0005, 0.05);
    return out;
}

AudioBuffer renderCoin() {
    AudioBuffer out(1, size_t(0.55 * kSampleRateHz));
    Oscillator first(Wave::square), second(Wave::square), shine(Wave::sine);
    Biquad soften(FilterType::lowPass, 4500.0f);
    const float lowHz = noteHz(83.0f), highHz = noteHz(88.0f);  // B5 then E6
    addSignal(out, 0.0, 0.55, [&](float t) {
        float value = 0.0f;
        if (t < 0.075f)
            value = first.next(lowHz) * 0.6f;
        else
            value = (second.next(highHz) * 0.55f + shine.next(highHz * 2.0f) * 0.25f) *
                    std::exp(-(t - 0.075f) * 6.5f);
        return soften.process(value);
    });
    softenEdges(out, 0.001, 0.06);
    return out;
}

AudioBuffer renderFillLoop() {
    // An endlessly rising major scale: every note sounds in several octaves under a fixed
    // bell-shaped spectral window, so one step above the top is the bottom again and the loop
    // climbs forever without jumping.
    const int stepsPerLoop = 14;  // two turns of the 7-note scale
    const double stepS = kFillLoopS / stepsPerLoop;
    const size_t loopFrames = size_t(std::llround(kFillLoopS * kSampleRateHz));
    AudioBuffer out(1, loopFrames + size_t(0.6 * kSampleRateHz));
    const int scale[7] = {0, 2, 4, 5, 7, 9, 11};
    for (int step = 0; step < stepsPerLoop; ++step) {
        const float pitchClass = float(scale[step % 7]) + 12.0f * float(step / 7);
        for (int octave = -3; octave <= 3; ++octave) {
            const float midi = 60.0f + pitchClass + 12.0f * float(octave);
            const float distance = (midi - 84.0f) / 12.0f;
            const float weight = std::exp(-distance * distance * 1.6f);
            if (weight < 0.02f) continue;
            addChimeNote(out, step * stepS, midi, 14.0f, 0.3f * weight);
        }
    }
    // A quiet drone whose frequencies fit a whole number of cycles into the loop.
    const float cycleHz = float(1.0 / kFillLoopS);
    Oscillator root(Wave::sine), fifth(Wave::sine);
    const float rootHz = std::round(noteHz(60.0f) / cycleHz) * cycleHz;
    const float fifthHz = std::round(noteHz(67.0f) / cycleHz) * cycleHz;
    for (size_t i = 0; i < loopFrames; ++i)
        out.at(i, 0) += 0.05f * root.next(rootHz) + 0.035f * fifth.next(fifthHz);
    out.wrapTail(loopFrames);
    return out;
}

AudioBuffer renderPop() {
    AudioBuffer out(1, size_t(0.16 * kSampleRateHz));
    SynthRandom random(108);
    Oscillator bubble(Wave::sine);
    Biquad band(FilterType::bandPass, 3000.0f, 1.5f);
    addSignal(out, 0.0, 0.16, [&](float t) {
        const float hz = 520.0f + 820.0f * (1.0f - std::exp(-t * 55.0f));
        const float pop = band.process(random.noise()) * std::exp(-t * 700.0f) * 1.2f;
        return bubble.next(hz) * std::exp(-t * 38.0f) * std::min(1.0f, t * 1500.0f) + pop;
    });
    softenEdges(out, 0.0005, 0.02);
    return out;
}

AudioBuffer renderColorBurst() {
    AudioBuffer out(1, size_t(1.4 * kSampleRateHz));
    SynthRandom random(109);
    Biquad blast(FilterType::lowPass, 5000.0f);
    Oscillator boom(Wave::sine);
    size_t sample = 0;
    addSignal(out, 0.0, 0.6, [&](float t) {
        if (sample++ % 16 == 0) blast.setCutoff(700.0f + 4300.0f * std::exp(-t * 9.0f));
        return blast.process(random.noise()) * std::exp(-t * 11.0f) * 1.1f +
               boom.next(40.0f + 60.0f * std::exp(-t * 14.0f)) * std::exp(-t * 8.0f) * 0.8f;
    });
    // A shower of sparkles on the notes of a bright pentatonic scale.
    const int sparkle[5] = {0, 2, 4, 7, 9};
    for (int i = 0; i < 46; ++i) {
        const double when = 0.02 + std::pow(random.uniform(0.0f, 1.0f), 1.8f) * 0.85;
        const float midi =
            84.0f + float(sparkle[random.integer(0, 4)]) + 12.0f * random.integer(0, 1);
        addChimeNote(out, when, midi, random.uniform(16.0f, 30.0f),
                     random.uniform(0.08f, 0.2f) * float(1.1 - when));
    }
    Reverb(0.6f, 0.4f).apply(out, 0.4f);
    softenEdges(out, 0.0005, 0.15);
    return out;
}

AudioBuffer renderExplosion() {
    AudioBuffer out(1, size_t(3.0 * kSampleRateHz));
    SynthRandom random(110);
    Biquad rumble(FilterType::lowPass, 3000.0f, 0.8f);
    Oscillator sub(Wave::sine);
    size_t sample = 0;
    addSignal(out, 0.0, 2.6, [&](float t) {
        if (sample++ % 16 == 0) rumble.setCutoff(140.0f + 3200.0f * std::exp(-t * 2.8f));
        const float crack = random.noise() * std::exp(-t * 45.0f) * 0.7f;
        const float body = rumble.process(random.noise()) * std::exp(-t * 1.9f) * 1.6f *
                           std::min(1.0f, t * 200.0f);
        const float boom = sub.next(28.0f + 50.0f * std::exp(-t * 4.0f)) * std::exp(-t * 2.6f);
        return crack + body + boom;
    });
    for (int i = 0; i < 90; ++i) {  // debris crackling as the blast dies down
        const double when = 0.08 + std::pow(random.uniform(0.0f, 1.0f), 1.5f) * 1.8;
        addCrack(out, random, when, random.uniform(800.0f, 5000.0f), 200.0f,
                 random.uniform(0.05f, 0.25f) * float(std::exp(-when * 1.2)));
    }
    saturate(out, 1.8f);
    Reverb(0.88f, 0.5f).apply(out, 0.5f);
    softenEdges(out, 0.0005, 0.4);
    return out;
}

AudioBuffer renderWarning() {
    AudioBuffer out(1, size_t(1.55 * kSampleRateHz));
    const float tones[2] = {noteHz(83.0f), noteHz(79.0f)};  // B5, G5
    for (int beep = 0; beep < 4; ++beep) {
        Oscillator square(Wave::square), sine(Wave::sine);
        Biquad soften(FilterType::lowPass, 2800.0f);
        const float hz = tones[beep % 2];
        addSignal(out, beep * 0.27, 0.2, [&](float t) {
            const float gate = std::min(1.0f, t / 0.006f) * std::min(1.0f, (0.2f - t) / 0.02f);
            return soften.process(square.next(hz) * 0.45f + sine.next(hz) * 0.6f) * gate;
        });
    }
    Reverb(0.4f, 0.5f).apply(out, 0.2f);
    softenEdges(out, 0.0005, 0.1);
    return out;
}

AudioBuffer renderZap() {
    AudioBuffer out(1, size_t(0.6 * kSampleRateHz));
    SynthRandom random(112);
    Oscillator saw(Wave::saw), wobble(Wave::sine);
    Biquad band(FilterType::bandPass, 2000.0f, 1.1f);
    Biquad fizzBand(FilterType::highPass, 4000.0f);
    size_t sample = 0;
    addSignal(out, 0.0, 0.55, [&](float t) {
        const float hz = 170.0f + 2300.0f * std::exp(-t * 11.0f);
        const float f = hz * (1.0f + 0.08f * wobble.next(38.0f));
        if (sample++ % 16 == 0) band.setCutoff(hz * 1.6f);
        const float beam = band.process(saw.next(f)) * 1.8f * std::exp(-t * 5.5f);
        const float fizz = fizzBand.process(random.noise()) * 0.35f * std::exp(-t * 14.0f);
        return (beam + fizz) * std::min(1.0f, t * 1000.0f);
    });
    Reverb(0.5f, 0.4f).apply(out, 0.25f);
    softenEdges(out, 0.0005, 0.08);
    return out;
}

AudioBuffer renderGameOver() {
    AudioBuffer out(1, size_t(2.6 * kSampleRateHz));
    NoteSynth synth(113);
    const float melody[4] = {67.0f, 66.0f, 65.0f, 64.0f};  // G4 F#4 F4 E4, sinking
    const float bassNotes[4] = {48.0f, 47.0f, 46.0f, 45.0f};
    for (int i = 0; i < 4; ++i) {
        const bool last = i == 3;
        const double at = i * 0.32;
        synth.lead(out, Note{at, last ? 1.0f : 0.26f, melody[i], 0.6f, 0.0f});
        synth.pluck(out, Note{at, last ? 1.0f : 0.26f, bassNotes[i], 0.45f, 0.0f});
    }
    Reverb(0.7f, 0.5f).apply(out, 0.35f);
    softenEdges(out, 0.0005, 0.3);
    return out;
}

}  // namespace brx::tools
