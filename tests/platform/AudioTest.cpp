// The sound backend against SDL's disk audio driver: what plays is heard in the output file.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/Platform.h"
#include "tests/support/DiskAudio.h"
#include "tests/support/TempDir.h"
#include "tests/support/ThreadCensus.h"

namespace {

class AudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!platform::openAudio(16)) GTEST_SKIP() << "no disk audio driver";
        tone = testsupport::makeToneWav(3000, 440.0f);
        shortTone = testsupport::makeToneWav(150, 660.0f);
    }
    void TearDown() override { platform::closeAudio(); }

    int load(const std::string& wav, bool loop) {
        return platform::loadSample(reinterpret_cast<const uint8_t*>(wav.data()), wav.size(), loop);
    }
    int openStream(const std::string& wav) {
        return platform::openStream(reinterpret_cast<const uint8_t*>(wav.data()), wav.size());
    }
    // Polls for the stream's natural end; 0 when none came in time.
    static int waitForEnd(int timeoutMs) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < deadline) {
            if (const int ended = platform::takeEndedStream()) return ended;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return 0;
    }

    // Polls a background opening until the worker is done; its final state.
    static platform::AudioOpening waitForOpening(std::string* error = nullptr) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        platform::AudioOpening state = platform::finishAudioOpen(error);
        while (state == platform::AudioOpening::pending &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            state = platform::finishAudioOpen(error);
        }
        return state;
    }

    testsupport::DiskAudio output;  // must exist before openAudio: it picks the driver
    std::string tone;
    std::string shortTone;
};

TEST_F(AudioTest, SampleIsHeardUntilPausedOrStopped) {
    const int sample = load(tone, true);
    ASSERT_NE(sample, 0);
    EXPECT_TRUE(output.staysSilent());

    const int channel = platform::playSample(sample, 0, 255);
    ASSERT_GE(channel, 1);
    EXPECT_TRUE(output.becomesAudible());

    platform::setChannelPaused(platform::kAllChannels, true);
    EXPECT_TRUE(output.staysSilent());
    platform::setChannelPaused(platform::kAllChannels, false);
    EXPECT_TRUE(output.becomesAudible());

    platform::setChannelVolume(channel, 0);
    EXPECT_TRUE(output.staysSilent());
    platform::setChannelVolume(channel, 200);
    EXPECT_TRUE(output.becomesAudible());

    platform::stopChannel(platform::kAllChannels);
    EXPECT_FALSE(platform::isChannelPlaying(channel));
    EXPECT_TRUE(output.staysSilent());
}

TEST_F(AudioTest, PausingEveryChannelPausesTheMusic) {
    const int stream = openStream(tone);
    ASSERT_NE(stream, 0);
    ASSERT_EQ(platform::playStream(stream, false), platform::kMusicChannel);
    EXPECT_TRUE(output.becomesAudible());
    platform::setChannelPaused(platform::kAllChannels, true);
    EXPECT_TRUE(output.staysSilent());
    platform::setChannelPaused(platform::kMusicChannel, false);
    EXPECT_TRUE(output.becomesAudible());
    platform::stopStream(stream);
    EXPECT_FALSE(platform::isStreamPlaying(stream));
}

TEST_F(AudioTest, OnlyANaturalEndOfTheStreamIsReported) {
    const int stream = openStream(shortTone);
    ASSERT_NE(stream, 0);
    ASSERT_EQ(platform::playStream(stream, false), platform::kMusicChannel);
    EXPECT_EQ(waitForEnd(5000), stream);
    EXPECT_EQ(platform::takeEndedStream(), 0) << "an end is reported once";

    const int longStream = openStream(tone);
    platform::playStream(longStream, false);
    platform::stopStream(longStream);
    platform::playStream(longStream, false);  // restarting halts the playing stream too
    platform::closeStream(longStream);
    const size_t mark = output.written();
    ASSERT_TRUE(output.waitForOutput(mark, 32768));
    EXPECT_EQ(platform::takeEndedStream(), 0);
}

TEST_F(AudioTest, AStreamThatEndsAtOnceIsReportedUnderItsOwnId) {
    const std::string blip = testsupport::makeToneWav(1, 440.0f);
    for (int attempt = 0; attempt < 20; ++attempt) {
        const int stream = openStream(blip);
        ASSERT_NE(stream, 0);
        platform::playStream(stream, false);
        ASSERT_EQ(waitForEnd(5000), stream) << "attempt " << attempt;
        platform::closeStream(stream);
    }
}

