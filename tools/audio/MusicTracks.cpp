// Both pieces follow one plan: an 8-bar chord cycle, sections that add and drop parts, and a
// melody built from one short motif repeated and varied so the ear has something to hold on
// to over many minutes. The last section ends on the chord that leads into the first.
#include "tools/audio/MusicTracks.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/audio/MusicSequencer.h"
#include "tools/audio/SynthRandom.h"

namespace brx::tools {
namespace {

struct RhythmSlot {
    int step;   // sixteenths from the phrase start
    int steps;  // length in sixteenths
};

// Scale degrees within [low, high] for the pitch classes of a scale.
std::vector<int> scaleLadder(const std::vector<int>& pitchClasses, int low, int high) {
    std::vector<int> ladder;
    for (int note = low; note <= high; ++note)
        if (std::find(pitchClasses.begin(), pitchClasses.end(), note % 12) != pitchClasses.end())
            ladder.push_back(note);
    return ladder;
}

bool isChordTone(int note, const Chord& chord) {
    for (int tone : chord.tones)
        if ((chord.root + tone) % 12 == note % 12) return true;
    return false;
}

// Index of the chord tone on the ladder nearest to `index`.
int nearestChordTone(const std::vector<int>& ladder, int index, const Chord& chord) {
    for (int distance = 0; distance < int(ladder.size()); ++distance)
        for (int candidate : {index - distance, index + distance})
            if (candidate >= 0 && candidate < int(ladder.size()) &&
                isChordTone(ladder[size_t(candidate)], chord))
                return candidate;
    return index;
}

// Writes one 8-bar melody: a 2-bar motif, its repeat with a new ending, an answering phrase,
// and the motif again closing on a chord tone. Notes on the beat are chord tones.
struct MelodyPlan {
    std::vector<int> ladder;
    std::vector<RhythmSlot> rhythm;  // one 2-bar phrase
    std::vector<int> motif;          // ladder steps per note, same length as rhythm
    std::vector<int> answer;
    int startIndex = 0;
    float velocity = 0.8f;
};

std::vector<MelodyNote> writeMelody(const MelodyPlan& plan, int firstBar,
                                    const std::vector<Chord>& chords, bool endOnRoot) {
    std::vector<MelodyNote> notes;
    int index = plan.startIndex;
    for (int phrase = 0; phrase < 4; ++phrase) {
        const std::vector<int>& contour = phrase == 2 ? plan.answer : plan.motif;
        if (phrase != 2) index = plan.startIndex;
        for (size_t n = 0; n < plan.rhythm.size(); ++n) {
            const RhythmSlot& slot = plan.rhythm[n];
            const int step = phrase * 32 + slot.step;
            const Chord& chord = chords[size_t(step / 16) % chords.size()];
            int delta = contour[n % contour.size()];
            if (phrase == 1 && n + 3 >= plan.rhythm.size()) delta = -delta;  // new ending
            index = std::clamp(index + delta, 0, int(plan.ladder.size()) - 1);
            if (slot.step % 4 == 0 || n + 1 == plan.rhythm.size())
                index = nearestChordTone(plan.ladder, index, chord);
            const bool last = phrase == 3 && n + 1 == plan.rhythm.size();
            if (last && endOnRoot)
                while (index > 0 && plan.ladder[size_t(index)] % 12 != chord.root % 12) --index;
            const float accent = slot.step % 8 == 0 ? 1.0f : 0.85f;
            notes.push_back(MelodyNote{firstBar * 16 + step, slot.steps,
                                       float(plan.ladder[size_t(index)]), plan.velocity * accent});
        }
    }
    return notes;
}

std::vector<int> randomContour(SynthRandom& random, size_t length) {
    static const int steps[] = {-2, -1, -1, 1, 1, 1, 2, 3, 0};
    std::vector<int> contour;
    for (size_t i = 0; i < length; ++i) contour.push_back(steps[random.integer(0, 8)]);
    return contour;
}

Chord chord(int root, std::vector<int> tones) {
    return Chord{root, std::move(tones)};
}

// ---- menu ------------------------------------------------------------------------------

constexpr float kMenuBpm = 76.0f;
constexpr int kMenuBars = 32;

void menuSection(MusicSequencer& seq, int firstBar, const std::vector<Chord>& chords, int barsLong,
                 int layer) {
    static const std::vector<int> arpUp = {0, 2, 4, 5, 7, 5, 4, 2};
    static const std::vector<int> arpWave = {0, 4, 2, 5, 3, 6, 4, 7};
    for (int i = 0; i < barsLong; ++i) {
        const int bar = firstBar + i;
        const Chord& c = chords[size_t(i) % chords.size()];
        seq.pad(bar, 1, c, 0.55f);
        seq.arpeggio(bar, c, layer == 2 ? arpWave : arpUp, 2, 60, layer == 0 ? 0.16f : 0.2f);
        if (layer >= 1) seq.bass(bar, c, "R-------F---R---", 0.55f);
        if (layer >= 1) seq.shakers(bar, "..x...o...x...o.", 0.25f);
        if (layer >= 2) seq.drums(bar, "x.........o.....", "", "", 0.55f);
    }
}

}  // namespace

AudioBuffer composeMenuMusic() {
    MusicSequencer seq(kMenuBpm, kMenuBars, 0x4D454E55u);
    // F major: Fmaj7, Dm9, Bbmaj7, C6 / Gm7, Am7, Bbmaj7, C7sus4 (leads home to F).
    const std::vector<Chord> verse = {chord(53, {0, 4, 7, 11}), chord(50, {0, 3, 7, 10, 14}),
                                      chord(46, {0, 4, 7, 11}), chord(48, {0, 4, 7, 9}),
                                      chord(53, {0, 4, 7, 11}), chord(50, {0, 3, 7, 10}),
                                      chord(46, {0, 4, 7, 11}), chord(48, {0, 5, 7, 10})};
    const std::vector<Chord> bridge = {chord(55, {0, 3, 7, 10}), chord(57, {0, 3, 7, 10}),
                                       chord(46, {0, 4, 7, 11}), chord(48, {0, 5, 7, 10})};
    const std::vector<Chord> intro(verse.begin(), verse.begin() + 4);
    menuSection(seq, 0, intro, 4, 0);
    menuSection(seq, 4, verse, 8, 1);
    menuSection(seq, 12, bridge, 8, 2);
    menuSection(seq, 20, verse, 8, 2);
    menuSection(seq, 28, bridge, 4, 0);

    SynthRandom random(0x6D656C6Fu);
    MelodyPlan plan;
    plan.ladder = scaleLadder({5, 7, 9, 0, 2}, 65, 89);  // F major pentatonic
    plan.rhythm = {{0, 6}, {6, 2}, {8, 8}, {16, 4}, {20, 4}, {24, 8}};
    plan.motif = randomContour(random, plan.rhythm.size());
    plan.answer = randomContour(random, plan.rhythm.size());
    plan.startIndex = 6;
    plan.velocity = 0.42f;
    std::vector<Chord> bridgeCycle = bridge;
    bridgeCycle.insert(bridgeCycle.end(), bridge.begin(), bridge.end());
    seq.melody(writeMelody(plan, 12, bridgeCycle, false), MelodyVoice::bell, 0.2f, true);
    plan.velocity = 0.3f;
    seq.melody(writeMelody(plan, 20, verse, true), MelodyVoice::lead, -0.1f, true);
    return seq.mixdown(kMusicRmsDb, kMusicCeilingDb);
}

namespace {

// ---- game ------------------------------------------------------------------------------

constexpr float kGameBpm = 126.0f;
constexpr int kGameBars = 40;

struct GameLayers {
    bool drums = true;
    bool bass = true;
    bool pad = true;
    bool hatsOnly = false;
};

void gameSection(MusicSequencer& seq, int firstBar, const std::vector<Chord>& chords, int barsLong,
                 const GameLayers& layers) {
    static const std::vector<int> arp = {0, 2, 4, 2, 5, 4, 2, 4, 0, 2, 4, 2, 6, 4, 2, 3};
    for (int i = 0; i < barsLong; ++i) {
        const int bar = firstBar + i;
        const Chord& c = chords[size_t(i) % chords.size()];
        const bool lastBar = i == barsLong - 1;
        if (layers.pad) seq.pad(bar, 1, c, 0.4f);
        seq.arpeggio(bar, c, arp, 1, 64, 0.2f);
        if (layers.bass) seq.bass(bar, c, "R-.RR-.OR-.RF-.O", 0.62f);
        if (layers.hatsOnly) seq.drums(bar, "", "", "..x...x...x...x.", 0.8f);
        if (!layers.drums) continue;
        const char* snare = lastBar ? "....x.......xoxx" : "....x.......x...";
        const char* hats = (i % 2 == 1) ? "x.x.x.x.x.x.x.O." : "x.x.x.x.x.x.x.x.";
        seq.drums(bar, "x.....x.x.......", snare, hats, 0.8f);
    }
}

}  // namespace

AudioBuffer composeGameMusic() {
    MusicSequencer seq(kGameBpm, kGameBars, 0x47414D45u);
    // A minor: Am, F, C, G; answer F, G, Em, Am, Dm, Em, F, G (G leads back to Am).
    const std::vector<Chord> verse = {chord(57, {0, 3, 7, 10}), chord(53, {0, 4, 7, 11}),
                                      chord(48, {0, 4, 7, 14}), chord(55, {0, 4, 7, 9})};
    const std::vector<Chord> chorus = {chord(53, {0, 4, 7, 11}), chord(55, {0, 4, 7, 9}),
                                       chord(52, {0, 3, 7, 10}), chord(57, {0, 3, 7, 10}),
                                       chord(50, {0, 3, 7, 10}), chord(52, {0, 3, 7, 10}),
                                       chord(53, {0, 4, 7, 11}), chord(55, {0, 5, 7, 10})};
    const std::vector<Chord> breakdown = {chord(53, {0, 4, 7, 11}), chord(55, {0, 4, 7, 9})};
    gameSection(seq, 0, verse, 4, GameLayers{false, true, false, true});
    gameSection(seq, 4, verse, 8, GameLayers{});
    gameSection(seq, 12, chorus, 8, GameLayers{});
    gameSection(seq, 20, breakdown, 4, GameLayers{false, false, true, false});
    gameSection(seq, 24, verse, 8, GameLayers{});
    gameSection(seq, 32, chorus, 8, GameLayers{});

    SynthRandom random(0x6C656164u);
    MelodyPlan plan;
    plan.ladder = scaleLadder({9, 11, 0, 2, 4, 5, 7}, 64, 88);  // A natural minor
    plan.rhythm = {{0, 2},  {2, 2},  {4, 4},  {10, 2}, {12, 4},
                   {16, 2}, {18, 2}, {20, 2}, {22, 2}, {24, 8}};
    plan.motif = randomContour(random, plan.rhythm.size());
    plan.answer = randomContour(random, plan.rhythm.size());
    plan.startIndex = 7;
    plan.velocity = 0.34f;
    seq.melody(writeMelody(plan, 12, chorus, false), MelodyVoice::lead, 0.0f, true);
    seq.melody(writeMelody(plan, 32, chorus, false), MelodyVoice::lead, 0.0f, true);
    plan.velocity = 0.3f;
    std::vector<Chord> verseCycle = verse;
    verseCycle.insert(verseCycle.end(), verse.begin(), verse.end());
    seq.melody(writeMelody(plan, 24, verseCycle, true), MelodyVoice::bell, 0.25f, true);
    return seq.mixdown(kMusicRmsDb, kMusicCeilingDb);
}

}  // namespace brx::tools
