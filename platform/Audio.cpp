// Samples, channels, the music stream and the 3D listener on SDL2_mixer.
//
// Design note: opening the device is the slow part of sound (loading the mixer library and its
// codecs, starting the driver), and the first screen needs none of it. beginOpenAudio() does it
// on a worker thread; until the main thread collects the outcome in finishAudioOpen(), the
// device counts as closed and every call here is a harmless no-op, so sounds asked for meanwhile
// are simply not heard. The worker touches only the library and the driver; the state below is
// the main thread's alone.
//
// Design note: the game was written against a library whose streams play on ordinary channels
// and whose "every channel" includes the music. SDL_mixer keeps music apart, so kAllChannels
// and kMusicChannel reach the music explicitly. Its music-finished hook runs on the audio
// thread and also fires when the music is halted on purpose; only natural ends are recorded,
// in an atomic the main thread collects once per frame, and no game code ever runs there.
#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <thread>
#include <vector>

#include "platform/MixerLibrary.h"
#include "platform/Platform.h"

namespace platform {
namespace {

constexpr int kSampleRateHz = 44100;
constexpr int kMixBufferFrames = 1024;
constexpr float kMinDistance = 8.0f;   // world units at which attenuation starts
constexpr float kMaxDistance = 64.0f;  // beyond this a sound gets no quieter
constexpr float kPi = 3.14159265f;

struct Sample {
    Mix_Chunk* chunk = nullptr;
    bool loop = false;
};

struct ChannelInfo {
    int priority = 0;
    bool placed = false;
    float position[3] = {0, 0, 0};
};

struct AudioState {
    bool open = false;
    int nextHandle = 1;
    std::map<int, Sample> samples;
    std::map<int, Mix_Music*> streams;
    std::vector<ChannelInfo> channels;
    float listener[3] = {0, 0, 0};
    float forward[3] = {0, 1, 0};
    float top[3] = {0, 0, 1};
};
AudioState audio;
const MixerLibrary* mix = nullptr;  // set while audio.open

// An opening in progress on the worker. The worker writes the outcome and then sets done;
// the main thread reads it only after seeing done (or after joining).
struct Opening {
    std::thread worker;
    std::atomic<bool> done{false};
    const MixerLibrary* library = nullptr;
    int channels = 0;
    std::string error;

