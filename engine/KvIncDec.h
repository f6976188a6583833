// A pair of arrows left and right of a value control (a cycler or a slider) that step it:
// the right arrow calls next(), the left one previous(). The arrows do not own that control.
#pragma once

#include <string>

#include "engine/O2D.h"
#include "engine/OControl.h"
#include "engine/TextureRef.h"

namespace brx {

class OTextStack;

class KvIncDec : public OControl, public O2D {
public:
    // Gap between each arrow and the stepped control (virtual units).
    static constexpr int kArrowGap = 2;

    KvIncDec(int controlId, bool tabStop);
    ~KvIncDec() override;

    // The control the arrows step; set it before the texture.
    void setAttached(OTextStack* control) { attached_ = control; }
    OTextStack* attachedControl() const { return attached_; }
    // Loads the two-row arrow skin and places the arrows beside the stepped control.
    void setTexture(const std::string& name);
    // Sizes the arrows as for a skin of this many pixels and places them beside the stepped
    // control (what setTexture does once the image is loaded).
    void placeArrows(int imageWidth, int imageHeight);

    int16_t leftArrowX() const { return leftX_; }
    int16_t rightArrowX() const { return rightX_; }
    int16_t arrowWidth() const { return arrowWidth_; }
    int16_t arrowHeight() const { return arrowHeight_; }
    bool overLeft() const { return overLeft_; }
    bool overRight() const { return overRight_; }

    // A left press reports 0 and steps the attached control by the arrow under the pointer.
    bool handleEvent(const InputEvent& event) override;
    // Steps the attached control as a press on the right (forward) or left arrow does: click
    // sound, next() or previous(), then the owner hears 0. False without an attached control.
    bool step(bool forward);
    void draw() override;
    // Whether the pointer is over either arrow (each remembered).
    bool hitTest(const InputEvent& event) override;
    // Plays the hover sound.
    void gainHighlight() override;

private:
    bool overArrow(int16_t arrowX, VirtualPoint point) const;

    OTextStack* attached_ = nullptr;
    TextureRef skin_;
    int16_t leftX_ = 0;
    int16_t rightX_ = 0;
    int16_t arrowWidth_ = 0;
    int16_t arrowHeight_ = 0;
    bool overLeft_ = false;
    bool overRight_ = false;
};

}  // namespace brx
