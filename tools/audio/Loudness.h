// Measuring and matching loudness. "Loud part" RMS averages the 50 ms blocks (about the time
// the ear takes to judge loudness) that lie within 10 dB of the loudest block, so a short hit
// and a long rumble are compared by their body and not by the silence around them.
#pragma once

#include "tools/audio/AudioBuffer.h"

namespace brx::tools {

// Decibels relative to full scale of a linear level (-200 for silence).
float toDb(float linear);
float fromDb(float db);

// RMS (dBFS) of the loud part of the buffer.
float loudPartRmsDb(const AudioBuffer& buffer);
// Largest absolute sample in dBFS.
float peakDb(const AudioBuffer& buffer);
// Scales the buffer so its loud part sits at targetRmsDb, limiting peaks to ceilingDb.
void normaliseLoudness(AudioBuffer& buffer, float targetRmsDb, float ceilingDb, bool looped);

}  // namespace brx::tools
