// The platform backend: the one listed set of functions through which the game reaches the
// operating system (window, OpenGL context, display modes, input, time, message boxes, the
// browser). Only platform/*.cpp include SDL; everything above sees plain types.
//
// Design note: the game was shaped around a Win32 message loop. The backend keeps that shape:
// pollEvent() hands out one waiting event at a time. Pacing is the loop's: between frames it
// waits in waitEvent() until the next refresh is due, so input wakes it at once and a frame
// with nothing to draw costs nothing; swapWindow() itself only waits where the driver syncs.
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

struct WindowDesc {
    std::string title;
    int width = 800;
    int height = 600;
    int colorBits = 32;  // colour and depth buffer bits, from the ColorDepth setting
    int depthBits = 24;
    bool fullScreen = false;  // switch the display to width x height at refreshHz
    int refreshHz = 0;        // full screen only; 0 lets the driver choose
    bool borderless = false;  // a bare window at the screen's origin (full screen without a mode)
    bool hidden = false;      // tests and tools draw into a window nobody sees
};

// Starts the video subsystem; false when no display can be opened, with one line for the
// player in *error saying which display is missing and how to start the game. A driver that
// shows nothing (offscreen, dummy) is taken only when SDL_VIDEODRIVER names it.
bool initVideo(std::string* error = nullptr);
// Stops the video subsystem; closes the window first if one is open.
void quitVideo();
// Names the program to the desktop (the X11 window class and the Wayland application id), so
// docks group its windows under its desktop entry; call before initVideo. A name the user set
// through SDL_VIDEO_X11_WMCLASS or SDL_VIDEO_WAYLAND_WMCLASS is kept.
void setDesktopId(const char* id);
// Makes width x height RGBA pixels (top row first) the icon of the open window and of every
// window made later.
void setWindowIcon(const uint8_t* rgba, int width, int height);
bool hasWindowIcon();

// Opens the window with a compatibility (fixed-function) GL context made current.
// Returns false and fills *error when either cannot be created.
bool openWindow(const WindowDesc& desc, std::string* error);
// Destroys the context and the window; a no-op when none is open.
void closeWindow();
bool isWindowOpen();

// The two halves of openWindow, for the shell that reports each failure on its own: the window
// (with the buffer layout of desc, fixed when the window is made) and its GL context.
bool createWindow(const WindowDesc& desc, std::string* error);
bool createContext(std::string* error);
// Deletes the GL context; false when it could not be made non-current first.
bool releaseContext();
// Destroys the window (the context must be gone); a no-op when none is open.
void destroyWindow();
bool hasContext();
// Shows the window, raises it and gives it the keyboard focus.
void raiseWindow();
// The GL vendor and renderer strings of the current context; empty without one.
std::string glVendor();
std::string glRenderer();
// Size of the drawable area in pixels.
void windowSize(int* width, int* height);
// The X11 window id (for tests that drive the window with xdotool); 0 when unknown.
unsigned long nativeWindowId();
// Shows the buffer just drawn; waits for the refresh only where the driver syncs by itself.
void swapWindow();
// Shows the buffer at once, never waiting for the refresh (progress drawn during loading).
void swapWindowNow();
// The display's refresh interval in milliseconds (60 Hz when the driver does not say).
double refreshIntervalMs();
// True when a swap waits for the refresh by itself (the driver honours vertical sync), so the
// loop needs no pacing of its own after a drawn frame.
bool swapWaitsForRefresh();
// Whether frames are paced to the refresh (by the driver's sync and the main loop); benchmarks
// turn it off to measure the bare frame rate.
void setSwapPacing(bool enabled);
bool swapPacing();
// Address of a GL entry point by name; null when the driver has none.
void* glProcAddress(const char* name);

// Every display mode the driver reports.
std::vector<DisplayMode> listDisplayModes();
// The desktop's current mode.
DisplayMode desktopMode();
// True when the display can be switched to this mode for a full-screen window: a reported mode
// of that size and refresh rate (any rate when refreshHz is 0) at that depth, or at any depth
// when the driver reports none at it.
bool canSetDisplayMode(const DisplayMode& mode);

