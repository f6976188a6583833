#include "engine/KvCheckBox.h"

#include <GL/gl.h>

namespace brx {

namespace {

// Rows of the four-row skin.
constexpr SkinRows kNormalRows{0.0f, 0.25f};
constexpr SkinRows kCheckedRows{0.25f, 0.5f};
constexpr SkinRows kHoverRows{0.5f, 0.75f};
// The ring that marks a focused box whose checked look hides the hover row: the hover row's
// amber, two units wide.
constexpr float kFocusRing[3] = {1.0f, 0.62f, 0.15f};
constexpr float kFocusRingWidth = 2.0f;

}  // namespace

KvCheckBox::KvCheckBox(BitmapFont* font, int controlId, float textScale)
    : OControl(controlId, false), font_(font), textScale_(textScale) {}

KvCheckBox::~KvCheckBox() = default;

void KvCheckBox::setTexture(const std::string& name) {
    skin_.load(name, true);
    setSize(static_cast<int16_t>(skin_.width()), static_cast<int16_t>(skin_.height() / 4));
}

bool KvCheckBox::hitTest(const InputEvent& event) {
    if (!visible() || hidden()) return false;
    const VirtualPoint point = toVirtual(event.x, event.y);
    pointerInside_ = contains(point.x, point.y);
    return pointerInside_;
}

bool KvCheckBox::attached() {
    return true;
}

bool KvCheckBox::handleEvent(const InputEvent& event) {
    switch (event.type) {
        case kInputPointerMove:
            if (press_ != kNoPress) press_ = hitTest(event) ? kPressInside : kPressOutside;
            return false;
        case kInputButtonDown:
            if (event.button != kButtonLeft) return false;
            press_ = kPressInside;
            return true;
        case kInputButtonUp: {
            const bool toggles = event.button == kButtonLeft && press_ == kPressInside;
            if (event.button == kButtonLeft) press_ = kNoPress;
            if (!toggles) return false;
            checked_ = !checked_;
            return notifyOwner(checked_ ? kBecameChecked : kBecameUnchecked);
        }
        default:
            return false;
    }
}

bool KvCheckBox::onKey(const InputEvent& event) {
    if (!isEnterPress(event)) return false;
    checked_ = !checked_;
    notifyOwner(checked_ ? kBecameChecked : kBecameUnchecked);
    return true;
}

void KvCheckBox::draw() {
    if (hidden()) return;
    beginDraw2D();
    beginSkinState();
    skin_.bind();
    const bool lit = pointerInside_ || focused();
    const SkinRows rows = checked_ ? kCheckedRows : lit ? kHoverRows : kNormalRows;
    drawSkinQuad(x(), y(), width(), height(), rows);
    if (checked_ && focused()) {
        glDisable(GL_TEXTURE_2D);
        glColor3fv(kFocusRing);
        glLineWidth(kFocusRingWidth);
        glBegin(GL_LINE_LOOP);
        glVertex2f(x() - 1.0f, y());
        glVertex2f(x() + width() + 1.0f, y());
        glVertex2f(x() + width() + 1.0f, y() + height() + 1.0f);
        glVertex2f(x() - 1.0f, y() + height() + 1.0f);
        glEnd();
        glLineWidth(1.0f);
        glEnable(GL_TEXTURE_2D);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }
    drawLabel(font_, label_, x(), y(), textScale_);
    endDraw2D();
}

}  // namespace brx
