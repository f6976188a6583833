// The platform backend: the one listed set of functions through which the game reaches the
// operating system (window, OpenGL context, display modes, input, time, message boxes, the
// browser). Only platform/*.cpp include SDL; everything above sees plain types.
//
// Design note: the game was shaped around a Win32 message loop. The backend keeps that shape:
// pollEvent() hands out one waiting event at a time and swapWindow() is the only place that
// may block, so the main loop itself never sleeps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// ---- video ---------------------------------------------------------------------------------

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int refreshHz = 0;
};

struct WindowSpec {
    std::string title;
    int width = 800;
    int height = 600;
    int colorBits = 32;  // colour and depth buffer bits, from the ColorDepth setting
    int depthBits = 24;
    bool fullScreen = false;
    bool hidden = false;  // tests and tools draw into a window nobody sees
};

// Starts the video subsystem; false when no display can be opened.
bool initVideo();
// Stops the video subsystem; closes the window first if one is open.
void quitVideo();

// Opens the window with a compatibility (fixed-function) GL context made current.
// Returns false and fills *error when either cannot be created.
bool openWindow(const WindowSpec& spec, std::string* error);
// Destroys the context and the window; a no-op when none is open.
void closeWindow();
bool isWindowOpen();
// Size of the drawable area in pixels.
void windowSize(int* width, int* height);
// The X11 window id (for tests that drive the window with xdotool); 0 when unknown.
unsigned long nativeWindowId();
// Shows the buffer just drawn. Paces itself to the display's refresh rate when the driver
// offers no vertical sync, as a synchronised swap would.
void swapWindow();
// Turns that pacing off (benchmarks measure the bare frame rate).
void setSwapPacing(bool enabled);
// Address of a GL entry point by name; null when the driver has none.
void* glProcAddress(const char* name);

// Every display mode the driver reports.
std::vector<DisplayMode> listDisplayModes();
// The desktop's current mode.
DisplayMode desktopMode();

// ---- time ----------------------------------------------------------------------------------

// Milliseconds since boot, wrapping like a 32-bit tick count (seeding, coarse timing).
uint32_t tickCountMs();
// A precise millisecond clock for the main loop's time step.
double preciseTimeMs();

// ---- dialogs and the browser ---------------------------------------------------------------

enum class BoxIcon { error, information };
// Shows a modal message box with one OK button; blocks until it is dismissed.
void showMessageBox(const char* caption, const char* text, BoxIcon icon);
// Opens an address in the user's browser; false when that failed.
bool openUrl(const char* url);

}  // namespace platform
