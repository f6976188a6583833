// Time, message boxes and the browser on SDL2.
#include <SDL.h>

#include <chrono>

#include "platform/Platform.h"

namespace platform {
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
    const Uint32 flags =
        icon == BoxIcon::error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    SDL_ShowSimpleMessageBox(flags, caption, text, nullptr);
}

bool openUrl(const char* url) { return SDL_OpenURL(url) == 0; }

}  // namespace platform
