// Offline look-ahead peak limiter: the gain ramps down before a peak and back up after it, so
// no sample leaves the ceiling and nothing is clipped. A looped buffer is treated as a ring,
// so the gain at its end meets the gain at its start.
#pragma once

#include "tools/audio/AudioBuffer.h"

namespace brx::tools {

class Limiter {
public:
    // ceiling: largest allowed absolute sample value; attack and release in seconds.
    Limiter(float ceiling, float attackS = 0.004f, float releaseS = 0.12f)
        : limit(ceiling), attack(attackS), release(releaseS) {}

    // Limits the buffer in place (all channels share one gain, so the image does not move).
    void apply(AudioBuffer& buffer, bool looped) const;

private:
    float limit;
    float attack;
    float release;
};

}  // namespace brx::tools
