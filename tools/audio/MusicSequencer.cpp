#include "tools/audio/MusicSequencer.h"

#include <algorithm>
#include <cmath>

#include "tools/audio/FeedbackDelay.h"
#include "tools/audio/Loudness.h"
#include "tools/audio/Reverb.h"

namespace brx::tools {
namespace {

// Room after the last bar for releases, echoes and the reverb tail, folded back on mixdown.
constexpr double kTailS = 6.0;
constexpr double kTimingJitterS = 0.004;
constexpr float kRoomWet = 0.9f;
constexpr float kEchoWet = 0.35f;

// Chord tones as MIDI notes, each moved by octaves toward `centre` (smooth voice leading).
std::vector<int> voiced(const Chord& chord, int centre) {
    std::vector<int> notes;
    for (int tone : chord.tones) {
        int note = chord.root + tone;
        while (note < centre - 6) note += 12;
        while (note > centre + 5) note -= 12;
        notes.push_back(note);
    }
    std::sort(notes.begin(), notes.end());
    return notes;
}

}  // namespace

MusicSequencer::MusicSequencer(float bpm, int bars, uint32_t seed)
    : tempo(bpm), barCount(bars), synth(seed) {
    const size_t frames = size_t((barS() * bars + kTailS) * kSampleRateHz);
    dry = AudioBuffer(2, frames);
    roomSend = AudioBuffer(2, frames);
    echoSend = AudioBuffer(2, frames);
}

double MusicSequencer::humanised(double timeS) {
    if (timeS <= 0.0) return timeS;  // the first beat of the loop stays on the grid
    return timeS + synth.randomSource().uniform(-1.0f, 1.0f) * kTimingJitterS;
}

float MusicSequencer::humanVelocity(float velocity) {
    return velocity * synth.randomSource().uniform(0.9f, 1.05f);
}

void MusicSequencer::pad(int bar, int bars, const Chord& chord, float velocity) {
    const std::vector<int> notes = voiced(chord, 62);
    float pan = -0.5f;
    for (int note : notes) {
        const Note n{bar * barS(), float(bars * barS() - 0.15), float(note),
                     velocity / float(notes.size()), pan};
        synth.pad(roomSend, n);
        pan += 1.0f / float(std::max<size_t>(1, notes.size() - 1));
    }
}

void MusicSequencer::bass(int bar, const Chord& chord, const std::string& pattern, float velocity) {
    int root = chord.root;
    while (root >= 48) root -= 12;
    while (root < 36) root += 12;
    for (size_t step = 0; step < pattern.size() && step < 16; ++step) {
        const char symbol = pattern[step];
        if (symbol == '-' || symbol == '.') continue;
        size_t held = 1;
        while (step + held < pattern.size() && pattern[step + held] == '-') ++held;
        const int offset = symbol == 'O' ? 12 : symbol == 'F' ? 7 : 0;
        const Note n{humanised(bar * barS() + step * stepS()), float(held * stepS() * 0.9),
                     float(root + offset), humanVelocity(velocity), 0.0f};
        synth.bass(dry, n);
    }
}

void MusicSequencer::arpeggio(int bar, const Chord& chord, const std::vector<int>& order,
                              int stepsPerNote, int lowest, float velocity) {
    std::vector<int> ladder;
    for (int octave = 0; octave < 3; ++octave)
        for (int tone : chord.tones) {
            int note = chord.root + tone + 12 * octave;
            while (note < lowest) note += 12;
            ladder.push_back(note);
        }
    std::sort(ladder.begin(), ladder.end());
    ladder.erase(std::unique(ladder.begin(), ladder.end()), ladder.end());
    const int notes = 16 / std::max(1, stepsPerNote);
    for (int i = 0; i < notes; ++i) {
        const int index = order[size_t(i) % order.size()];
        const int note = ladder[size_t(std::clamp(index, 0, int(ladder.size()) - 1))];
        const float pan = (i % 2 == 0) ? -0.35f : 0.35f;
        const Note n{humanised(bar * barS() + i * stepsPerNote * stepS()),
                     float(stepsPerNote * stepS()), float(note), humanVelocity(velocity), pan};
        synth.pluck(roomSend, n);
    }
}

void MusicSequencer::drums(int bar, const std::string& kick, const std::string& snare,
                           const std::string& hats, float velocity) {
    auto level = [](char symbol) { return symbol == 'o' ? 0.45f : 1.0f; };
    for (size_t step = 0; step < 16; ++step) {
        const double at = bar * barS() + step * stepS();
        if (step < kick.size() && kick[step] != '.')
            synth.kick(dry, at, velocity * level(kick[step]));
        if (step < snare.size() && snare[step] != '.')
            synth.snare(roomSend, humanised(at),
                        humanVelocity(velocity) * level(snare[step]) * 0.6f, 0.1f);
        if (step < hats.size() && hats[step] != '.')
            synth.hat(dry, humanised(at), humanVelocity(velocity) * level(hats[step]) * 0.35f,
                      hats[step] == 'O', 0.3f);
    }
}

void MusicSequencer::shakers(int bar, const std::string& pattern, float velocity) {
    for (size_t step = 0; step < pattern.size() && step < 16; ++step) {
        if (pattern[step] == '.') continue;
        const float accent = pattern[step] == 'o' ? 0.5f : 1.0f;
        synth.shaker(roomSend, humanised(bar * barS() + step * stepS()),
                     humanVelocity(velocity) * accent, -0.3f);
    }
}

void MusicSequencer::melody(const std::vector<MelodyNote>& notes, MelodyVoice voice, float pan,
                            bool echo) {
    for (const MelodyNote& m : notes) {
        const Note n{humanised(m.step * stepS()), float(m.steps * stepS() * 0.92), m.pitch,
                     humanVelocity(m.velocity), pan};
        AudioBuffer& target = echo ? echoSend : roomSend;
        switch (voice) {
            case MelodyVoice::lead:
                synth.lead(target, n);
                break;
            case MelodyVoice::bell:
                synth.bell(target, n);
                break;
            case MelodyVoice::pluck:
                synth.pluck(target, n);
                break;
        }
    }
}

AudioBuffer MusicSequencer::mixdown(float targetRmsDb, float ceilingDb) {
    AudioBuffer echoes = echoSend;
    FeedbackDelay(float(stepS() * 3.0), 0.38f).apply(echoes, kEchoWet);
    roomSend.mix(echoes, 0, 1.0f);
    AudioBuffer room = roomSend;
    Reverb(0.82f, 0.45f).apply(room, kRoomWet);
    dry.mix(room, 0, 1.0f);
    dry.wrapTail(size_t(std::llround(barS() * barCount * kSampleRateHz)));
    normaliseLoudness(dry, targetRmsDb, ceilingDb, true);
    return std::move(dry);
}

}  // namespace brx::tools
