// Time, message boxes and the browser on SDL2.
#include <SDL.h>

#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/Platform.h"

namespace platform {

void releaseFreedMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
namespace {

using Clock = std::chrono::steady_clock;
const Clock::time_point processStart = Clock::now();

}  // namespace

uint32_t tickCountMs() {
    // Like the system tick count: milliseconds since boot (the steady clock's epoch on Linux),
    // so two runs seed the generator differently.
    return uint32_t(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
            .count());
}

double preciseTimeMs() {
    return std::chrono::duration<double, std::milli>(Clock::now() - processStart).count();
}

void showMessageBox(const char* caption, const char* text, BoxIcon icon) {
    // The texts break lines the Windows way, with carriage returns; SDL's boxes break at line
    // feeds.
    std::string lines;
    for (const char* c = text; *c; ++c) {
        if (*c == '\r' && c[1] == '\n') continue;
        lines.push_back(*c == '\r' ? '\n' : *c);
    }
    const Uint32 flags = icon == BoxIcon::error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    SDL_ShowSimpleMessageBox(flags, caption, lines.c_str(), nullptr);
}

bool openUrl(const char* url) {
    return SDL_OpenURL(url) == 0;
}

bool enterExecutableFolder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !exe.has_parent_path()) return false;
    return chdir(exe.parent_path().c_str()) == 0;
}

}  // namespace platform
