#include "sound/MusicPlaylist.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "core/ArchiveFormat.h"

#include "platform/Platform.h"
#include "sound/SoundManager.h"

namespace brx {
namespace {

bool musicOn() {
    return SoundManager::instance().musicOn();
}

std::string lowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return text;
}

// A stream that reads a file of the archive as it plays; only the scrambled beginning is read
// here (and unscrambled). 0 when the file is not stored or cannot be read.
int openFromArchive(const std::string& file) {
    const ResourceArchive& archive = ResourceArchive::instance();
    const auto found = archive.directory().find(lowerAscii(file));
    if (found == archive.directory().end()) return 0;
    const ResourceArchive::Entry& entry = found->second;
    std::vector<uint8_t> head(std::min<size_t>(entry.size, kArchiveScrambledBytes));
    std::ifstream in(archive.path(), std::ios::binary);
    in.seekg(std::streamoff(entry.offset));
    in.read(reinterpret_cast<char*>(head.data()), std::streamsize(head.size()));
    if (!in) return 0;
    scrambleArchivePiece(head.data(), head.size());
    return platform::openFileStream(archive.path(), entry.offset, entry.size, std::move(head));
}

}  // namespace

MusicPlaylist::~MusicPlaylist() {
    for (int stream : streams_) platform::closeStream(stream);
}

void MusicPlaylist::addFile(const std::string& file) {
    files_.push_back(file);
    streams_.push_back(platform::isAudioOpen() ? openFromArchive(file) : 0);
    buffers_.emplace_back();
}

void MusicPlaylist::addStream(const std::string& file, ResourceBuffer buffer) {
    files_.push_back(file);
    streams_.push_back(buffer ? platform::openStream(buffer.bytes.get(), buffer.size) : 0);
    buffers_.push_back(std::move(buffer));
}

void MusicPlaylist::openStreams() {
    for (size_t index = 0; index < streams_.size(); ++index) {
        if (streams_[index] != 0) continue;
        const ResourceBuffer& buffer = buffers_[index];
        streams_[index] = buffer ? platform::openStream(buffer.bytes.get(), buffer.size)
                                 : openFromArchive(files_[index]);
    }
}

int MusicPlaylist::currentStream() const {
    return index_ < streams_.size() ? streams_[index_] : 0;
}

bool MusicPlaylist::ownsStream(int stream) const {
    return stream != 0 && std::find(streams_.begin(), streams_.end(), stream) != streams_.end();
}

void MusicPlaylist::startAt(int positionMs) {
    const int stream = currentStream();
    // Without a device yet there is no stream: the sound manager starts it on arrival.
    waitsForAudio_ = stream == 0 && SoundManager::instance().opening();
    if (waitsForAudio_) return;
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
    waitsForAudio_ = false;
    const int stream = currentStream();
    if (!platform::isStreamPlaying(stream)) return;
    savedPositionMs_ = platform::streamPositionMs(stream);
    platform::stopStream(stream);
}

void MusicPlaylist::setPaused(bool paused) {
    if (!musicOn()) return;
    if (paused) waitsForAudio_ = false;
    savedPositionMs_ = platform::streamPositionMs(currentStream());
    platform::setChannelPaused(channel_, paused);
    if (!paused) startAt(savedPositionMs_);
}

void MusicPlaylist::setVolume(int volume) {
    if (channel_ != -1) platform::setChannelVolume(channel_, volume);
}

}  // namespace brx
