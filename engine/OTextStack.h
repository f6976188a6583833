// The push button and value cycler: an ordered set of (key, text) items showing the current
// one, drawn either on a two-row skin or as bare centred text that pulses when the pointer
// arrives. A press steps to the next item (wrapping) and reports the new key.
#pragma once

#include <map>
#include <string>

#include "engine/O2D.h"
#include "engine/OControl.h"
#include "engine/TextureRef.h"

namespace brx {

class BitmapFont;

class OTextStack : public OControl, public O2D {
public:
    // Growth of the pulse echo per millisecond, and the scale at which it ends.
    static constexpr float kPulseGrowthPerMs = 0.00125f;
    static constexpr float kPulseEndScale = 2.25f;

    OTextStack(BitmapFont* font, int controlId, bool tabStop, float textScale);
    ~OTextStack() override;

    // Loads the skin (two rows: highlighted below, normal above) and takes its size; a skin
    // that cannot be loaded leaves the control 1 x 1 and skinless.
    void setTexture(const std::string& name);
    // Adds an item and makes it current, unless an item with the same text exists.
    void addItem(int key, const std::string& text);
    // Makes the item with this key current (unknown keys are ignored).
    void setCurrent(int key);
    // Key of the current item (0 while there are no items).
    int currentKey() const { return current_; }
    // Key of the item that was current before the last change.
    int previousKey() const { return previous_; }
    // Text of the current item (empty while there are no items).
    std::string currentText() const;
    // The caption drawn to the left of the control.
    void setLabel(const std::string& text) { label_ = text; }
    const std::string& label() const { return label_; }
    std::size_t itemCount() const { return items_.size(); }
    bool hasSkin() const { return static_cast<bool>(skin_); }
    const TextureRef& skin() const { return skin_; }
    float textScale() const { return textScale_; }
    bool pulsing() const { return pulsing_; }
    float pulseScale() const { return pulseScale_; }
    // A disabled control is drawn dimmed, takes no highlight and ignores presses (its hit
    // test fails). Controls start enabled.
    void setEnabled(bool on);
    bool enabled() const { return enabled_; }
    // A disabled button is no tab stop.
    bool canTakeFocus() const override { return enabled_ && OControl::canTakeFocus(); }

    // A left press steps to the next item, wrapping, and reports its key.
    bool handleEvent(const InputEvent& event) override;
    // Enter presses as a left press does; Left and Right step a cycler of several items and
    // report its new key (a plain button ignores them).
    bool onKey(const InputEvent& event) override;
    bool takesKeyboardFocus() const override { return true; }
    void draw() override;
    // The skin rectangle, or without a skin the current text's box centred on (x, y).
    bool hitTest(const InputEvent& event) override;
    // Starts the pulse (if none runs) and plays the hover sound.
    void gainHighlight() override;
    void loseHighlight() override;
    // Advances the pulse.
    void update(int elapsedMs) override;
    // Moves to the following item, staying on the last.
    virtual void next();
    // Moves to the preceding item, staying on the first.
    virtual void previous();

protected:
    BitmapFont* font() const { return font_; }
    // True when the virtual point lies on the control (skin rectangle or centred text).
    bool containsPoint(VirtualPoint point) const;

private:
    void makeCurrent(int key);
    bool press();
    float textWidth(const std::string& text) const;
    void drawSkinned() const;
    void drawBareText() const;

    BitmapFont* font_;
    float textScale_;
    std::map<int, std::string> items_;
    int current_ = 0;
    int previous_ = 0;
    TextureRef skin_;
    std::string label_;
    bool pulsing_ = false;
    float pulseScale_;
    bool enabled_ = true;
};

}  // namespace brx
