// Instruments and the sequencer: notes end when they should, the loop is exactly its bars long
// and what rings past its end is heard at its start.
#include "tools/audio/MusicSequencer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/AudioDecode.h"
#include "tools/audio/Loudness.h"
#include "tools/audio/Mp3Encoder.h"
#include "tools/audio/NoteSynth.h"
#include "tools/audio/OggEncoder.h"
#include "tools/audio/Oscillator.h"

namespace brx::tools {
namespace {

float peakBetween(const AudioBuffer& buffer, double fromS, double toS) {
    float highest = 0.0f;
    for (size_t i = buffer.frameAt(fromS); i < std::min(buffer.frames(), buffer.frameAt(toS)); ++i)
        for (int c = 0; c < buffer.channels(); ++c)
            highest = std::max(highest, std::fabs(buffer.at(i, c)));
    return highest;
}

TEST(NoteSynth, EveryInstrumentSoundsAndFallsSilentAfterItsRelease) {
    NoteSynth synth(7);
    using Render = void (NoteSynth::*)(AudioBuffer&, const Note&);
    for (Render render : {&NoteSynth::pad, &NoteSynth::bass, &NoteSynth::pluck, &NoteSynth::bell,
                          &NoteSynth::lead}) {
        AudioBuffer buffer(2, 44100 * 5);
        (synth.*render)(buffer, Note{0.5, 0.5f, 60.0f, 0.8f, 0.0f});
        EXPECT_EQ(peakBetween(buffer, 0.0, 0.5), 0.0f);
        EXPECT_GT(peakBetween(buffer, 0.5, 1.0), 0.05f);
        EXPECT_LT(peakBetween(buffer, 0.5, 1.5), 1.5f);
        EXPECT_EQ(peakBetween(buffer, 3.5, 5.0), 0.0f);
    }
}

TEST(NoteSynth, DrumsAreShortHits) {
    NoteSynth synth(8);
    AudioBuffer buffer(2, 44100);
    synth.kick(buffer, 0.0, 1.0f);
    synth.snare(buffer, 0.0, 1.0f);
    synth.hat(buffer, 0.0, 1.0f, true);
    synth.shaker(buffer, 0.0, 1.0f);
    EXPECT_GT(peakBetween(buffer, 0.0, 0.1), 0.3f);
    EXPECT_EQ(peakBetween(buffer, 0.5, 1.0), 0.0f);
}

TEST(NoteSynth, TheSameSeedRendersTheSameNotes) {
    AudioBuffer first(2, 44100), second(2, 44100);
    NoteSynth(3).snare(first, 0.1, 0.8f);
    NoteSynth(3).snare(second, 0.1, 0.8f);
    EXPECT_EQ(first.samples(), second.samples());
}

TEST(MusicSequencer, TheLoopIsItsBarsLongAndItsTailSoundsAtTheStart) {
    MusicSequencer sequencer(120.0f, 2, 5);  // two bars of 2 s
    const Chord chord{48, {0, 4, 7}};
    sequencer.arpeggio(1, chord, {0, 1, 2}, 4, 60, 0.8f);  // last note at 3.5 s rings past 4 s
    const AudioBuffer loop = sequencer.mixdown(-20.0f, -3.0f);
    EXPECT_EQ(loop.frames(), size_t(4 * kSampleRateHz));
    EXPECT_EQ(loop.channels(), 2);
    EXPECT_GT(peakBetween(loop, 0.0, 0.05), 0.01f);  // the wrapped tail
    EXPECT_LE(peakDb(loop), -3.0f + 0.01f);
    EXPECT_NEAR(loudPartRmsDb(loop), -20.0f, 1.0f);
}

TEST(MusicSequencer, PatternsPlaceNotesOnTheirSteps) {
    MusicSequencer sequencer(120.0f, 1, 5);  // a sixteenth is 125 ms
    sequencer.drums(0, "....x...........", "", "", 1.0f);
    AudioBuffer loop = sequencer.mixdown(-20.0f, -3.0f);
    EXPECT_LT(peakBetween(loop, 0.0, 0.49), 0.01f);
    EXPECT_GT(peakBetween(loop, 0.5, 0.6), 0.1f);
}

// Lossy encoders must give back the same length and about the same signal.
TEST(Encoders, LossyRoundTripKeepsLengthLevelAndPitch) {
    AudioBuffer tone(2, 44100);
    Oscillator oscillator(Wave::sine);
    for (size_t i = 0; i < tone.frames(); ++i)
        tone.at(i, 0) = tone.at(i, 1) = 0.5f * oscillator.next(500.0f);
    for (int format = 0; format < 2; ++format) {
        SCOPED_TRACE(format == 0 ? "mp3" : "ogg");
        std::vector<uint8_t> bytes;
        std::string error;
        ASSERT_TRUE(format == 0 ? encodeMp3(tone, 160, &bytes, &error)
                                : encodeOgg(tone, 0.5f, &bytes, &error))
            << error;
        platform::DecodedAudio decoded;
        ASSERT_TRUE(platform::decodeAudio(bytes.data(), bytes.size(), &decoded, &error)) << error;
        ASSERT_EQ(decoded.frames(), tone.frames());
        int crossings = 0;
        double sum = 0.0;
        for (size_t i = 1; i < decoded.frames(); ++i) {
            const int16_t a = decoded.samples[(i - 1) * 2], b = decoded.samples[i * 2];
            if ((a < 0) != (b < 0)) ++crossings;
            sum += double(b) * b;
        }
        EXPECT_NEAR(crossings, 1000, 10);
        EXPECT_NEAR(std::sqrt(sum / decoded.frames()) / 32768.0, 0.5 / std::sqrt(2.0), 0.02);
    }
}

}  // namespace
}  // namespace brx::tools
