#include "engine/KvIncDec.h"

#include <GL/gl.h>

#include "engine/OTextStack.h"
#include "engine/UiSound.h"

namespace brx {

namespace {

constexpr SkinRows kNormalRows{0.0f, 0.5f};
constexpr SkinRows kHoverRows{0.5f, 1.0f};

}  // namespace

KvIncDec::KvIncDec(int controlId, bool tabStop) : OControl(controlId, tabStop) {}

KvIncDec::~KvIncDec() = default;

void KvIncDec::setTexture(const std::string& name) {
    skin_.load(name, true);
    placeArrows(skin_.width(), skin_.height());
}

void KvIncDec::placeArrows(int imageWidth, int imageHeight) {
    arrowWidth_ = static_cast<int16_t>(imageWidth);
    arrowHeight_ = static_cast<int16_t>(imageHeight / 2);
    if (attached_ == nullptr) return;
    setPosition(0, attached_->y());
    // The stepped control's skin image, not its hit box, decides where the right arrow goes.
    const int attachedWidth = attached_->hasSkin() ? attached_->skin().width() : attached_->width();
    leftX_ = static_cast<int16_t>(attached_->x() - kArrowGap - arrowWidth_);
    rightX_ = static_cast<int16_t>(attached_->x() + attachedWidth + kArrowGap);
}

bool KvIncDec::overArrow(int16_t arrowX, VirtualPoint point) const {
    return arrowX <= point.x && point.x < arrowX + arrowWidth_ && y() <= point.y &&
           point.y < y() + arrowHeight_;
}

bool KvIncDec::hitTest(const InputEvent& event) {
    if (!visible() || hidden()) return false;
    const VirtualPoint point = toVirtual(event.x, event.y);
    overLeft_ = overArrow(leftX_, point);
    overRight_ = overArrow(rightX_, point);
    return overLeft_ || overRight_;
}

// The stepped control changes before the owner hears of it, so the owner reads the new value.
bool KvIncDec::handleEvent(const InputEvent& event) {
    if (!isLeftPress(event)) return false;
    if (attached_ != nullptr && (overRight_ || overLeft_)) {
        playUiSound(clickSound());
        if (overRight_) {
            attached_->next();
        } else {
            attached_->previous();
        }
    }
    return notifyOwner(0);
}

bool KvIncDec::step(bool forward) {
    if (attached_ == nullptr) return false;
    playUiSound(clickSound());
    if (forward) {
        attached_->next();
    } else {
        attached_->previous();
    }
    notifyOwner(0);
    return true;
}

void KvIncDec::gainHighlight() {
    playUiSound(hoverSound());
    OControl::gainHighlight();
}

void KvIncDec::draw() {
    if (hidden()) return;
    beginDraw2D();
    beginSkinState();
    skin_.bind();
    const bool lit = highlighted();
    // The skin shows the right arrow; the left one is its mirror image.
    drawSkinQuad(leftX_, y(), arrowWidth_, arrowHeight_,
                 lit && overLeft_ ? kHoverRows : kNormalRows, 1.0f, 0.0f);
    drawSkinQuad(rightX_, y(), arrowWidth_, arrowHeight_,
                 lit && overRight_ ? kHoverRows : kNormalRows);
    endDraw2D();
}

}  // namespace brx
