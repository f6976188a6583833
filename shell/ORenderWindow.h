// Base of every full-window screen (menu, options, game, ...). A screen owns its UI controls and
// a background, routes input events to the controls and hears back from them through
// onCommand. The application keeps the list of screens and drives exactly one at a time.
//
// Routing has three cases, chosen by whether the screen has tab stops: without tab stops only
// pointer hit tests decide (last added control first); with tab stops keyboard events go to the
// focused tab stop (Tab cycles), and pointer events move the focus to what they hit.
//
// Keyboard: on a screen that offers keyboard focus every button, cycler, check box, slider and
// text field becomes a tab stop as it is added. Tab / Shift+Tab and Down / Up move the focus
// through the shown tab stops in reading order (rows top to bottom, left to right within a
// row), wrapping; Enter presses the focused control and Left / Right step it (through its
// arrows when it has any, so the screen hears what a click on them would report). A screen
// opens with nothing focused; the first such key only focuses the first control.
//
// Redrawing: the application draws a screen every frame only while isAnimating() says its
// picture changes by itself; otherwise only after input, a switch, a new size or a
// requestRedraw(). The base routing asks for a frame whenever an event moved the highlight or
// the focus or a control took it, so a screen of controls needs nothing more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/ControlOwner.h"
#include "engine/InputEvent.h"
#include "shell/ScreenId.h"

namespace brx {

class OCamera;
class OControl;
class ScreenHost;
class TextureRef;

class ORenderWindow : public ControlOwner {
public:
    // Size of the virtual 2D space screens and controls draw in (units).
    static constexpr int kVirtualWidth = 800;
    static constexpr int kVirtualHeight = 600;
    // Size a screen reports until the application hands it the window's (pixels).
    static constexpr int16_t kInitialSize = 20;

    explicit ORenderWindow(ScreenId id);
    ORenderWindow(const ORenderWindow&) = delete;
    ORenderWindow& operator=(const ORenderWindow&) = delete;

    // --- overridable operations, in their fixed order ------------------------------------------
    // Deletes background, overlay, logo and every control.
    ~ORenderWindow() override;
    // Called when this screen becomes the active one.
    virtual void activate();
    // Called on the active screen when another takes its place.
    virtual void deactivate();
    // Background, overlay, then every control. Subclasses call it first.
    virtual void draw();
    // Every control's update in list order.
    virtual void update(int elapsedMs);
    // Runs once when the screen is added to the application; true on success.
    virtual bool init();
    // Routes the event to the controls; true when one consumed it.
    virtual bool onEvent(const InputEvent& event);
    // Controls report presses and changes here; the base ignores them (false).
    bool onCommand(int controlId, int value) override;
    // The window got a new client size (pixels).
    virtual void resize(int16_t width, int16_t height);
    // Whether the picture changes from one frame to the next by itself (something moves, a
    // timer shows, a control animates). The base says yes: a screen that does not tell is drawn
    // every frame. Updates run every frame either way.
    virtual bool isAnimating() const;
    // Whether all that moves now is decoration the player did not cause and need not follow
    // (a block turning by itself, a passing trail): the application then draws it at a lower
    // steady rate, while updates still run every pass. The base says no.
    virtual bool animatesOnlyDecoration() const { return false; }
    // Whether, while it does not animate, nothing about the screen changes by time alone (no
    // timer, no frame asked for from update), so the loop may wait for input longer. The base
    // says no.
    virtual bool changesOnlyOnInput() const { return false; }
    // Whether buttons and value controls added to this screen become tab stops; the game says
    // no (its board takes the arrows and Enter).
    virtual bool offersKeyboardFocus() const { return true; }
    // True while a dialog or an entry on the screen must not be left by a shortcut key.
    virtual bool shortcutsBlocked() const { return false; }
    // The display mode in the settings changed by other means than this screen (a shortcut).
    virtual void displayModeChanged() {}

    // --- pausing ---------------------------------------------------------------------------------
    // Whether the screen's clock stands still (a paused game): the application then neither
    // updates it nor counts it as animating, and draws it through drawPaused(). False here.
    virtual bool isPaused() const { return false; }
    // The picture of the paused screen; the base draws as usual.
    virtual void drawPaused() { draw(); }
    // The window lost the keyboard focus or was minimised while this screen was active.
    virtual void loseFocus() {}
    // Sees every event before onEvent (a paused game takes what resumes it); true when it took
    // the event, which then goes no further. Nothing here.
    virtual bool interceptEvent(const InputEvent& /*event*/) { return false; }
    // One event as the application hands it over: interceptEvent(), then onEvent().
    bool dispatchEvent(const InputEvent& event) { return interceptEvent(event) || onEvent(event); }
    // One frame's step as the application runs it: update() unless paused.
    void advance(int elapsedMs) {
        if (!isPaused()) update(elapsedMs);
    }
    // One frame's picture as the application draws it: drawPaused() while paused, else draw().
    void present() {
        if (isPaused())
            drawPaused();
        else
            draw();
    }
    // Whether the next frame must be drawn by itself: animating and not paused.
    bool animatesNow() const { return !isPaused() && isAnimating(); }

