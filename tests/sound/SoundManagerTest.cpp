// The sound manager and playlists over the real mixer, heard through SDL's disk audio driver.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/Platform.h"
#include "sound/MusicPlaylist.h"
#include "sound/SoundManager.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/DiskAudio.h"

namespace brx {
namespace {

ResourceBuffer bufferOf(const std::string& bytes) {
    ResourceBuffer buffer;
    buffer.bytes = std::make_unique<uint8_t[]>(bytes.size() + 1);
    std::memcpy(buffer.bytes.get(), bytes.data(), bytes.size());
    buffer.size = bytes.size();
    return buffer;
}

class SoundManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!sound.init()) GTEST_SKIP() << "no disk audio driver";
        sound.applySettings(true, 255, 255, true);
    }
    void TearDown() override { sound.close(); }

    void addTrack(MusicPlaylist& playlist, const char* name, int durationMs) {
        playlist.addStream(name, bufferOf(testsupport::makeToneWav(durationMs, 330.0f)));
    }
    // Polls until the playlist's stream has played past 0 ms; false on time-out.
    static bool playsOn(const MusicPlaylist& playlist) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            if (platform::streamPositionMs(playlist.currentStream()) > 0) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    // Restarts the device in the background and serves frames until it has arrived (or the
    // opening failed); false on time-out.
    bool arrives() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (sound.opening() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            sound.serviceStreamEnd();
        }
        return !sound.opening();
    }

    testsupport::DiskAudio output;
    SoundManager& sound = SoundManager::instance();
};

TEST_F(SoundManagerTest, SampleIdsPlayAndIdZeroIsSilence) {
    sound.loadSampleFromMemory(101, bufferOf(testsupport::makeToneWav(2000, 500.0f)), false);
    ASSERT_TRUE(sound.hasSample(101));
    EXPECT_EQ(sound.play(0, 0), 0);
    EXPECT_EQ(sound.play(55, 0), -1) << "an id never loaded plays nothing";
    EXPECT_TRUE(output.staysSilent());
    const int channel = sound.play(101, 0);
    EXPECT_GE(channel, 1);
    EXPECT_TRUE(output.becomesAudible());
    sound.stop(channel);
    EXPECT_TRUE(output.staysSilent());
}

TEST_F(SoundManagerTest, SoundOffInTheSettingsKeepsSamplesSilent) {
    sound.applySettings(false, 150, 50, true);
    EXPECT_FALSE(sound.soundOn());
    EXPECT_EQ(sound.soundVolume(), 0);
    sound.loadSampleFromMemory(1, bufferOf(testsupport::makeToneWav(2000, 500.0f)), false);
    EXPECT_GE(sound.play(1, 0), 1);
    EXPECT_TRUE(output.staysSilent());
}

TEST_F(SoundManagerTest, AFilePlaysSeventeenTimesBeforeTheNext) {
    MusicPlaylist playlist;
    addTrack(playlist, "a", 3000);
    addTrack(playlist, "b", 3000);
    sound.addPlaylist(0, &playlist);
    sound.selectPlaylist(0);
    playlist.resume();
    EXPECT_EQ(playlist.index(), 0) << "a playlist never played starts with its first file";
    for (int end = 1; end < SoundManager::kPlaysPerFile; ++end) sound.onStreamEnd();
    EXPECT_EQ(playlist.index(), 0);
    sound.onStreamEnd();
    EXPECT_EQ(playlist.index(), 1);
    EXPECT_TRUE(platform::isStreamPlaying(playlist.currentStream()));
}

