// Window, OpenGL context and display modes on SDL2.
#include <SDL.h>

#include <algorithm>
#include <thread>

#include "platform/Platform.h"

namespace platform {
namespace {

constexpr int kFallbackRefreshHz = 60;

struct VideoState {
    bool videoStarted = false;
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    bool driverSyncs = false;     // the driver honoured swap interval 1
    bool pacingEnabled = true;    // pace swaps ourselves when the driver does not sync
    double frameMs = 1000.0 / kFallbackRefreshHz;
    double lastSwapMs = 0.0;
};
VideoState video;

void setGlAttributes(const WindowSpec& spec) {
    const int channelBits = spec.colorBits >= 24 ? 8 : 5;
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channelBits);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channelBits == 5 ? 6 : 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channelBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, std::min(spec.depthBits, 24));
}

double refreshIntervalMs() {
    SDL_DisplayMode mode;
    const int display = video.window ? SDL_GetWindowDisplayIndex(video.window) : 0;
    if (SDL_GetCurrentDisplayMode(std::max(display, 0), &mode) == 0 && mode.refresh_rate > 0)
        return 1000.0 / mode.refresh_rate;
    return 1000.0 / kFallbackRefreshHz;
}

}  // namespace

bool initVideo() {
    if (video.videoStarted) return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) return false;
    video.videoStarted = true;
    return true;
}

void quitVideo() {
    closeWindow();
    if (video.videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    video.videoStarted = false;
}

bool openWindow(const WindowSpec& spec, std::string* error) {
    if (!initVideo()) {
        if (error) *error = SDL_GetError();
        return false;
    }
    closeWindow();
    setGlAttributes(spec);
    Uint32 flags = SDL_WINDOW_OPENGL | (spec.hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN);
    if (spec.fullScreen) flags |= SDL_WINDOW_FULLSCREEN;
    video.window = SDL_CreateWindow(spec.title.c_str(), SDL_WINDOWPOS_CENTERED,
                                    SDL_WINDOWPOS_CENTERED, spec.width, spec.height, flags);
    if (!video.window) {
        if (error) *error = SDL_GetError();
        return false;
    }
    video.context = SDL_GL_CreateContext(video.window);
    if (!video.context) {
        if (error) *error = SDL_GetError();
        SDL_DestroyWindow(video.window);
        video.window = nullptr;
        return false;
    }
    SDL_GL_MakeCurrent(video.window, video.context);
    video.driverSyncs = SDL_GL_SetSwapInterval(1) == 0;
    video.frameMs = refreshIntervalMs();
    video.lastSwapMs = preciseTimeMs();
    return true;
}

void closeWindow() {
    if (video.context) {
        SDL_GL_MakeCurrent(video.window, nullptr);
        SDL_GL_DeleteContext(video.context);
        video.context = nullptr;
    }
    if (video.window) {
        SDL_DestroyWindow(video.window);
        video.window = nullptr;
    }
}

bool isWindowOpen() { return video.window != nullptr && video.context != nullptr; }

void windowSize(int* width, int* height) {
    int w = 0, h = 0;
    if (video.window) SDL_GL_GetDrawableSize(video.window, &w, &h);
    if (width) *width = w;
    if (height) *height = h;
}

unsigned long nativeWindowId() {
    // Filled in by the input/window-manager part of the backend (SDL_syswm).
    return 0;
}

void swapWindow() {
    if (!video.window) return;
    SDL_GL_SwapWindow(video.window);
    if (video.driverSyncs || !video.pacingEnabled) return;
    // No vertical sync from the driver: wait out the rest of one refresh interval, as a
    // synchronised swap would, so an idle menu does not burn a core.
    const double next = video.lastSwapMs + video.frameMs;
    const double now = preciseTimeMs();
    if (next > now) {
        std::this_thread::sleep_for(std::chrono::microseconds(int64_t((next - now) * 1000.0)));
        video.lastSwapMs = next;
    } else {
        video.lastSwapMs = now;
    }
}

void setSwapPacing(bool enabled) { video.pacingEnabled = enabled; }

void* glProcAddress(const char* name) { return SDL_GL_GetProcAddress(name); }

std::vector<DisplayMode> listDisplayModes() {
    std::vector<DisplayMode> modes;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
        modes.push_back({mode.w, mode.h, int(SDL_BITSPERPIXEL(mode.format)), mode.refresh_rate});
    }
    return modes;
}

DisplayMode desktopMode() {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return {};
    return {mode.w, mode.h, int(SDL_BITSPERPIXEL(mode.format)), mode.refresh_rate};
}

}  // namespace platform
