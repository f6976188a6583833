#include "sound/SoundManager.h"

#include <chrono>
#include <cstring>
#include <thread>
#include <utility>

#include "core/ErrorLog.h"
#include "engine/O3D.h"
#include "engine/Vector3.h"
#include "platform/Platform.h"
#include "sound/MusicPlaylist.h"

namespace brx {

namespace {
// The manager while it exists: objects that die after it (at process exit) must not reach it.
SoundManager* gLiveManager = nullptr;
// How long closing waits for an opening still under way to tell its outcome, and how often it
// looks (ms).
constexpr int kLateOpeningWaitMs = 5000;
constexpr int kLateOpeningPollMs = 10;

void logSoundOff(const std::string& reason) {
    BRX_LOG_LINE("Sound is off: no audio device could be opened (%s)", reason.c_str());
}
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
    const bool wasOpening = std::exchange(opening_, false);
    if (!platform::openAudio(kChannels, &reason)) {
        logSoundOff(reason);
        pendingSamples_.clear();
        soundOn_ = false;
        return false;
    }
    switching_ = false;
    soundOn_ = true;
    musicOn_ = true;
    if (wasOpening) adoptAudio();
    return true;
}

void SoundManager::beginInit() {
    if (platform::isAudioOpen()) return;
    platform::beginOpenAudio(kChannels);
    opening_ = true;
    switching_ = false;
    soundOn_ = true;
    musicOn_ = true;
}

void SoundManager::serviceAudioArrival() {
    std::string reason;
    const platform::AudioOpening state = platform::finishAudioOpen(&reason);
    if (state == platform::AudioOpening::pending) return;
    opening_ = false;
    if (state == platform::AudioOpening::open) {
        adoptAudio();
        return;
    }
    logSoundOff(reason);
    pendingSamples_.clear();
    soundOn_ = false;
    musicOn_ = false;
}

void SoundManager::adoptAudio() {
    std::vector<PendingSample> pending;
    pending.swap(pendingSamples_);
    for (PendingSample& sample : pending) {
        if (sample.buffer) {
            loadSampleFromMemory(sample.id, sample.buffer, sample.loop);
        } else {
            loadSample(sample.id, sample.file, sample.loop);
        }
    }
    for (auto& [id, playlist] : playlists_)
        if (playlist) playlist->openStreams();
    if (musicOn_ && currentPlaylist_ && currentPlaylist_->waitsForAudio())
        currentPlaylist_->playCurrent();
}

bool SoundManager::audible() const {
    return opening_ || platform::isAudioOpen();
}

void SoundManager::notePending(PendingSample sample) {
    std::erase_if(pendingSamples_,
                  [&sample](const PendingSample& noted) { return noted.id == sample.id; });
    samples_[sample.id] = 0;
    pendingSamples_.push_back(std::move(sample));
}

void SoundManager::close() {
    if (opening_) reportLateOpening();
    platform::closeAudio();
    opening_ = false;
    pendingSamples_.clear();
    samples_.clear();
    trackedChannels_.clear();
    playlists_.clear();
    currentPlaylist_ = nullptr;
    soundOn_ = false;
}

// The program ends before a frame took the device over: the worker's outcome is still told, so
// the log always says whether the game had sound.
void SoundManager::reportLateOpening() {
    std::string reason;
    platform::AudioOpening state = platform::finishAudioOpen(&reason);
    for (int waitedMs = 0;
         state == platform::AudioOpening::pending && waitedMs < kLateOpeningWaitMs;
         waitedMs += kLateOpeningPollMs) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kLateOpeningPollMs));
        state = platform::finishAudioOpen(&reason);
    }
    if (state == platform::AudioOpening::failed) logSoundOff(reason);
}

void SoundManager::applySettings(bool sound, int soundVolume, int musicVolume, bool music) {
    const bool willHear = audible();
    soundOn_ = willHear && sound;
    soundVolume_ = sound ? soundVolume : 0;
    musicVolume_ = musicVolume;
    musicOn_ = willHear && music;
}

void SoundManager::loadSample(int id, const std::string& file, bool loop) {
    if (opening_) {
        notePending(PendingSample{id, file, {}, loop});
        return;
    }
    loadSampleFromMemory(id, ResourceArchive::instance().readFile(file), loop);
}

void SoundManager::loadSampleFromMemory(int id, const ResourceBuffer& buffer, bool loop) {
    if (opening_) {
        PendingSample sample{id, {}, {}, loop};
        if (buffer) {
            sample.buffer.bytes = std::make_unique<uint8_t[]>(buffer.size + 1);
            std::memcpy(sample.buffer.bytes.get(), buffer.bytes.get(), buffer.size + 1);
            sample.buffer.size = buffer.size;
        }
        notePending(std::move(sample));
        return;
    }
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
    if (opening_) serviceAudioArrival();
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
    musicOn_ = on && audible();
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
