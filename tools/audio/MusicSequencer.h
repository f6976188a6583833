// Places the parts of a piece on a bar grid and mixes them down. A track is composed by
// calling the part functions bar by bar; mixdown() adds the room, folds the tail of the last
// bar over the first (so the piece loops without a seam) and sets the loudness.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/audio/AudioBuffer.h"
#include "tools/audio/NoteSynth.h"

namespace brx::tools {

struct Chord {
    int root = 48;           // MIDI note of the root, octave 3 or so
    std::vector<int> tones;  // semitones above the root, root (0) first
};

// One melody note on the grid: start and length in sixteenth steps from the song start.
struct MelodyNote {
    int step = 0;
    int steps = 2;
    float pitch = 72.0f;
    float velocity = 0.8f;
};

enum class MelodyVoice { lead, bell, pluck };

class MusicSequencer {
public:
    // bpm: quarter notes per minute, 4/4 time; bars: length of the loop.
    MusicSequencer(float bpm, int bars, uint32_t seed);

    double stepS() const { return 15.0 / tempo; }  // one sixteenth
    double barS() const { return stepS() * 16.0; }
    int bars() const { return barCount; }

    // Sustained chord over `bars` bars, voiced around middle C.
    void pad(int bar, int bars, const Chord& chord, float velocity);
    // Bass line over one bar. Pattern: 16 steps, 'R' root, 'O' octave up, 'F' fifth,
    // '-' holds the previous note, '.' rest.
    void bass(int bar, const Chord& chord, const std::string& pattern, float velocity);
    // Arpeggio over one bar: chord tones over two octaves from `lowest`, played in `order`
    // (indexes into that ladder), one note every `stepsPerNote` sixteenths.
    void arpeggio(int bar, const Chord& chord, const std::vector<int>& order, int stepsPerNote,
                  int lowest, float velocity);
    // Drums over one bar; each pattern is 16 steps, 'x' hit, 'o' soft hit, '.' rest; an 'O'
    // in the hat line is an open hat.
    void drums(int bar, const std::string& kick, const std::string& snare, const std::string& hats,
               float velocity);
    // Shaker on a 16-step pattern, for the quieter parts.
    void shakers(int bar, const std::string& pattern, float velocity);
    // Melody notes through one voice; `echo` sends them to the delay as well.
    void melody(const std::vector<MelodyNote>& notes, MelodyVoice voice, float pan, bool echo);

    // The finished loop: stereo, reverb and echo added, tail folded over the start, loudness
    // at targetRmsDb with peaks under ceilingDb.
    AudioBuffer mixdown(float targetRmsDb, float ceilingDb);

private:
    double humanised(double timeS);
    float humanVelocity(float velocity);

    float tempo;
    int barCount;
    NoteSynth synth;
    AudioBuffer dry;       // instruments heard directly
    AudioBuffer roomSend;  // what also goes into the reverb
    AudioBuffer echoSend;  // what also goes into the echo
};

}  // namespace brx::tools