    ~Opening() {
        if (worker.joinable()) worker.join();  // a run that ends before the device is open
    }
};
Opening opening;

std::atomic<int> playingStream{0};  // written by the main thread, read by the hook
std::atomic<bool> halting{false};   // true while the main thread halts the music itself
std::atomic<int> endedStream{0};    // set by the hook on a natural end

void onMusicFinished() {
    if (halting.load()) return;
    endedStream.store(playingStream.load());
}

int toMixerVolume(int volume) {
    return (std::clamp(volume, 0, 255) * MIX_MAX_VOLUME + 127) / 255;
}

void haltMusic() {
    halting.store(true);
    mix->HaltMusic();
    halting.store(false);
    playingStream.store(0);
}

Mix_Music* findStream(int stream) {
    const auto it = audio.streams.find(stream);
    return it == audio.streams.end() ? nullptr : it->second;
}

// Channel ids handed out are mixer channel + 1, so that 0 never names a playing sound.
bool validChannel(int channel) {
    return channel >= 1 && channel <= int(audio.channels.size());
}
int mixerChannel(int channel) {
    return channel - 1;
}
ChannelInfo& infoOf(int channel) {
    return audio.channels[size_t(channel - 1)];
}

// Plays chunk on a free channel, or on the oldest busy one of no higher priority.
int startChunk(const Sample& sample, int priority) {
    const int loops = sample.loop ? -1 : 0;
    const int channel = mix->PlayChannel(-1, sample.chunk, loops);
    if (channel >= 0) return channel + 1;
    const int oldest = mix->GroupOldest(-1);
    if (!validChannel(oldest + 1) || infoOf(oldest + 1).priority > priority) return -1;
    mix->HaltChannel(oldest);
    return mix->PlayChannel(oldest, sample.chunk, loops) + 1;
}

float dot(const float a[3], const float b[3]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Direction (degrees clockwise from straight ahead) and distance (0 near .. 255 far) of a
// point as the listener hears it, with the usual inverse-distance roll-off.
void hearingOf(const float point[3], Sint16* angleDeg, Uint8* distance) {
    const float rel[3] = {point[0] - audio.listener[0], point[1] - audio.listener[1],
                          point[2] - audio.listener[2]};
    const float right[3] = {audio.forward[1] * audio.top[2] - audio.forward[2] * audio.top[1],
                            audio.forward[2] * audio.top[0] - audio.forward[0] * audio.top[2],
                            audio.forward[0] * audio.top[1] - audio.forward[1] * audio.top[0]};
    const float angle = std::atan2(dot(rel, right), dot(rel, audio.forward)) * 180.0f / kPi;
    *angleDeg = Sint16(std::lround(angle < 0 ? angle + 360.0f : angle));
    const float range = std::clamp(std::sqrt(dot(rel, rel)), kMinDistance, kMaxDistance);
    *distance = Uint8(std::lround((1.0f - kMinDistance / range) * 255.0f));
}

}  // namespace

namespace {

// Loads the library and opens the device; the channel count allocated, or 0 and *error.
// Runs on any thread and touches no state of this file.
int openDevice(int channels, const MixerLibrary** library, std::string* error) {
    const MixerLibrary* mixer = MixerLibrary::load(error);
    if (!mixer) return 0;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        *error = SDL_GetError();
        return 0;
    }
    mixer->Init(MIX_INIT_MP3 | MIX_INIT_OGG);
    if (mixer->OpenAudio(kSampleRateHz, AUDIO_S16SYS, 2, kMixBufferFrames) != 0) {
        *error = Mix_GetError();
        mixer->Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    const int allocated = mixer->AllocateChannels(channels);
    mixer->HookMusicFinished(onMusicFinished);
    *library = mixer;
    return std::max(allocated, 1);
}

// Makes an opened device the current one (main thread).
void adoptDevice(const MixerLibrary* library, int channels) {
    mix = library;
    audio.channels.assign(size_t(channels), ChannelInfo{});
    audio.open = true;
}

// Waits for a worker that was started, and takes its outcome; true when it opened the device.
bool joinOpening(std::string* error) {
    if (!opening.worker.joinable()) return false;
    opening.worker.join();
    opening.done.store(false);
    if (opening.channels > 0) {
        adoptDevice(opening.library, opening.channels);
        return true;
    }
    if (error) *error = opening.error;
    return false;
}

}  // namespace

bool openAudio(int channels, std::string* error) {
    if (opening.worker.joinable()) joinOpening(error);
    if (audio.open) return true;
    std::string reason;
    const MixerLibrary* library = nullptr;
    const int allocated = openDevice(channels, &library, &reason);
    if (allocated == 0) {
        if (error) *error = reason;
        return false;
    }
    adoptDevice(library, allocated);
    return true;
}

void beginOpenAudio(int channels) {
    if (audio.open || opening.worker.joinable()) return;
    opening.done.store(false);
    opening.library = nullptr;
    opening.channels = 0;
    opening.error.clear();
    opening.worker = std::thread([channels] {
        opening.channels = openDevice(channels, &opening.library, &opening.error);
        opening.done.store(true);
    });
    // A name to tell the worker by in a debugger and in tests that check it has ended.
    pthread_setname_np(opening.worker.native_handle(), "brx-audio-open");
}

AudioOpening finishAudioOpen(std::string* error) {
    if (audio.open) return AudioOpening::open;
    if (!opening.worker.joinable()) return AudioOpening::none;
    if (!opening.done.load()) return AudioOpening::pending;
    return joinOpening(error) ? AudioOpening::open : AudioOpening::failed;
}

void closeAudio() {
    if (opening.worker.joinable()) joinOpening(nullptr);
    if (!audio.open) return;
    mix->HaltChannel(-1);
    haltMusic();
    mix->HookMusicFinished(nullptr);
    for (auto& [handle, sample] : audio.samples) mix->FreeChunk(sample.chunk);
    for (auto& [handle, music] : audio.streams) mix->FreeMusic(music);
    audio = AudioState{};
    endedStream.store(0);
    mix->CloseAudio();
    mix->Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool isAudioOpen() {
    return audio.open;
}

int loadSample(const uint8_t* data, size_t size, bool loop) {
    if (!audio.open || !data || size == 0 || size > size_t(INT32_MAX)) return 0;
    SDL_RWops* source = SDL_RWFromConstMem(data, int(size));
    Mix_Chunk* chunk = source ? mix->LoadWAV_RW(source, 1) : nullptr;
    if (!chunk) return 0;
    const int handle = audio.nextHandle++;
    audio.samples[handle] = Sample{chunk, loop};
    return handle;
}

void freeSample(int sample) {
    const auto it = audio.samples.find(sample);
    if (it == audio.samples.end()) return;
    for (int channel = 0; channel < int(audio.channels.size()); ++channel)
        if (mix->Playing(channel) && mix->GetChunk(channel) == it->second.chunk)
            mix->HaltChannel(channel);
    mix->FreeChunk(it->second.chunk);
    audio.samples.erase(it);
}

int playSample(int sample, int priority, int volume) {
    const auto it = audio.samples.find(sample);
    if (!audio.open || it == audio.samples.end()) return -1;
    const int channel = startChunk(it->second, priority);
    if (!validChannel(channel)) return -1;
    mix->SetPosition(mixerChannel(channel), 0, 0);  // a fresh channel plays unplaced
    infoOf(channel) = ChannelInfo{priority, false, {0, 0, 0}};
    mix->Volume(mixerChannel(channel), toMixerVolume(volume));
    return channel;
}

void setChannelVolume(int channel, int volume) {
    if (!audio.open) return;
    const int mixerVolume = toMixerVolume(volume);
    if (channel == kAllChannels || channel == kMusicChannel) mix->VolumeMusic(mixerVolume);
    if (channel == kAllChannels) mix->Volume(-1, mixerVolume);
    if (validChannel(channel)) mix->Volume(mixerChannel(channel), mixerVolume);
}

void setChannelPaused(int channel, bool paused) {
    if (!audio.open) return;
    if (channel == kAllChannels || channel == kMusicChannel)
        paused ? mix->PauseMusic() : mix->ResumeMusic();
    if (channel != kAllChannels && !validChannel(channel)) return;
    const int target = channel == kAllChannels ? -1 : mixerChannel(channel);
    paused ? mix->Pause(target) : mix->Resume(target);
}

void stopChannel(int channel) {
    if (!audio.open) return;
    if (channel == kAllChannels || channel == kMusicChannel) haltMusic();
    if (channel == kAllChannels) mix->HaltChannel(-1);
    if (validChannel(channel)) mix->HaltChannel(mixerChannel(channel));
}

bool isChannelPlaying(int channel) {
    if (!audio.open) return false;
    if (channel == kMusicChannel) return mix->PlayingMusic() != 0;
    return validChannel(channel) && mix->Playing(mixerChannel(channel)) != 0;
}

void setChannelPosition(int channel, float x, float y, float z) {
    if (!validChannel(channel)) return;
    ChannelInfo& info = infoOf(channel);
    info.placed = true;
    info.position[0] = x;
    info.position[1] = y;
    info.position[2] = z;
}

void setListener(const float position[3], const float forward[3], const float top[3]) {
    std::copy(position, position + 3, audio.listener);
    std::copy(forward, forward + 3, audio.forward);
    std::copy(top, top + 3, audio.top);
}

void update3D() {
    if (!audio.open) return;
    for (int channel = 0; channel < int(audio.channels.size()); ++channel) {
        const ChannelInfo& info = audio.channels[size_t(channel)];
        if (!info.placed || !mix->Playing(channel)) continue;
        Sint16 angle = 0;
        Uint8 distance = 0;
        hearingOf(info.position, &angle, &distance);
        mix->SetPosition(channel, angle, distance);
    }
}

namespace {

// A piece of a file behind an SDL_RWops: read with pread() on its own descriptor, so the audio
// thread that decodes the music never shares a file position with anyone.
struct FilePiece {
    int fd = -1;
    uint64_t offset = 0;
    uint64_t size = 0;
    uint64_t position = 0;
    std::vector<uint8_t> head;
};

FilePiece* pieceOf(SDL_RWops* context) {
    return static_cast<FilePiece*>(context->hidden.unknown.data1);
}

Sint64 SDLCALL pieceSize(SDL_RWops* context) {
    return Sint64(pieceOf(context)->size);
}

Sint64 SDLCALL pieceSeek(SDL_RWops* context, Sint64 offset, int whence) {
    FilePiece& piece = *pieceOf(context);
    const Sint64 base = whence == RW_SEEK_SET   ? 0
                        : whence == RW_SEEK_CUR ? Sint64(piece.position)
                                                : Sint64(piece.size);
    const Sint64 target = base + offset;
    if (target < 0) return SDL_SetError("seek before the start of the music");
    piece.position = uint64_t(target);
    return target;
}

size_t SDLCALL pieceRead(SDL_RWops* context, void* out, size_t size, size_t count) {
    FilePiece& piece = *pieceOf(context);
    if (size == 0 || piece.position >= piece.size) return 0;
    const uint64_t wanted = std::min<uint64_t>(uint64_t(size) * count, piece.size - piece.position);
    auto* bytes = static_cast<uint8_t*>(out);
    uint64_t done = 0;
    while (done < wanted && piece.position + done < piece.head.size()) {
        bytes[done] = piece.head[size_t(piece.position + done)];
        ++done;
    }
    while (done < wanted) {
        const ssize_t got = pread(piece.fd, bytes + done, size_t(wanted - done),
                                  off_t(piece.offset + piece.position + done));
        if (got <= 0) break;  // the file is shorter than its directory says
        done += uint64_t(got);
    }
    piece.position += done;
    return size_t(done / size);
}

size_t SDLCALL pieceWrite(SDL_RWops*, const void*, size_t, size_t) {
    return 0;
}

int SDLCALL pieceClose(SDL_RWops* context) {
    FilePiece* piece = pieceOf(context);
    ::close(piece->fd);
    delete piece;
    SDL_FreeRW(context);
    return 0;
}

SDL_RWops* openPiece(const std::string& path, uint64_t offset, uint64_t size,
                     std::vector<uint8_t> head) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    SDL_RWops* context = SDL_AllocRW();
    if (!context) {
        ::close(fd);
        return nullptr;
    }
    head.resize(size_t(std::min<uint64_t>(head.size(), size)));
    context->hidden.unknown.data1 = new FilePiece{fd, offset, size, 0, std::move(head)};
    context->size = pieceSize;
    context->seek = pieceSeek;
    context->read = pieceRead;
    context->write = pieceWrite;
    context->close = pieceClose;
    return context;
}

}  // namespace

int openFileStream(const std::string& path, uint64_t offset, uint64_t size,
                   std::vector<uint8_t> head) {
    if (!audio.open || size == 0) return 0;
    SDL_RWops* source = openPiece(path, offset, size, std::move(head));
    Mix_Music* music = source ? mix->LoadMUS_RW(source, 1) : nullptr;
    if (!music) return 0;
    const int handle = audio.nextHandle++;
    audio.streams[handle] = music;
    return handle;
}

int openStream(const uint8_t* data, size_t size) {
    if (!audio.open || !data || size == 0 || size > size_t(INT32_MAX)) return 0;
    SDL_RWops* source = SDL_RWFromConstMem(data, int(size));
    Mix_Music* music = source ? mix->LoadMUS_RW(source, 1) : nullptr;
    if (!music) return 0;
    const int handle = audio.nextHandle++;
    audio.streams[handle] = music;
    return handle;
}

void closeStream(int stream) {
    Mix_Music* music = findStream(stream);
    if (!music) return;
    if (playingStream.load() == stream) haltMusic();
    mix->FreeMusic(music);
    audio.streams.erase(stream);
}

int playStream(int stream, bool paused) {
    Mix_Music* music = findStream(stream);
    if (!music) return -1;
    haltMusic();
    // Published before the start: a stream that ends at once is reported under its own id.
    playingStream.store(stream);
    if (mix->PlayMusic(music, 1) != 0) {
        // A stream that cannot start counts as ended, so the playlist moves on to the next.
        endedStream.store(stream);
        playingStream.store(0);
        return -1;
    }
    if (paused) mix->PauseMusic();
    return kMusicChannel;
}

void stopStream(int stream) {
    if (stream != 0 && playingStream.load() == stream) haltMusic();
}

bool isStreamPlaying(int stream) {
    return stream != 0 && playingStream.load() == stream && mix->PlayingMusic() != 0;
}

int streamPositionMs(int stream) {
    Mix_Music* music = findStream(stream);
    if (!music || playingStream.load() != stream) return 0;
    const double seconds = mix->GetMusicPosition(music);
    return seconds > 0 ? int(seconds * 1000.0) : 0;
}

void setStreamPositionMs(int stream, int positionMs) {
    if (stream == 0 || playingStream.load() != stream) return;
    mix->SetMusicPosition(std::max(positionMs, 0) / 1000.0);
}

int takeEndedStream() {
    return endedStream.exchange(0);
}

}  // namespace platform
