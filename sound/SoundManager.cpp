#include "sound/SoundManager.h"

#include "core/ErrorLog.h"
#include "engine/O3D.h"
#include "engine/Vector3.h"
#include "platform/Platform.h"
#include "sound/MusicPlaylist.h"

namespace brx {

namespace {
// The manager while it exists: objects that die after it (at process exit) must not reach it.
SoundManager* gLiveManager = nullptr;
}  // namespace

SoundManager& SoundManager::instance() {
    static SoundManager manager;
    return manager;
}

SoundManager::SoundManager() {
    gLiveManager = this;
}

SoundManager::~SoundManager() {
    gLiveManager = nullptr;
}

bool SoundManager::init() {
    std::string reason;
    if (!platform::openAudio(kChannels, &reason)) {
        BRX_LOG_LINE("Sound is off: no audio device could be opened (%s)", reason.c_str());
        soundOn_ = false;
        return false;
    }
    switching_ = false;
    soundOn_ = true;
    musicOn_ = true;
    return true;
}

void SoundManager::close() {
    platform::closeAudio();
    samples_.clear();
    trackedChannels_.clear();
    playlists_.clear();
    currentPlaylist_ = nullptr;
    soundOn_ = false;
}

void SoundManager::applySettings(bool sound, int soundVolume, int musicVolume, bool music) {
    const bool audible = platform::isAudioOpen();
    soundOn_ = audible && sound;
    soundVolume_ = sound ? soundVolume : 0;
    musicVolume_ = musicVolume;
    musicOn_ = audible && music;
}

void SoundManager::loadSample(int id, const std::string& file, bool loop) {
    loadSampleFromMemory(id, ResourceArchive::instance().readFile(file), loop);
}

void SoundManager::loadSampleFromMemory(int id, const ResourceBuffer& buffer, bool loop) {
    const auto old = samples_.find(id);
    if (old != samples_.end()) platform::freeSample(old->second);
    samples_[id] = buffer ? platform::loadSample(buffer.bytes.get(), buffer.size, loop) : 0;
}

int SoundManager::play(int id, int priority) {
    if (id == 0) return 0;
    const auto it = samples_.find(id);
    if (it == samples_.end() || it->second == 0) return -1;
    return platform::playSample(it->second, priority, soundVolume_);
}

void SoundManager::stop(int channel) {
    trackedChannels_.erase(channel);
    platform::stopChannel(channel);
}

void SoundManager::pauseAll(bool paused) {
    platform::setChannelPaused(platform::kAllChannels, paused);
}

void SoundManager::stopAll() {
    trackedChannels_.clear();
    platform::stopChannel(platform::kAllChannels);
}

void SoundManager::setSoundVolume(int volume) {
    if (!soundOn_) return;
    platform::setChannelVolume(platform::kAllChannels, volume);
    soundVolume_ = volume;
}

void SoundManager::setMusicVolume(int volume) {
    musicVolume_ = volume;
    if (currentPlaylist_) currentPlaylist_->setVolume(volume);
}

void SoundManager::addPlaylist(int id, MusicPlaylist* playlist) {
    playlists_[id] = playlist;
}

void SoundManager::selectPlaylist(int id) {
    switching_ = true;
    for (auto& [playlistId, playlist] : playlists_)
        if (playlist) playlist->stop();
    switching_ = false;
    const auto it = playlists_.find(id);
    currentPlaylist_ = it == playlists_.end() ? nullptr : it->second;
}

void SoundManager::track(int channel, const O3D* object) {
    if (channel > 0 && object) trackedChannels_[channel] = object;
}

void SoundManager::untrack(const O3D* object) {
    std::erase_if(trackedChannels_, [object](const auto& entry) { return entry.second == object; });
}

void SoundManager::forgetObject(const O3D* object) {
    if (gLiveManager) gLiveManager->untrack(object);
}

void SoundManager::updateTracked() {
    for (auto it = trackedChannels_.begin(); it != trackedChannels_.end();) {
        if (!platform::isChannelPlaying(it->first)) {
            it = trackedChannels_.erase(it);
            continue;
        }
        const Vector3 position = it->second->position();
        platform::setChannelPosition(it->first, position.x, position.y, position.z);
        ++it;
    }
}

void SoundManager::setListener(const Vector3& position, const Vector3& forward,
                               const Vector3& top) {
    const float at[3] = {position.x, position.y, position.z};
    const float ahead[3] = {forward.x, forward.y, forward.z};
    const float up[3] = {top.x, top.y, top.z};
    platform::setListener(at, ahead, up);
}

void SoundManager::update3D() {
    platform::update3D();
}

void SoundManager::serviceStreamEnd() {
    const int ended = platform::takeEndedStream();
    if (ended != 0 && currentPlaylist_ && currentPlaylist_->ownsStream(ended)) onStreamEnd();
}

void SoundManager::onStreamEnd() {
    if (switching_ || !musicOn_ || !currentPlaylist_) return;
    if (++endCount_ < kPlaysPerFile) {
        currentPlaylist_->playCurrent();
        return;
    }
    endCount_ = 0;
    currentPlaylist_->stop();
    currentPlaylist_->playNext();
}

void SoundManager::setMusicOn(bool on) {
    musicOn_ = on && platform::isAudioOpen();
    if (!currentPlaylist_) return;
    if (musicOn_) {
        currentPlaylist_->resume();
    } else {
        currentPlaylist_->stop();
    }
}

bool SoundManager::hasSample(int id) const {
    const auto it = samples_.find(id);
    return it != samples_.end() && it->second != 0;
}

}  // namespace brx