// ---- window messages and input -------------------------------------------------------------

enum class EventType {
    none,
    keyDown,      // key: Windows virtual-key number; state: Shift, Control and Repeat
    keyUp,        // key: Windows virtual-key number
    character,    // key: character code (Latin-1)
    pointerMove,  // x, y, state
    buttonDown,   // button, x, y, state
    buttonUp,     // button, x, y, state
    minimized,
    restored,
    maximized,
    resized,         // x, y: the new client size in pixels
    exposed,         // the window's picture was lost (uncovered) and must be drawn again
    closeRequested,  // the user closed the window
    quit,            // exitCode: the value given to postQuit
    focusLost,       // the window lost the keyboard focus
    endSignal,       // key: the number of a caught end signal (see catchEndSignals)
};

// Button and modifier bits of pointer events, with the values of the Windows message.
enum PointerState : uint16_t {
    kStateLeftButton = 0x0001,
    kStateRightButton = 0x0002,
    kStateShift = 0x0004,
    kStateControl = 0x0008,
    kStateMiddleButton = 0x0010,
    kStateRepeat = 0x0020,  // key events: a repeat of a key held down
};

struct Event {
    EventType type = EventType::none;
    int key = 0;
    int button = 0;      // 0 left, 1 middle, 2 right
    uint16_t state = 0;  // PointerState bits; on key events only the modifiers
    int x = 0, y = 0;    // client pixels, y downwards
    int exitCode = 0;
};

// From now on SIGTERM, SIGINT and SIGHUP no longer end the process by themselves: each is noted
// and handed out by the next pollEvent (or waitEvent) as an endSignal event, ahead of anything
// else, so the program can end in its own orderly way. A wait notices one within its time-out.
void catchEndSignals();
// Takes one waiting event; false when none is waiting. Never blocks.
bool pollEvent(Event* event);
// Waits up to timeoutMs for an event (the loop waiting for its next frame); false when none
// came in that time.
bool waitEvent(Event* event, int timeoutMs);
// Queues a quit event carrying exitCode behind the events already waiting.
void postQuit(int exitCode);
// Keeps pointer events coming while the pointer is outside the window (a button is held).
void setPointerCapture(bool captured);
// Shows or hides the system's pointer over the window, now and in every window made later.
void showSystemCursor(bool visible);
// Whether the system's pointer is shown over the game's windows.
bool systemCursorShown();
// Makes the pointer over the game's windows a colour picture: width x height RGBA pixels, top
// row first, the hot spot at (hotX, hotY). The pointer then moves with no drawing by the game.
// False (and nothing changes) when the platform cannot make such a pointer.
bool setColorCursor(const uint8_t* rgba, int width, int height, int hotX, int hotY);
// Drops the colour pointer: the system's shows again if it is shown, else none.
void clearColorCursor();
bool hasColorCursor();
// The virtual-key number for a key named as the backend names it ("Escape", "Left", "A");
// 0 for keys the game does not know. Exposes the key mapping to tests.
int virtualKeyFromName(const char* keyName);

// ---- game controllers ----------------------------------------------------------------------
// Pads are opened as they are plugged in (from the start of the video) and speak through
// pollEvent as keys: D-pad and left stick the arrows (repeating while held), A Enter, B Escape,
// X Ctrl+Z, Y Ctrl+Y, Start Pause, the shoulder buttons N.

// Pads open now.
int controllerCount();

// A software pad (SDL's virtual game controller) for tests. Buttons and axes are numbered as
// below; axis values run from -32768 to 32767.
enum PadButton : int {
    kPadA = 0,
    kPadB,
    kPadX,
    kPadY,
    kPadBack,
    kPadGuide,
    kPadStart,
    kPadLeftStick,
    kPadRightStick,
    kPadLeftShoulder,
    kPadRightShoulder,
    kPadUp,
    kPadDown,
    kPadLeft,
    kPadRight,
};
enum PadAxis : int { kPadLeftX = 0, kPadLeftY = 1 };
// Plugs one in; its handle, or -1 when SDL cannot make one.
int attachVirtualController();
bool setVirtualControllerButton(int handle, int button, bool down);
bool setVirtualControllerAxis(int handle, int axis, int value);
// Unplugs it.
void detachVirtualController(int handle);

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