TEST_F(AudioTest, StreamStartsPausedAndSeeks) {
    const int stream = openStream(tone);
    ASSERT_EQ(platform::playStream(stream, true), platform::kMusicChannel);
    EXPECT_TRUE(platform::isStreamPlaying(stream));
    EXPECT_TRUE(output.staysSilent());
    platform::setStreamPositionMs(stream, 1500);
    // WAV streams seek to whole seconds in this mixer; MP3 and OGG land closer.
    EXPECT_GE(platform::streamPositionMs(stream), 1000);
    platform::setChannelPaused(platform::kMusicChannel, false);
    EXPECT_TRUE(output.becomesAudible());
}

TEST_F(AudioTest, BusyChannelsGiveWayToANewSound) {
    const int sample = load(tone, true);
    int first = -1;
    for (int i = 0; i < 16; ++i) {
        const int channel = platform::playSample(sample, 0, 255);
        ASSERT_GE(channel, 1);
        if (i == 0) first = channel;
    }
    EXPECT_GE(platform::playSample(sample, 0, 255), 1);
    EXPECT_TRUE(platform::isChannelPlaying(first));
}

TEST_F(AudioTest, UndecodableDataLoadsNothing) {
    const std::string junk = "not a sound file at all";
    EXPECT_EQ(load(junk, false), 0);
    EXPECT_EQ(openStream(junk), 0);
    EXPECT_EQ(platform::playSample(0, 0, 255), -1);
    EXPECT_EQ(platform::playStream(0, false), -1);
}

TEST_F(AudioTest, ABackgroundOpeningCountsAsClosedUntilTaken) {
    platform::closeAudio();
    EXPECT_EQ(platform::finishAudioOpen(), platform::AudioOpening::none);
    platform::beginOpenAudio(16);
    // However fast the worker is, the device is not the main thread's before it is taken.
    EXPECT_FALSE(platform::isAudioOpen());
    EXPECT_EQ(load(tone, false), 0);
    ASSERT_EQ(waitForOpening(), platform::AudioOpening::open);
    EXPECT_TRUE(platform::isAudioOpen());
    EXPECT_EQ(platform::finishAudioOpen(), platform::AudioOpening::open);
    const int sample = load(tone, false);
    ASSERT_NE(sample, 0);
    EXPECT_GE(platform::playSample(sample, 0, 255), 1);
    EXPECT_TRUE(output.becomesAudible());
}

TEST_F(AudioTest, ClosingDuringABackgroundOpeningLeavesNothingOpen) {
    platform::closeAudio();
    platform::beginOpenAudio(16);
    platform::closeAudio();  // waits for the worker and closes what it opened
    EXPECT_FALSE(platform::isAudioOpen());
    EXPECT_EQ(testsupport::runningWorkers(), 0) << "the opener is joined";
    EXPECT_EQ(testsupport::runningAudioDevices(), 0) << "the device's thread has ended";
    EXPECT_EQ(platform::finishAudioOpen(), platform::AudioOpening::none);
    ASSERT_TRUE(platform::openAudio(16)) << "the device opens again afterwards";
    const int sample = load(tone, false);
    EXPECT_GE(platform::playSample(sample, 0, 255), 1);
    EXPECT_TRUE(output.becomesAudible());
}

TEST_F(AudioTest, ABackgroundOpeningWithoutADriverFailsWithItsReason) {
    platform::closeAudio();
    const std::string driver = std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    platform::beginOpenAudio(16);
    std::string error;
    const platform::AudioOpening state = waitForOpening(&error);
    setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
    EXPECT_EQ(state, platform::AudioOpening::failed);
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(platform::isAudioOpen());
    EXPECT_EQ(load(tone, false), 0);
}

TEST_F(AudioTest, AStreamReadsItsPieceOfAFileAsItPlays) {
    // The file holds the tone after some unrelated bytes, with its beginning spoiled: the
    // stream must take the beginning from the head it is given and the rest from the file.
    const std::string prefix(1000, 'x');
    const size_t headBytes = 200;
    std::string stored = shortTone;
    std::fill(stored.begin(), stored.begin() + std::ptrdiff_t(headBytes), '\0');
    testsupport::TempDir folder;
    folder.writeFile("music.bin", prefix + stored);
    const std::string path = (folder.path() / "music.bin").string();
    const std::vector<uint8_t> head(shortTone.begin(), shortTone.begin() + headBytes);

    const int stream = platform::openFileStream(path, prefix.size(), shortTone.size(), head);
    ASSERT_NE(stream, 0);
    EXPECT_EQ(platform::playStream(stream, false), platform::kMusicChannel);
    EXPECT_TRUE(output.becomesAudible());
    EXPECT_EQ(waitForEnd(5000), stream) << "it plays to its natural end";

    EXPECT_EQ(platform::openFileStream(path, prefix.size(), shortTone.size(), {}), 0)
        << "without its real beginning the piece is no sound";
    EXPECT_EQ(platform::openFileStream(path + ".missing", 0, shortTone.size(), head), 0);
    EXPECT_EQ(platform::openFileStream(path, 0, 0, head), 0);
}

}  // namespace
