// Window, OpenGL context and display modes on SDL2.
//
// Design note: the window and its context are made in two steps so the shell can report a
// failed window and a failed context each with its own box, as it always has. Full screen is a
// real mode switch (SDL_WINDOW_FULLSCREEN with the chosen mode), not a desktop-sized window.
// A swap never sleeps here: the main loop paces its frames itself, waiting for input while it
// waits for the refresh, so a frame that is not due costs nothing and input is never held up.
#include <GL/gl.h>
#include <SDL.h>
#include <SDL_syswm.h>

#include <algorithm>
#include <vector>

#include "platform/Controllers.h"
#include "platform/LostReleases.h"
#include "platform/Platform.h"

namespace platform {
namespace {

constexpr int kFallbackRefreshHz = 60;

struct VideoState {
    bool videoStarted = false;
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    bool driverSyncs = false;   // the driver honoured swap interval 1
    bool pacingEnabled = true;  // the main loop paces frames to the refresh
    double frameMs = 1000.0 / kFallbackRefreshHz;
    bool systemCursorShown = true;  // re-applied to every new window: video start resets it
    SDL_Cursor* colorCursor = nullptr;
    std::vector<uint8_t> icon;  // RGBA, top row first; put on every window made
    int iconWidth = 0;
    int iconHeight = 0;
};
VideoState video;

// The pointer shows the colour picture when there is one, else the system's when it is shown.
void applyCursorVisibility() {
    const bool visible = video.colorCursor != nullptr || video.systemCursorShown;
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void applyIcon() {
    if (!video.window || video.icon.empty()) return;
    SDL_Surface* picture =
        SDL_CreateRGBSurfaceWithFormatFrom(video.icon.data(), video.iconWidth, video.iconHeight, 32,
                                           video.iconWidth * 4, SDL_PIXELFORMAT_RGBA32);
    if (!picture) return;
    SDL_SetWindowIcon(video.window, picture);
    SDL_FreeSurface(picture);
}

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

double displayIntervalMs() {
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

// X and Wayland take pointer pictures with premultiplied alpha, and SDL hands the pixels over
// as they are: a half-transparent edge would otherwise show too bright.
bool cursorWantsPremultipliedAlpha() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && (SDL_strcmp(driver, "x11") == 0 || SDL_strcmp(driver, "wayland") == 0);
}

void premultiplyAlpha(std::vector<uint8_t>& rgba) {
    for (size_t at = 0; at + 3 < rgba.size(); at += 4) {
        const unsigned alpha = rgba[at + 3];
        for (size_t c = 0; c < 3; ++c) rgba[at + c] = uint8_t((rgba[at + c] * alpha + 127) / 255);
    }
}

// Connecting to a named display: attempts and the wait between them (ms).
constexpr int kDisplayAttempts = 4;
constexpr Uint32 kDisplayRetryMs = 400;

bool isInvisibleDriver(const char* driver) {
    return driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
}

bool videoDriverAskedFor() {
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    return asked && *asked;
}

// One line for the player: which display could not be reached and how to start the game.
std::string noDisplayText() {
    const char* x11 = SDL_getenv("DISPLAY");
    const char* wayland = SDL_getenv("WAYLAND_DISPLAY");
    std::string missing;
    if ((!x11 || !*x11) && (!wayland || !*wayland)) {
        missing = "no display is set (DISPLAY and WAYLAND_DISPLAY are empty)";
    } else {
        missing = "the display";
        if (x11 && *x11) missing += std::string(" DISPLAY=") + x11;
        if (wayland && *wayland) missing += std::string(" WAYLAND_DISPLAY=") + wayland;
        missing += " cannot be reached";
    }
    return "Brixeler 3D needs a graphical desktop, but " + missing +
           ". Start it from an X11 or Wayland session, or set DISPLAY to a running X server.";
}

// Starts SDL's video with a driver that shows something (or the one asked for by name).
bool startVisibleVideo() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) return false;
    // With no display SDL settles for a driver that shows nothing: the game would run unseen
    // for ever. Such a driver serves only when it was asked for by name.
    if (isInvisibleDriver(SDL_GetCurrentVideoDriver()) && !videoDriverAskedFor()) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER);
        return false;
    }
    return true;
}