TEST_F(SoundManagerTest, ANaturalEndIsServedOnTheMainThread) {
    MusicPlaylist playlist;
    addTrack(playlist, "short", 120);
    sound.addPlaylist(0, &playlist);
    sound.selectPlaylist(0);
    playlist.playCurrent();
    // The end rule restarts the file from the frame that notices the end.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    int restarts = 0;
    while (restarts < 2 && std::chrono::steady_clock::now() < deadline) {
        const bool wasPlaying = platform::isStreamPlaying(playlist.currentStream());
        sound.serviceStreamEnd();
        if (!wasPlaying && platform::isStreamPlaying(playlist.currentStream())) ++restarts;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(restarts, 2);
}

TEST_F(SoundManagerTest, SwitchingPlaylistsKeepsWhereEachWasLeft) {
    MusicPlaylist menu, game;
    addTrack(menu, "menu", 5000);
    addTrack(game, "game", 5000);
    sound.addPlaylist(0, &menu);
    sound.addPlaylist(1, &game);
    sound.selectPlaylist(0);
    menu.resume();
    ASSERT_TRUE(playsOn(menu));

    sound.selectPlaylist(1);
    const int menuPosition = menu.savedPositionMs();
    EXPECT_GT(menuPosition, 0);
    EXPECT_FALSE(platform::isStreamPlaying(menu.currentStream())) << "nothing starts on a switch";
    game.resume();
    ASSERT_TRUE(playsOn(game));

    sound.selectPlaylist(0);
    EXPECT_EQ(menu.savedPositionMs(), menuPosition) << "a playlist not playing keeps its place";
    EXPECT_GT(game.savedPositionMs(), 0);
}

TEST_F(SoundManagerTest, MusicSwitchedOffStopsAndOnResumes) {
    MusicPlaylist menu;
    addTrack(menu, "menu", 5000);
    sound.addPlaylist(0, &menu);
    sound.setMusicOn(false);
    sound.selectPlaylist(0);
    menu.resume();
    EXPECT_FALSE(platform::isStreamPlaying(menu.currentStream()));
    sound.onStreamEnd();  // ignored while the music is off
    EXPECT_FALSE(platform::isStreamPlaying(menu.currentStream()));
    sound.setMusicOn(true);
    EXPECT_TRUE(platform::isStreamPlaying(menu.currentStream()));
    EXPECT_TRUE(output.becomesAudible());
}

TEST_F(SoundManagerTest, PauseAllSilencesSamplesAndMusic) {
    MusicPlaylist menu;
    addTrack(menu, "menu", 5000);
    sound.addPlaylist(0, &menu);
    sound.selectPlaylist(0);
    menu.resume();
    sound.loadSampleFromMemory(2, bufferOf(testsupport::makeToneWav(5000, 700.0f)), false);
    sound.play(2, 0);
    EXPECT_TRUE(output.becomesAudible());
    sound.pauseAll(true);
    EXPECT_TRUE(output.staysSilent());
    sound.pauseAll(false);
    EXPECT_TRUE(output.becomesAudible());
    sound.stopAll();
    EXPECT_TRUE(output.staysSilent());
}

TEST_F(SoundManagerTest, WhatIsAskedForWhileTheDeviceOpensArrivesWithIt) {
    sound.close();
    sound.beginInit();
    sound.applySettings(true, 255, 255, true);
    EXPECT_TRUE(sound.soundOn() && sound.musicOn()) << "the settings hold while it opens";
    sound.loadSampleFromMemory(7, bufferOf(testsupport::makeToneWav(3000, 500.0f)), false);
    EXPECT_FALSE(sound.hasSample(7));
    EXPECT_EQ(sound.play(7, 0), -1) << "a sound before the device is dropped, not queued";
    MusicPlaylist menu;
    addTrack(menu, "menu", 5000);
    sound.addPlaylist(0, &menu);
    sound.selectPlaylist(0);
    menu.resume();
    EXPECT_TRUE(menu.waitsForAudio());
    EXPECT_EQ(menu.currentStream(), 0);

    ASSERT_TRUE(arrives());
    EXPECT_TRUE(sound.soundOn());
    EXPECT_TRUE(sound.hasSample(7));
    EXPECT_FALSE(menu.waitsForAudio());
    EXPECT_TRUE(platform::isStreamPlaying(menu.currentStream())) << "waiting music starts";
    EXPECT_TRUE(playsOn(menu));
    sound.stopAll();
    EXPECT_GE(sound.play(7, 0), 1);
    EXPECT_TRUE(output.becomesAudible());
}

TEST_F(SoundManagerTest, MusicStoppedOrPausedBeforeTheDeviceOpensStaysSilent) {
    sound.close();
    sound.beginInit();
    sound.applySettings(true, 255, 255, true);
    MusicPlaylist menu, game;
    addTrack(menu, "menu", 5000);
    addTrack(game, "game", 5000);
    sound.addPlaylist(0, &menu);
    sound.addPlaylist(1, &game);
    sound.selectPlaylist(0);
    menu.resume();
    sound.selectPlaylist(1);  // left before the device came: the menu music must not start
    EXPECT_FALSE(menu.waitsForAudio());
    game.resume();
    game.setPaused(true);  // as a fill sound does: the music holds until it is over
    EXPECT_FALSE(game.waitsForAudio());
    ASSERT_TRUE(arrives());
    EXPECT_FALSE(platform::isStreamPlaying(menu.currentStream()));
    EXPECT_TRUE(output.staysSilent()) << "a pause asked for meanwhile holds";
    game.setPaused(false);
    EXPECT_TRUE(platform::isStreamPlaying(game.currentStream()));
    EXPECT_TRUE(output.becomesAudible());
}

TEST_F(SoundManagerTest, ADeviceThatFailsToOpenInTheBackgroundLeavesTheGameSilent) {
    sound.close();
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    const std::string kept = driver ? driver : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    sound.beginInit();
    sound.applySettings(true, 255, 255, true);
    sound.loadSampleFromMemory(3, bufferOf(testsupport::makeToneWav(500, 500.0f)), false);
    MusicPlaylist menu;
    addTrack(menu, "menu", 5000);
    sound.addPlaylist(0, &menu);
    sound.selectPlaylist(0);
    menu.resume();
    const bool done = arrives();
    setenv("SDL_AUDIODRIVER", kept.c_str(), 1);
    ASSERT_TRUE(done);
    EXPECT_FALSE(sound.soundOn());
    EXPECT_FALSE(sound.musicOn());
    EXPECT_FALSE(sound.hasSample(3));
    EXPECT_EQ(sound.play(3, 0), -1);
    EXPECT_EQ(menu.currentStream(), 0);
}

TEST_F(SoundManagerTest, MusicPlaysStraightFromTheArchive) {
    testsupport::TempDir folder;
    testsupport::ArchiveBuilder archive;
    archive.add("Data/Music/Menu.Mp3", testsupport::makeToneWav(3000, 440.0f));
    ASSERT_TRUE(archive.install(folder));
    MusicPlaylist menu;
    menu.addFile("data/music/MENU.mp3");  // names are matched without regard to case
    menu.addFile("Data/Music/Missing.Mp3");
    ASSERT_NE(menu.currentStream(), 0);
    sound.addPlaylist(0, &menu);
    sound.selectPlaylist(0);
    menu.resume();
    EXPECT_TRUE(playsOn(menu));
    EXPECT_TRUE(output.becomesAudible());
    for (int end = 0; end < SoundManager::kPlaysPerFile; ++end) sound.onStreamEnd();
    EXPECT_EQ(menu.index(), 1);
    EXPECT_EQ(menu.currentStream(), 0) << "a file the archive lacks has no stream";
    ResourceArchive::instance().close();
}

}  // namespace
}  // namespace brx