    // --- redrawing -------------------------------------------------------------------------------
    // Asks for the screen to be drawn in the next frame (its picture changed outside an
    // animation).
    void requestRedraw() { redrawRequested_ = true; }
    // Whether a frame was asked for since the last call; clears the request.
    bool takeRedrawRequest();

    // --- background ------------------------------------------------------------------------------
    // Replaces the background; an overlay name of 2+ characters also replaces the overlay and the
    // result is whether that loaded, otherwise the overlay stays and the result is true.
    bool setBackground(const std::string& backgroundName, const std::string& overlayName);
    // Forgets both background layers (the screen then draws none).
    void clearBackground();
    bool hasBackground() const { return background_ != nullptr; }
    bool hasOverlay() const { return overlay_ != nullptr; }
    // "PLogo.Tga", loaded on first use (it needs a GL context); subclasses draw it where they like.
    const TextureRef& logo();

    // --- controls --------------------------------------------------------------------------------
    // Takes ownership and appends; false (and nothing happens) when it is already listed.
    bool addControl(OControl* control);
    // Takes the control out without deleting it (ownership returns to the caller); null when
    // it was not listed. Later tab stops are renumbered.
    OControl* removeControl(OControl* control);
    // Gives the highlight (and, for a tab stop, the keyboard focus) to a listed control.
    void setFocus(OControl* control);
    // Drops the keyboard focus (the pointer's highlight stays); screens open this way.
    void clearFocus();
    // The control the keyboard acts on: the focused tab stop while it can take the focus.
    OControl* keyboardFocus() const;
    // The shown tab stops in the order the keyboard visits them.
    std::vector<OControl*> readingOrder() const;

    std::size_t controlCount() const { return controls_.size(); }
    OControl* control(std::size_t index) const { return controls_[index].get(); }
    bool contains(const OControl* control) const;
    OControl* focused() const { return focused_; }
    OControl* hot() const { return hot_; }
    int16_t focusIndex() const { return focusIndex_; }
    uint16_t tabCount() const { return tabCount_; }

    // --- set by the application ------------------------------------------------------------------
    // Remembers the application and its shared camera (when the screen is added).
    void setApplication(ScreenHost* application, OCamera* camera);
    ScreenHost* application() const { return application_; }
    OCamera* camera() const override { return camera_; }
    ScreenId id() const { return id_; }
    int16_t width() const { return width_; }
    int16_t height() const { return height_; }
    int16_t windowWidth() const override { return width_; }
    int16_t windowHeight() const override { return height_; }

protected:
    // True while a shown control plays an animation of its own: a text button's highlight
    // echo, a focused text field's blinking caret.
    bool controlsAnimating() const;
    // The base draw's first part: camera view, then background and overlay in 2D, their
    // colours multiplied by brightness (0 to 1; a screen that draws over them may dim them).
    void drawBackground(float brightness = 1.0f);
    // The same layers drawn late, at the far end of the depth range and depth-tested, into
    // only the pixels the opaque scene drawn so far left empty; the camera and depth buffer
    // stay as they were. Lighting is left off and the background texture bound.
    void drawBackgroundBehind(float brightness);
    // Every control's draw in list order.
    void drawControls();

private:
    std::size_t indexOf(const OControl* control) const;
    // A fingerprint of what the routing decides (hot, focused, focus index, highlights).
    std::size_t routingState() const;
    bool route(const InputEvent& event);
    bool routePointerOnly(const InputEvent& event);
    bool routeKeyToTabStop(const InputEvent& event);
    bool routePointerWithTabStops(const InputEvent& event);
    bool routeNavigationKey(const InputEvent& event);
    bool entryKeepsFocus(const OControl* control, const InputEvent& event) const;
    bool stepFocused(OControl* focused, const InputEvent& event);
    bool moveFocusTo(OControl* control);
    void syncFocusFlags();
    // drawLayers in a flat projection of the virtual screen, restoring the matrices after.
    void drawLayersFlat(float brightness) const;
    void drawLayers(float brightness) const;

    std::unique_ptr<TextureRef> background_;
    std::unique_ptr<TextureRef> overlay_;
    std::unique_ptr<TextureRef> logo_;
    ScreenId id_;
    int16_t width_ = kInitialSize;
    int16_t height_ = kInitialSize;
    uint16_t tabCount_ = 0;
    int16_t focusIndex_ = -1;
    OControl* focused_ = nullptr;
    OControl* hot_ = nullptr;
    std::vector<std::unique_ptr<OControl>> controls_;
    ScreenHost* application_ = nullptr;
    OCamera* camera_ = nullptr;
    bool redrawRequested_ = false;
};

}  // namespace brx
