#include "sound/MusicPlaylist.h"

#include <algorithm>

#include "platform/Platform.h"
#include "sound/SoundManager.h"

namespace brx {
namespace {

bool musicOn() {
    return SoundManager::instance().musicOn();
}

}  // namespace

MusicPlaylist::~MusicPlaylist() {
    for (int stream : streams_) platform::closeStream(stream);
}

void MusicPlaylist::addFile(const std::string& file) {
    addStream(file, ResourceArchive::instance().readFile(file));
}

void MusicPlaylist::addStream(const std::string& file, ResourceBuffer buffer) {
    files_.push_back(file);
    streams_.push_back(buffer ? platform::openStream(buffer.bytes.get(), buffer.size) : 0);
    buffers_.push_back(std::move(buffer));
}

int MusicPlaylist::currentStream() const {
    return index_ < streams_.size() ? streams_[index_] : 0;
}

bool MusicPlaylist::ownsStream(int stream) const {
    return stream != 0 && std::find(streams_.begin(), streams_.end(), stream) != streams_.end();
}

void MusicPlaylist::startAt(int positionMs) {
    const int stream = currentStream();
    channel_ = platform::playStream(stream, true);
    if (positionMs > 0) platform::setStreamPositionMs(stream, positionMs);
    platform::setChannelPaused(channel_, false);
    platform::setChannelVolume(channel_, SoundManager::instance().musicVolume());
    savedPositionMs_ = 0;
}

void MusicPlaylist::playCurrent() {
    if (!musicOn()) return;
    startAt(0);
}

void MusicPlaylist::playNext() {
    if (!musicOn()) return;
    index_ = index_ + 1u < streams_.size() ? uint16_t(index_ + 1) : uint16_t(0);
    startAt(0);
}

void MusicPlaylist::resume() {
    if (!musicOn()) return;
    if (channel_ == -1) {
        playCurrent();  // never played: the first file from its start
    } else if (savedPositionMs_ == 0) {
        playNext();
    } else {
        startAt(savedPositionMs_);
    }
}

void MusicPlaylist::stop() {
    // A playlist that is not playing keeps the position it was stopped at before; switching
    // playlists stops every one of them.
    const int stream = currentStream();
    if (!platform::isStreamPlaying(stream)) return;
    savedPositionMs_ = platform::streamPositionMs(stream);
    platform::stopStream(stream);
}

void MusicPlaylist::setPaused(bool paused) {
    if (!musicOn()) return;
    savedPositionMs_ = platform::streamPositionMs(currentStream());
    platform::setChannelPaused(channel_, paused);
    if (!paused) startAt(savedPositionMs_);
}

void MusicPlaylist::setVolume(int volume) {
    if (channel_ != -1) platform::setChannelVolume(channel_, volume);
}

}  // namespace brx
