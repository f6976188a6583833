// Window, OpenGL context and display modes on SDL2.
//
// Design note: the window and its context are made in two steps so the shell can report a
// failed window and a failed context each with its own box, as it always has. Full screen is a
// real mode switch (SDL_WINDOW_FULLSCREEN with the chosen mode), not a desktop-sized window.
#include <GL/gl.h>
#include <SDL.h>
#include <SDL_syswm.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/Platform.h"

namespace platform {
namespace {

constexpr int kFallbackRefreshHz = 60;

struct VideoState {
    bool videoStarted = false;
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    bool driverSyncs = false;   // the driver honoured swap interval 1
    bool pacingEnabled = true;  // pace swaps ourselves when the driver does not sync
    double frameMs = 1000.0 / kFallbackRefreshHz;
    double lastSwapMs = 0.0;
    bool systemCursorShown = true;  // re-applied to every new window: video start resets it
};
VideoState video;

void setGlAttributes(const WindowDesc& desc) {
    const int channelBits = desc.colorBits >= 24 ? 8 : 5;
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channelBits);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channelBits == 5 ? 6 : 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channelBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, std::min(desc.depthBits, 24));
}

double refreshIntervalMs() {
    SDL_DisplayMode mode;
    const int display = video.window ? SDL_GetWindowDisplayIndex(video.window) : 0;
    if (SDL_GetCurrentDisplayMode(std::max(display, 0), &mode) == 0 && mode.refresh_rate > 0)
        return 1000.0 / mode.refresh_rate;
    return 1000.0 / kFallbackRefreshHz;
}

void setError(std::string* error) {
    if (error) *error = SDL_GetError();
}

// Picks the reported mode a full-screen window of desc should switch to.
bool findFullScreenMode(const WindowDesc& desc, SDL_DisplayMode* found) {
    const int count = SDL_GetNumDisplayModes(0);
    bool haveAny = false;
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
        if (mode.w != desc.width || mode.h != desc.height) continue;
        if (desc.refreshHz != 0 && mode.refresh_rate != desc.refreshHz) continue;
        const bool depthMatches = int(SDL_BITSPERPIXEL(mode.format)) == desc.colorBits;
        if (depthMatches || !haveAny) *found = mode;
        haveAny = true;
        if (depthMatches) return true;
    }
    return haveAny;
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

void showSystemCursor(bool visible) {
    // Remembered for every window made later: starting the video resets SDL's own flag.
    video.systemCursorShown = visible;
    if (video.videoStarted) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

bool systemCursorShown() {
    return video.systemCursorShown;
}

bool createWindow(const WindowDesc& desc, std::string* error) {
    if (!initVideo()) {
        setError(error);
        return false;
    }
    closeWindow();
    setGlAttributes(desc);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (desc.borderless) flags |= SDL_WINDOW_BORDERLESS;
    int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
    if (desc.borderless || desc.fullScreen) x = y = 0;
    video.window = SDL_CreateWindow(desc.title.c_str(), x, y, desc.width, desc.height, flags);
    if (!video.window) {
        setError(error);
        return false;
    }
    SDL_DisplayMode mode;
    if (desc.fullScreen && findFullScreenMode(desc, &mode)) {
        SDL_SetWindowDisplayMode(video.window, &mode);
        SDL_SetWindowFullscreen(video.window, SDL_WINDOW_FULLSCREEN);
    }
    if (!desc.hidden) SDL_ShowWindow(video.window);
    SDL_ShowCursor(video.systemCursorShown ? SDL_ENABLE : SDL_DISABLE);
    return true;
}

bool createContext(std::string* error) {
    if (!video.window) {
        if (error) *error = "no window";
        return false;
    }
    releaseContext();
    video.context = SDL_GL_CreateContext(video.window);
    if (!video.context) {
        setError(error);
        return false;
    }
    SDL_GL_MakeCurrent(video.window, video.context);
    video.driverSyncs = SDL_GL_SetSwapInterval(1) == 0;
    video.frameMs = refreshIntervalMs();
    video.lastSwapMs = preciseTimeMs();
    return true;
}

bool releaseContext() {
    if (!video.context) return true;
    const bool detached = SDL_GL_MakeCurrent(video.window, nullptr) == 0;
    SDL_GL_DeleteContext(video.context);
    video.context = nullptr;
    return detached;
}

void destroyWindow() {
    releaseContext();
    if (video.window) SDL_DestroyWindow(video.window);
    video.window = nullptr;
}

bool openWindow(const WindowDesc& desc, std::string* error) {
    if (!createWindow(desc, error)) return false;
    if (createContext(error)) return true;
    destroyWindow();
    return false;
}

void closeWindow() {
    destroyWindow();
}

bool isWindowOpen() {
    return video.window != nullptr && video.context != nullptr;
}

bool hasContext() {
    return video.context != nullptr;
}

void raiseWindow() {
    if (!video.window) return;
    SDL_ShowWindow(video.window);
    SDL_RaiseWindow(video.window);
}

std::string glVendor() {
    const auto* text = video.context ? glGetString(GL_VENDOR) : nullptr;
    return text ? reinterpret_cast<const char*>(text) : "";
}

std::string glRenderer() {
    const auto* text = video.context ? glGetString(GL_RENDERER) : nullptr;
    return text ? reinterpret_cast<const char*>(text) : "";
}

void windowSize(int* width, int* height) {
    int w = 0, h = 0;
    if (video.window) SDL_GL_GetDrawableSize(video.window, &w, &h);
    if (width) *width = w;
    if (height) *height = h;
}

unsigned long nativeWindowId() {
    if (!video.window) return 0;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(video.window, &info)) return 0;
#if defined(SDL_VIDEO_DRIVER_X11)
    if (info.subsystem == SDL_SYSWM_X11) return static_cast<unsigned long>(info.info.x11.window);
#endif
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

void setSwapPacing(bool enabled) {
    video.pacingEnabled = enabled;
}

void* glProcAddress(const char* name) {
    return SDL_GL_GetProcAddress(name);
}

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

bool canSetDisplayMode(const DisplayMode& mode) {
    WindowDesc desc;
    desc.width = mode.width;
    desc.height = mode.height;
    desc.colorBits = mode.bitsPerPixel;
    desc.refreshHz = mode.refreshHz;
    SDL_DisplayMode found;
    return findFullScreenMode(desc, &found);
}

}  // namespace platform
