// The mixer library, opened at run time instead of linked.
//
// Design note: the mixer library pulls in a codec stack of some thirty shared libraries. Linked
// into the executable they would all be mapped and relocated before main() runs, although the
// first screen needs no sound. The game therefore opens the library with dlopen() on the thread
// that opens the audio device (see Audio.cpp) and calls it through this table; the headers are
// still the library's own, so every signature is checked by the compiler.
#pragma once

#include <SDL_mixer.h>

#include <string>

namespace platform {

#define BRX_MIXER_FUNCTIONS(X)                  \
    X(Init, Mix_Init)                           \
    X(Quit, Mix_Quit)                           \
    X(OpenAudio, Mix_OpenAudio)                 \
    X(CloseAudio, Mix_CloseAudio)               \
    X(QuerySpec, Mix_QuerySpec)                 \
    X(AllocateChannels, Mix_AllocateChannels)   \
    X(HookMusicFinished, Mix_HookMusicFinished) \
    X(LoadWAV_RW, Mix_LoadWAV_RW)               \
    X(FreeChunk, Mix_FreeChunk)                 \
    X(LoadMUS_RW, Mix_LoadMUS_RW)               \
    X(FreeMusic, Mix_FreeMusic)                 \
    X(PlayChannel, Mix_PlayChannel)             \
    X(HaltChannel, Mix_HaltChannel)             \
    X(Playing, Mix_Playing)                     \
    X(GetChunk, Mix_GetChunk)                   \
    X(GroupOldest, Mix_GroupOldest)             \
    X(SetPosition, Mix_SetPosition)             \
    X(Volume, Mix_Volume)                       \
    X(Pause, Mix_Pause)                         \
    X(Resume, Mix_Resume)                       \
    X(PlayMusic, Mix_PlayMusic)                 \
    X(HaltMusic, Mix_HaltMusic)                 \
    X(PauseMusic, Mix_PauseMusic)               \
    X(ResumeMusic, Mix_ResumeMusic)             \
    X(PlayingMusic, Mix_PlayingMusic)           \
    X(VolumeMusic, Mix_VolumeMusic)             \
    X(GetMusicPosition, Mix_GetMusicPosition)   \
    X(SetMusicPosition, Mix_SetMusicPosition)

struct MixerLibrary {
#define BRX_MIXER_MEMBER(member, function) decltype(&::function) member = nullptr;
    BRX_MIXER_FUNCTIONS(BRX_MIXER_MEMBER)
#undef BRX_MIXER_MEMBER

    // Opens the library once per process (any thread; later calls return the same table);
    // nullptr with the loader's reason in *error when it or one of its functions is missing.
    static const MixerLibrary* load(std::string* error = nullptr);
};

}  // namespace platform
