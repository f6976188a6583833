// The window with its OpenGL context and optional full-screen display mode, the translation of
// window messages, and the main loop. OApplication and OBrixel build the game on top of it.
//
// Design note: the loop runs one pass per display refresh. Between passes it waits for the next
// message with a time-out that ends when the next pass is due, so input is served at once and
// a pass whose frame draws nothing (nothing on screen changed) leaves the core idle until the
// next refresh. Every pass still steps the game by the time that passed, so game time runs on
// whether or not a picture is made. A minimised window waits for its next message instead.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/DisplayResolution.h"
#include "engine/InputEvent.h"
#include "platform/Platform.h"
#include "shell/FrameClock.h"

namespace brx {

class OGLWindow {
public:
    static constexpr int kResolutionCount = 3;
    // Exit code when no window or rendering context could be made (a box has said why).
    static constexpr int kExitNoWindow = 2;
    // How long a minimised window waits for a message before looking again (ms).
    static constexpr int kMinimisedWaitMs = 100;
    // How far apart passes run while the picture rests until input (ms): five refreshes, below
    // the clock's stall limit, so each pass still advances the game by the whole time waited.
    static constexpr double kRestingPassMs = 80.0;

    OGLWindow();
    OGLWindow(const OGLWindow&) = delete;
    OGLWindow& operator=(const OGLWindow&) = delete;
    // Releases the context and destroys the window.
    virtual ~OGLWindow();

    // --- overridable operations, in their fixed order ------------------------------------------
    // Shows the frame just drawn.
    virtual void swapBuffers();
    // Updates and draws one frame of elapsedMs.
    virtual void frame(int elapsedMs);
    // Runs instead of frame() while the window is minimised: nothing is drawn, but what must
    // go on (the music moving to its next file) does.
    virtual void idle() {}
    // The client size changed.
    virtual void resize();
    // Loads what the program needs once the window exists; false stops start-up.
    virtual bool init();
    // Runs once after the loop ends, while the context still exists.
    virtual void shutdown();
    // One input event; true when it was consumed.
    virtual bool onEvent(InputEvent& event);
    // The window's picture was lost (uncovered); the next frame must draw it again.
    virtual void repaint() {}
    // Work that needs no window, started first thing in create() so that it runs while the
    // window and its rendering context are being made. The base has none.
    virtual void prepareBeforeWindow() {}
    // Whether the last frame() drew and showed a picture; a pass that did not waits for the
    // next refresh with the core idle. The base always draws.
    virtual bool drewLastFrame() const { return true; }
    // Whether nothing on screen can change by time alone until input arrives; passes then run
    // kRestingPassMs apart instead of every refresh. The base never rests.
    virtual bool restsUntilInput() const { return false; }
    // The window lost the keyboard focus or was minimised; nothing here.
    virtual void focusLost() {}
    // The one way out of the main loop, run once when the loop has taken the quit message. The
    // base shuts down; the application saves what must outlive the run first.
    virtual void endRun() { shutdown(); }

    // Opens the window and its context from the settings (size, depth, full screen). False
    // after a box has reported what failed. Throws OSoftwareGL on a software rasterizer.
    bool create(const std::string& className, const std::string& title, int width, int height);
    // Runs the main loop until the quit message, then endRun(); returns the message's exit
    // code. From create() on, the end signals (SIGTERM, SIGINT, SIGHUP) ask for the quit
    // message as closing the window does.
    int run();
    // The window procedure: one platform message.
    void handleMessage(const platform::Event& message);

    // The three resolutions with the refresh rates of the reported 16-bit modes of their size;
    // a size the driver offers only at other depths is taken at those.
    static std::array<DisplayResolution, kResolutionCount> enumerateDisplayModes(
        const std::vector<platform::DisplayMode>& modes);

    int16_t width() const { return width_; }
    int16_t height() const { return height_; }
    bool isActive() const { return active_; }
    bool isFullScreen() const { return fullScreen_; }
    bool hasContext() const { return hasContext_; }
    int colorBits() const { return colorBits_; }
    float framesPerSecond() const { return clock_.framesPerSecond(); }
    const std::array<DisplayResolution, kResolutionCount>& resolutions() const {
        return resolutions_;
    }

protected:
    // Applies the display mode and opens the bare window; false after a box.
    bool openWindow();
    // The same without the box.
    bool openWindowQuietly();
    // Switches to the chosen resolution (full screen) or sizes the window for it.
    bool setDisplayMode();
    // Makes the rendering context; false after a box. Throws OSoftwareGL.
    bool setupPixelFormat();
    // The same without the box.
    bool makeContext();
    // Window and context in the settings' mode; null, or the box text of the step that failed
    // (the window is gone again then). The one place where a display refuses a mode.
    virtual const char* tryOpenDisplay();
    // Lets go of the rendering context (boxes report failures and never stop the program).
    void releaseContext();
    void destroyWindow();
    // Serves a maximise request: full screen from the next frame.
    bool takeFullScreenRequest();
    void setFullScreenFlag(bool fullScreen) { fullScreen_ = fullScreen; }
    // Bits per pixel (and depth bits) the next window is opened with.
    void setColorBits(int bits) { colorBits_ = bits; }
    void setClientSize(int width, int height);
    // Counts the next pass's step from now: the time before it (a pause just ended) is not
    // handed to the frames.
    void restartStep();

private:
    // A display mode as the settings choose it.
    struct DisplayChoice {
        int resolution = 0;
        bool fullScreen = false;
        int colorBits = 0;
        bool operator==(const DisplayChoice&) const = default;
    };

    // Window and context in the settings' mode, else in a plain window (logged); false after
    // a box when nothing could be made.
    bool openDisplay();
    // The next waiting message, or one that arrives before the next pass is due; false when
    // the pass is due.
    bool takeMessage(platform::Event* message);
    // One step of the clock and one frame (or, minimised, the idle work).
    void runPass();
    // When the pass after the one that started at startMs is due (ms on the precise clock).
    double nextPassTime(double startMs, bool drawn) const;
    bool tryFullScreenMode(const DisplayResolution& resolution);
    void sizeFromWindow();

    std::string className_;
    std::string title_;
    bool hasContext_ = false;
    bool fullScreen_ = false;
    std::array<DisplayResolution, kResolutionCount> resolutions_;
    bool fullScreenRequest_ = false;
    bool windowOpen_ = false;
    int colorBits_ = 32;
    bool displayModeSet_ = false;  // a full-screen mode was found for the chosen size
    int refreshHz_ = 0;            // its rate (0: the driver's choice)
    FrameClock clock_;
    double nextPassMs_ = 0.0;     // when the next pass is due (ms on the precise clock)
    double refreshPassMs_ = 0.0;  // when it would be due at the display's rhythm (ms)
    int16_t width_ = 0;
    int16_t height_ = 0;
    bool active_ = true;
};

}  // namespace brx