bool displayNamed() {
    const char* x11 = SDL_getenv("DISPLAY");
    const char* wayland = SDL_getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace

bool initVideo(std::string* error) {
    if (video.videoStarted) return true;
    // A named display may refuse a connection for a moment (an X server starting over after
    // its last client left): try a few times before telling the player it cannot be reached.
    const int attempts = displayNamed() ? kDisplayAttempts : 1;
    bool started = startVisibleVideo();
    for (int i = 1; i < attempts && !started; ++i) {
        SDL_Delay(kDisplayRetryMs);
        started = startVisibleVideo();
    }
    if (!started) {
        if (error) *error = noDisplayText();
        return false;
    }
    video.videoStarted = true;
    openControllerSupport();  // without it the game simply hears no pads
    return true;
}

void quitVideo() {
    closeWindow();
    clearColorCursor();
    closeControllerSupport();
    if (video.videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    video.videoStarted = false;
}

void setDesktopId(const char* id) {
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", id, 0);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", id, 0);
}

void setWindowIcon(const uint8_t* rgba, int width, int height) {
    if (!rgba || width <= 0 || height <= 0) return;
    video.icon.assign(rgba, rgba + size_t(width) * size_t(height) * 4);
    video.iconWidth = width;
    video.iconHeight = height;
    applyIcon();
}

bool hasWindowIcon() {
    return !video.icon.empty();
}

void showSystemCursor(bool visible) {
    // Remembered for every window made later: starting the video resets SDL's own flag.
    video.systemCursorShown = visible;
    if (video.videoStarted) applyCursorVisibility();
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
    applyIcon();
    if (!desc.hidden) SDL_ShowWindow(video.window);
    applyCursorVisibility();
    findLostReleases();
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
    if (video.driverSyncs && !video.pacingEnabled) SDL_GL_SetSwapInterval(0);
    video.frameMs = displayIntervalMs();
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
    if (video.window) SDL_GL_SwapWindow(video.window);
}

void swapWindowNow() {
    if (!video.window) return;
    const bool syncing = video.driverSyncs && video.pacingEnabled;
    if (syncing) SDL_GL_SetSwapInterval(0);
    SDL_GL_SwapWindow(video.window);
    if (syncing) SDL_GL_SetSwapInterval(1);
}

double refreshIntervalMs() {
    return video.frameMs;
}

bool swapWaitsForRefresh() {
    return video.driverSyncs && video.pacingEnabled;
}

void setSwapPacing(bool enabled) {
    video.pacingEnabled = enabled;
    // A driver that syncs would go on pacing the swaps by itself.
    if (video.context && video.driverSyncs) SDL_GL_SetSwapInterval(enabled ? 1 : 0);
}

bool swapPacing() {
    return video.pacingEnabled;
}

bool setColorCursor(const uint8_t* rgba, int width, int height, int hotX, int hotY) {
    if (!video.videoStarted || !rgba || width <= 0 || height <= 0) return false;
    std::vector<uint8_t> pixels(rgba, rgba + size_t(width) * size_t(height) * 4);
    if (cursorWantsPremultipliedAlpha()) premultiplyAlpha(pixels);
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), width, height, 32,
                                                              width * 4, SDL_PIXELFORMAT_RGBA32);
    if (!picture) return false;
    SDL_Cursor* cursor = SDL_CreateColorCursor(picture, hotX, hotY);
    SDL_FreeSurface(picture);
    if (!cursor) return false;
    SDL_SetCursor(cursor);
    if (video.colorCursor) SDL_FreeCursor(video.colorCursor);
    video.colorCursor = cursor;
    applyCursorVisibility();
    return true;
}

void clearColorCursor() {
    if (!video.colorCursor) return;
    SDL_SetCursor(SDL_GetDefaultCursor());
    SDL_FreeCursor(video.colorCursor);
    video.colorCursor = nullptr;
    applyCursorVisibility();
}

bool hasColorCursor() {
    return video.colorCursor != nullptr;
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
