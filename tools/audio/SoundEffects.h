// The game's sound effects, each synthesised from scratch: mono, 44.1 kHz, not yet
// loudness-matched (the generator does that per file). Every recipe is seeded, so a build
// always produces the same sounds.
#pragma once

#include "tools/audio/AudioBuffer.h"

namespace brx::tools {

AudioBuffer renderHoverTick();    // pointer enters a control: a soft, short tick
AudioBuffer renderClick();        // a control is pressed
AudioBuffer renderCrumble();      // a group of blocks breaks apart
AudioBuffer renderSelectChime();  // a new removable group lights up: a quick rising chime
AudioBuffer renderLineThump();    // a new line is pushed into the board
AudioBuffer renderCoin();         // a row of score blocks is complete, worth 100
AudioBuffer renderFillLoop();     // loops under the finishing fill: an endlessly rising run
AudioBuffer renderPop();          // a block joins the next line
AudioBuffer renderColorBurst();   // a colour bomb: bang with a shower of sparkles
AudioBuffer renderExplosion();    // the big bomb
AudioBuffer renderWarning();      // three lines left: an alternating two-tone signal
AudioBuffer renderZap();          // a line remover fires
AudioBuffer renderGameOver();     // a short descending phrase

// Length of the fill loop in seconds (it must be played looped to sound right).
constexpr double kFillLoopS = 1.75;

}  // namespace brx::tools
