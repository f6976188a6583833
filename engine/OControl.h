// Base of the textured UI controls. A control lives in the 800 x 600 virtual space, is fed input
// events by its owning screen, and reports presses and changes back through the owner's
// onCommand(controlId, value). Decisions (hit tests, states, values) are kept apart from the GL
// drawing so they can be exercised without a context.
#pragma once

#include <cstdint>
#include <string>

#include "engine/InputEvent.h"

namespace brx {

class BitmapFont;
class ControlOwner;

// How the screen moves the highlight onto a control.
enum FocusMode : int {
    kFocusFollowsPointer = 0,  // highlighted while the pointer is over it
    kFocusOnPress = 1,         // highlighted when pressed; keeps events as the hot control
};

// Texture rows of a skin, as fractions of its height (skins stack their states vertically).
struct SkinRows {
    float bottom, top;
};

// A pointer position mapped into the virtual space (units, y upwards).
struct VirtualPoint {
    float x, y;
};

class OControl {
public:
    // Gap between a label's right end and its control (virtual units).
    static constexpr float kLabelGap = 24.0f;

    OControl(int controlId, bool tabStop, FocusMode focusMode = kFocusFollowsPointer);
    OControl(const OControl&) = delete;
    OControl& operator=(const OControl&) = delete;

    // --- overridable operations, in their fixed order ------------------------------------------
    virtual ~OControl();
    // Remembers the screen that owns this control (not owned).
    virtual void setOwner(ControlOwner* owner);
    // Reacts to an event routed by the screen; true when consumed.
    virtual bool handleEvent(const InputEvent& event);
    // Draws the control; the base draws nothing.
    virtual void draw();
    // Whether the event's pointer lies on the control; the base says no.
    virtual bool hitTest(const InputEvent& event);
    // Called once when the screen adds the control; the result is ignored.
    virtual bool attached();
    // The pointer entered or the keyboard focus arrived.
    virtual void gainHighlight();
    // The pointer left or the focus moved on.
    virtual void loseHighlight();
    // A key the screen hands to the focused control: Enter presses it, Left and Right step a
    // value; true when it acted. The base acts on none.
    virtual bool onKey(const InputEvent& event);
    // Per-frame step with the elapsed milliseconds.
    virtual void update(int elapsedMs);

    // Sample ids played on pointer enter and on press (0 = silent).
    void setSounds(int hoverSound, int clickSound) {
        hoverSound_ = hoverSound;
        clickSound_ = clickSound;
    }
    int hoverSound() const { return hoverSound_; }
    int clickSound() const { return clickSound_; }

    int controlId() const { return controlId_; }
    ControlOwner* owner() const { return owner_; }
    bool highlighted() const { return highlighted_; }
    uint16_t tabIndex() const { return tabIndex_; }
    // The screen numbers its tab stops in the order they are added.
    void setTabIndex(uint16_t index) { tabIndex_ = index; }
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool on) { tabStop_ = on; }
    // Whether a screen that offers keyboard focus makes this control a tab stop when it is added
    // (buttons, cyclers, check boxes, sliders); the base only when built as one.
    virtual bool takesKeyboardFocus() const { return tabStop_; }
    // Whether the focus may rest here now: shown and taking input.
    virtual bool canTakeFocus() const { return visible_ && !hidden_; }
    // Whether this control holds the keyboard focus of its screen (the screen keeps it).
    bool focused() const { return focused_; }
    void setFocused(bool on) { focused_ = on; }
    FocusMode focusMode() const { return focusMode_; }
    // An invisible control gets no events and no hits (drawing follows each control's own
    // hidden flag).
    bool visible() const { return visible_; }
    void setVisible(bool on) { visible_ = on; }
    // A hidden control neither draws nor answers hit tests.
    bool hidden() const { return hidden_; }
    void setHidden(bool on) { hidden_ = on; }

    // Maps the event's window pixel into the virtual space using the owner's window size.
    VirtualPoint toVirtual(int16_t pixelX, int16_t pixelY) const;
    // Maps a horizontal pixel distance (e.g. pointer movement) into virtual units.
    float toVirtualDx(int16_t pixelDx) const;

protected:
    // Reports a change to the owner; false when there is none.
    bool notifyOwner(int value) const;
    // Pushes both matrices and switches to the 800 x 600 mode for drawing (with texturing on).
    void beginDraw2D() const;
    // Restores both matrices and the depth test.
    void endDraw2D() const;
    void setHighlighted(bool on) { highlighted_ = on; }

    // State for drawing skins: texturing and blending on, depth test off, opaque white, clamped.
    static void beginSkinState();
    // One skin quad from (x + 1, y + 1) to (x + width, y + height) showing the given texture
    // rows; u runs from uLeft to uRight (1 to 0 mirrors).
    static void drawSkinQuad(float x, float y, float width, float height, SkinRows rows,
                             float uLeft = 0.0f, float uRight = 1.0f);
    // A label left of a control at (x, y): its right end kLabelGap units before x.
    static void drawLabel(const BitmapFont* font, const std::string& label, float x, float y,
                          float scale);

private:
    int hoverSound_ = 0;
    int clickSound_ = 0;
    int controlId_;
    ControlOwner* owner_ = nullptr;
    bool highlighted_ = false;
    uint16_t tabIndex_ = 0;
    bool tabStop_;
    FocusMode focusMode_;
    bool visible_ = true;
    bool hidden_ = false;
    bool focused_ = false;
};

// True for a key press of Enter or keypad Enter (both arrive as Enter).
inline bool isEnterPress(const InputEvent& event) {
    return event.type == kInputKeyDown && event.key == kKeyEnter;
}

// True for a left-button press.
inline bool isLeftPress(const InputEvent& event) {
    return event.type == kInputButtonDown && event.button == kButtonLeft;
}

}  // namespace brx