// ---- files ---------------------------------------------------------------------------------

// Makes the folder holding the running executable the working directory, so relative data
// paths resolve however the program was started. False when it could not be found or entered.
bool enterExecutableFolder();

// ---- memory --------------------------------------------------------------------------------

// Hands memory freed by the program back to the system where the allocator keeps it for reuse
// (start-up frees much at once: decoded pictures once the driver holds their copies).
void releaseFreedMemory();

// ---- sound ---------------------------------------------------------------------------------
// Samples and one music stream at a time. Volumes are on the 0..255 scale; handles are small
// positive ints, 0 meaning none. Everything here is called from the main thread only.

constexpr int kAllChannels = -3;
constexpr int kMusicChannel = 1000;  // the channel id streams play on

// Opens the audio device (44.1 kHz, `channels` sample channels); false when there is none,
// with the driver's reason in *error when given.
bool openAudio(int channels, std::string* error = nullptr);
// Starts opening the device on a worker thread and returns at once; until finishAudioOpen()
// reports it open, the device counts as closed. Nothing when it is open or opening already.
void beginOpenAudio(int channels);
enum class AudioOpening { none, pending, open, failed };
// The state of the opening begun by beginOpenAudio(): once the worker is done its outcome is
// taken (open from here on, or failed with the driver's reason in *error when given).
AudioOpening finishAudioOpen(std::string* error = nullptr);
// Stops everything, frees every sample and stream and closes the device.
void closeAudio();
bool isAudioOpen();

// Decodes a sample from a memory image of a sound file; 0 when it cannot be decoded.
int loadSample(const uint8_t* data, size_t size, bool loop);
void freeSample(int sample);
// Plays on a free channel (taking the oldest one of no higher priority when all are busy);
// returns the channel (1 and up), or -1 when nothing plays.
int playSample(int sample, int priority, int volume);
// Volume of one channel, of kMusicChannel, or of kAllChannels (the music too).
void setChannelVolume(int channel, int volume);
// Pauses or resumes one channel, kMusicChannel, or kAllChannels (the music too).
void setChannelPaused(int channel, bool paused);
// Stops one channel, kMusicChannel, or kAllChannels (the music too).
void stopChannel(int channel);
bool isChannelPlaying(int channel);
// Places a channel in the 3D scene; a channel never placed plays without attenuation.
void setChannelPosition(int channel, float x, float y, float z);
// The listener's position and orientation (forward and top vectors).
void setListener(const float position[3], const float forward[3], const float top[3]);
// Applies listener and channel positions to the mix.
void update3D();

// Opens a stream over a memory image that must outlive the stream; 0 when it cannot.
int openStream(const uint8_t* data, size_t size);
// Opens a stream over `size` bytes of the file at path from `offset`, read as it plays, so only
// a small window of it is ever in memory; the first head.size() bytes come from head instead
// (a beginning the caller had to decode itself). 0 when it cannot.
int openFileStream(const std::string& path, uint64_t offset, uint64_t size,
                   std::vector<uint8_t> head);
void closeStream(int stream);
// Starts the stream from the beginning on kMusicChannel (stopping the stream playing there).
// Returns kMusicChannel, or -1 when it cannot play.
int playStream(int stream, bool paused);
// Halts the stream if it is the one playing; no end notification follows.
void stopStream(int stream);
// True when stream is the one on kMusicChannel (paused or not).
bool isStreamPlaying(int stream);
// Playing position in milliseconds; 0 when the stream is not the one playing.
int streamPositionMs(int stream);
// Moves the playing stream to a position in milliseconds.
void setStreamPositionMs(int stream, int positionMs);
// The stream that reached its end by itself since the last call, or 0. The notification
// comes from the audio thread; the main thread collects it here once per frame.
int takeEndedStream();

}  // namespace platform
