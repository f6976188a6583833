// The application between the window and the game: the list of screens and the active one,
// the shared camera, font and mouse cursor, the blinking pulse, and the per-frame order of
// update, draw, cursor and swap. Screens reach it through ScreenHost.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "shell/OGLWindow.h"
#include "shell/ScreenHost.h"

namespace brx {

class BitmapFont;
class MouseCursor;
class OCamera;
class ORenderWindow;
class TextureRef;

class OApplication : public OGLWindow, public ScreenHost {
public:
    static constexpr double kPulseSpeedPerMs = 0.00025;
    static constexpr double kPulseHigh = 1.25;
    static constexpr double kPulseLow = 0.5;
    // Decoration alone is drawn once this much of the clock has passed since the last frame:
    // every other refresh at 60 Hz (ms).
    static constexpr int kDecorationFrameMs = 25;
    static constexpr float kCameraFovDegrees = 60.0f;
    static constexpr float kCameraNear = 1.0f;
    static constexpr float kCameraFar = 1024.0f;

    // Hides the system pointer (the game draws its own) and registers as the screens' host.
    OApplication();
    // Shows the system pointer again; deletes camera, cursor, font and any screen left; closes
    // the sound.
    ~OApplication() override;

    // --- OGLWindow -------------------------------------------------------------------------------
    // Pulse, a pending full-screen request and the active screen's update; then, when the
    // picture changed (the screen animates, input or a request asked for it), its draw, the
    // cursor and the swap.
    void frame(int elapsedMs) override;
    // The next frame draws whatever the screen says (the window was uncovered).
    void repaint() override;
    bool drewLastFrame() const override { return frameDrawn_; }
    // Nothing asks for a frame and the active screen is paused, or still and changing only on
    // input.
    bool restsUntilInput() const override;
    // Serves the end of a music file while minimised.
    void idle() override;
    // Hands the new window size to every screen.
    void resize() override;
    // Opens the archive (unless it is open already); makes camera, font, cursor and sound; loads
    // the interface samples. Throws OFileNotFound when the archive or the cursor is missing.
    bool init() override;
    // Opens the archive and has the textures of the start-up decoded on a worker meanwhile.
    void prepareBeforeWindow() override;
    // Deletes every screen.
    void shutdown() override;
    // The one way out: saveBeforeQuit() (once per application), then shutdown(). Every way
    // the program ends (the menu's Exit, closing the window, Ctrl+Q, an end signal) posts the
    // quit message, and the loop comes here when it takes it.
    void endRun() override;
    // Tells the active screen (a running game pauses).
    void focusLost() override;
    // Moves the cursor, then hands the event to the active screen; Ctrl+Q ends the program on
    // every screen, and a key the screen leaves may be a shortcut (F11 full screen, Ctrl+N
    // game selection).
    bool onEvent(InputEvent& event) override;
    // Full screen on or off as the Options check box would, saved at once; every screen hears
    // of the new mode.
    void toggleFullScreen();

    // --- ScreenHost ------------------------------------------------------------------------------
    void addScreen(ORenderWindow* screen) override;
    ORenderWindow* removeScreen(ORenderWindow* screen) override;
    bool setActiveScreen(ScreenId id) override;
    void retireScreen(ORenderWindow* screen) override;
    void quit() override;
    const std::vector<ORenderWindow*>& screens() const override { return screens_; }
    bool setFullScreen(bool on) override;
    double pulse() const override { return pulse_; }
    BitmapFont* font() const override { return font_.get(); }
    OCamera* camera() const override { return camera_.get(); }
    int windowWidth() const override { return width(); }
    int windowHeight() const override { return height(); }
    // Releases every texture, model list and the font's lists, opens a new window and context
    // from the settings and restores them all, showing the progress bar meanwhile.
    void recreateWindow() override;

