#include "platform/MixerLibrary.h"

#include <dlfcn.h>

#include <mutex>

namespace platform {
namespace {

constexpr const char* kLibraryName = "libSDL2_mixer-2.0.so.0";

struct Loaded {
    MixerLibrary table;
    bool ok = false;
    std::string error;
};

// Resolves every function of the table; false with the first missing name in *error.
bool resolve(void* handle, MixerLibrary* table, std::string* error) {
#define BRX_MIXER_RESOLVE(member, function)                                              \
    table->member = reinterpret_cast<decltype(table->member)>(dlsym(handle, #function)); \
    if (table->member == nullptr) {                                                      \
        *error = "the mixer library lacks " #function;                                   \
        return false;                                                                    \
    }
    BRX_MIXER_FUNCTIONS(BRX_MIXER_RESOLVE)
#undef BRX_MIXER_RESOLVE
    return true;
}

Loaded openLibrary() {
    Loaded loaded;
    // Kept open for the rest of the run: the audio thread may still be inside it at exit.
    void* handle = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        loaded.error = reason ? reason : kLibraryName;
        return loaded;
    }
    loaded.ok = resolve(handle, &loaded.table, &loaded.error);
    return loaded;
}

}  // namespace

const MixerLibrary* MixerLibrary::load(std::string* error) {
    static std::once_flag once;
    static Loaded loaded;
    std::call_once(once, [] { loaded = openLibrary(); });
    if (!loaded.ok && error) *error = loaded.error;
    return loaded.ok ? &loaded.table : nullptr;
}

}  // namespace platform
