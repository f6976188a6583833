// A list of music files streamed one at a time, read from the archive as they play (or from a
// memory image handed over). The sound manager decides which
// playlist is current; a playlist remembers where it was stopped so the music picks up there.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/ResourceArchive.h"

namespace brx {

class MusicPlaylist {
public:
    MusicPlaylist() = default;
    MusicPlaylist(const MusicPlaylist&) = delete;
    MusicPlaylist& operator=(const MusicPlaylist&) = delete;
    // Closes the streams.
    ~MusicPlaylist();

    // Appends a file of the resource archive, read as it plays; its stream stays open until
    // destruction. Before the audio device is open only the name is kept (see openStreams()).
    void addFile(const std::string& file);
    // Appends a file from a memory image the playlist keeps (addFile's second half).
    void addStream(const std::string& file, ResourceBuffer buffer);
    // Opens the streams that could not open before the audio device did.
    void openStreams();
    // True when the playlist was asked to play before its stream could open.
    bool waitsForAudio() const { return waitsForAudio_; }

    // Plays the current file from its start.
    void playCurrent();
    // Moves on to the next file (after the last, the first) and plays it from its start.
    void playNext();
    // Continues where the music was stopped; the next file when it was never stopped mid-way.
    void resume();
    // Stops the music, remembering the position.
    void stop();
    // Pauses, or continues from the position at the pause.
    void setPaused(bool paused);
    // Volume of the playing stream (0..255).
    void setVolume(int volume);

    int channel() const { return channel_; }
    uint16_t index() const { return index_; }
    int savedPositionMs() const { return savedPositionMs_; }
    const std::vector<std::string>& files() const { return files_; }
    // The stream handle of the current file; 0 when none.
    int currentStream() const;
    // True when stream is one of this playlist's.
    bool ownsStream(int stream) const;

private:
    void startAt(int positionMs);

    int channel_ = -1;
    std::vector<std::string> files_;
    std::vector<int> streams_;
    std::vector<ResourceBuffer> buffers_;  // the memory the streams decode from
    uint16_t index_ = 0;
    int savedPositionMs_ = 0;  // 0 means start over
    bool waitsForAudio_ = false;
};

}  // namespace brx
