// The game's two pieces, composed in code: a calm one for the menus and an upbeat one for
// play. Each is a seamless loop (its last bar leads back into its first).
#pragma once

#include "tools/audio/AudioBuffer.h"

namespace brx::tools {

// Loudness of the music: a little under the effects so they stay clear over it.
constexpr float kMusicRmsDb = -18.0f;
constexpr float kMusicCeilingDb = -3.0f;

// Menu music: 76 bpm, 32 bars (about 101 s), pads, arpeggio, bells and a light groove.
AudioBuffer composeMenuMusic();
// Game music: 126 bpm, 40 bars (about 76 s), driving bass, arpeggio, lead and drums.
AudioBuffer composeGameMusic();

}  // namespace brx::tools
