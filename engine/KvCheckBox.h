// A check box with a four-row skin (normal, checked, under the pointer, spare). It toggles
// only when a left press that began on it also ends on it, and reports 1 when it became
// checked, 2 when it became unchecked.
#pragma once

#include <string>

#include "engine/O2D.h"
#include "engine/OControl.h"
#include "engine/TextureRef.h"

namespace brx {

class BitmapFont;

class KvCheckBox : public OControl, public O2D {
public:
    // Values reported to the owner.
    static constexpr int kBecameChecked = 1;
    static constexpr int kBecameUnchecked = 2;

    KvCheckBox(BitmapFont* font, int controlId, float textScale);
    ~KvCheckBox() override;

    // Loads the skin; the control is as wide as the image and a quarter as high.
    void setTexture(const std::string& name);
    // The caption drawn to the left of the box.
    void setLabel(const std::string& text) { label_ = text; }
    const std::string& label() const { return label_; }
    // The size the label is drawn at (1 is the font's own).
    float textScale() const { return textScale_; }
    bool isChecked() const { return checked_; }
    void setChecked(bool on) { checked_ = on; }

    // Tracks a left press and toggles when it is released over the box.
    bool handleEvent(const InputEvent& event) override;
    // Enter toggles the box and reports it, as a click does.
    bool onKey(const InputEvent& event) override;
    bool takesKeyboardFocus() const override { return true; }
    void draw() override;
    // Whether the pointer is over the box (remembered for drawing).
    bool hitTest(const InputEvent& event) override;
    // A check box asks to be told when it is added.
    bool attached() override;

private:
    // Where a left press on the box stands.
    enum PressState { kNoPress = 0, kPressInside = 1, kPressOutside = 2 };

    BitmapFont* font_;
    float textScale_;
    std::string label_;
    TextureRef skin_;
    bool checked_ = false;
    bool pointerInside_ = false;
    PressState press_ = kNoPress;
};

}  // namespace brx
