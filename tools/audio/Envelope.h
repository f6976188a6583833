// Attack-decay-sustain-release amplitude curve as a pure function of time, so a note can be
// rendered from any point and two renders of the same note agree exactly.
#pragma once

namespace brx::tools {

class Envelope {
public:
    // Times in seconds; sustain is a level 0..1. The decay falls exponentially toward sustain.
    Envelope(float attackS, float decayS, float sustainLevel, float releaseS)
        : attack(attackS), decay(decayS), sustain(sustainLevel), release(releaseS) {}

    // Level at `timeS` after the note started, for a note held `heldS` seconds.
    float level(float timeS, float heldS) const;
    // Time after which the note has died away (held time plus release).
    float length(float heldS) const { return heldS + release; }

private:
    float heldLevel(float timeS) const;

    float attack;
    float decay;
    float sustain;
    float release;
};

}  // namespace brx::tools