    // Clears the window and draws the loading bar at percent (0..100) over image (or none),
    // then shows it at once, never waiting for the refresh. Nothing else runs while it is shown.
    // Within one refresh of the last one shown, a frame short of 100 % is not drawn: the display
    // could not show it.
    void drawLoadingProgress(float percent, const TextureRef* image);

    // Hooks around a new context for the display lists the shell does not know of (models):
    // released before the old context goes, rebuilt once the new one is current.
    virtual void releaseSceneLists() {}
    virtual void restoreSceneLists() {}
    // Saves what must outlive the run (results not yet filed, the game in progress); runs
    // exactly once, when the program ends its ordinary way, before any screen is deleted.
    virtual void saveBeforeQuit() {}
    // True for a texture start-up need not decode ahead (one the first screens will not show).
    virtual bool skipsAtStart(const std::string& texture) const {
        (void)texture;
        return false;
    }
    // The textures the first screen shows, decoded ahead before the rest of start-up's.
    virtual std::vector<std::string> firstScreenTextures() const { return {}; }
    // Start-up work the first screen need not wait for: runs once, right after that screen's
    // first picture is shown, or before the first input reaches it if that comes sooner.
    virtual void loadAfterFirstFrame() {}
    // Whether loadAfterFirstFrame() has run.
    bool startupFinished() const { return startupFinished_; }

    // Makes the next frame draw, whether or not the active screen animates.
    void requestRedraw();

    // Draws the window while no screen is active; the base clears it to black.
    virtual void drawIdle();
    // Projection and model-view for the 800 x 600 virtual space (y up), lighting and depth off.
    static void beginVirtual2D();

    // The screen updated, drawn and given the input; null until the first switch.
    static ORenderWindow* activeScreen();
    MouseCursor* cursor() const { return cursor_.get(); }
    // Advances the blinking pulse by elapsedMs.
    void advancePulse(int elapsedMs);
    // The mode whose score table was touched last; -1 before any.
    int currentMode() const { return currentMode_; }
    void setCurrentMode(int mode) { currentMode_ = mode; }

private:
    void serveFullScreenRequest();
    bool runShortcut(const InputEvent& event);
    // Whether this frame must draw; takes the pending requests.
    bool takeDrawingDue();
    // Whether decorative motion (see ORenderWindow::animatesOnlyDecoration) is due a frame.
    bool decorationDue() const;
    void drawFrame();
    void releaseGLResources();
    void deleteScreens();
    // Screen switches and retirements asked for while a frame or an event runs wait until it
    // has unwound; these run them, in the order asked.
    void switchScreen(ScreenId id);
    void deleteScreen(ORenderWindow* screen);
    void runDeferredRequests();
    // Runs loadAfterFirstFrame() with the rest of start-up's textures decoded ahead, then lets
    // the worker and what start-up freed go.
    void finishStartup();
    bool hasDeferredRequests() const {
        return !pendingSwitches_.empty() || !pendingRetires_.empty();
    }
    class DispatchScope;

    int currentMode_ = -1;
    double pulse_ = 0.0;
    double pulseSpeed_ = kPulseSpeedPerMs;
    std::unique_ptr<MouseCursor> cursor_;
    std::unique_ptr<OCamera> camera_;
    std::unique_ptr<BitmapFont> font_;
    std::vector<ORenderWindow*> screens_;  // owned; deleted by shutdown()
    int dispatchDepth_ = 0;                // frames and events running now
    bool redrawPending_ = true;            // input, a switch or a new size asked for a frame
    bool frameDrawn_ = false;              // the last frame drew and swapped
    int msSinceDrawn_ = 0;                 // steps handed out since the last drawn frame
    bool savedBeforeQuit_ = false;         // endRun has saved
    double lastProgressMs_ = -1e9;         // when the last loading frame was shown
    std::vector<ScreenId> pendingSwitches_;
    std::vector<ORenderWindow*> pendingRetires_;
    bool startupFinished_ = false;  // loadAfterFirstFrame() has run
};

}  // namespace brx
