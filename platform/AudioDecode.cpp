#include "platform/AudioDecode.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstring>

#include "platform/MixerLibrary.h"

namespace platform {
namespace {

constexpr int kDecodeRateHz = 44100;
constexpr int kDecodeChannels = 2;
constexpr int kDecodeChunkFrames = 1024;

// Opens the mixer if nobody has; remembers what it opened so it can close exactly that.
class MixerSession {
public:
    bool open(std::string* error) {
        std::string reason;
        mix = MixerLibrary::load(&reason);
        if (mix == nullptr) {
            *error = "no mixer library: " + reason;
            return false;
        }
        int rate = 0, channels = 0;
        Uint16 format = 0;
        if (mix->QuerySpec(&rate, &format, &channels) != 0) return true;  // already open
        if (SDL_WasInit(SDL_INIT_AUDIO) == 0) {
            // A decode needs no speaker; a driver named in the environment still wins.
            SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
            const bool started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
            SDL_ResetHint(SDL_HINT_AUDIODRIVER);
            if (!started) {
                *error = std::string("audio start failed: ") + SDL_GetError();
                return false;
            }
            startedAudio = true;
        }
        mix->Init(MIX_INIT_MP3 | MIX_INIT_OGG);
        if (mix->OpenAudio(kDecodeRateHz, AUDIO_S16SYS, kDecodeChannels, kDecodeChunkFrames) != 0) {
            *error = std::string("mixer open failed: ") + Mix_GetError();
            return false;
        }
        openedMixer = true;
        return true;
    }
    ~MixerSession() {
        if (openedMixer) mix->CloseAudio();
        if (startedAudio) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    const MixerLibrary* mix = nullptr;

private:
    bool startedAudio = false;
    bool openedMixer = false;
};

// Copies a chunk in the mixer's format into 16-bit samples, converting if the device is not
// 16-bit.
bool copyChunk(const MixerLibrary& mix, const Mix_Chunk& chunk, DecodedAudio* out,
               std::string* error) {
    int rate = 0, channels = 0;
    Uint16 format = 0;
    mix.QuerySpec(&rate, &format, &channels);
    out->sampleRateHz = rate;
    out->channels = channels;
    if (format == AUDIO_S16SYS) {
        out->samples.resize(chunk.alen / 2);
        std::memcpy(out->samples.data(), chunk.abuf, out->samples.size() * 2);
        return true;
    }
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, format, Uint8(channels), rate, AUDIO_S16SYS, Uint8(channels),
                          rate) < 0) {
        *error = std::string("no conversion to 16 bits: ") + SDL_GetError();
        return false;
    }
    std::vector<Uint8> work(size_t(chunk.alen) * size_t(cvt.len_mult > 0 ? cvt.len_mult : 1));
    std::memcpy(work.data(), chunk.abuf, chunk.alen);
    cvt.buf = work.data();
    cvt.len = int(chunk.alen);
    if (SDL_ConvertAudio(&cvt) != 0) {
        *error = std::string("conversion failed: ") + SDL_GetError();
        return false;
    }
    out->samples.resize(size_t(cvt.len_cvt) / 2);
    std::memcpy(out->samples.data(), work.data(), out->samples.size() * 2);
    return true;
}

}  // namespace

bool decodeAudio(const uint8_t* bytes, size_t size, DecodedAudio* out, std::string* error) {
    *out = DecodedAudio{};
    if (bytes == nullptr || size == 0 || size > size_t(INT32_MAX)) {
        *error = "empty or oversized sound data";
        return false;
    }
    MixerSession session;
    if (!session.open(error)) return false;
    SDL_RWops* stream = SDL_RWFromConstMem(bytes, int(size));
    Mix_Chunk* chunk = stream ? session.mix->LoadWAV_RW(stream, 1) : nullptr;
    if (chunk == nullptr) {
        *error = std::string("not a playable sound: ") + Mix_GetError();
        return false;
    }
    const bool copied = copyChunk(*session.mix, *chunk, out, error);
    session.mix->FreeChunk(chunk);
    return copied;
}

}  // namespace platform
