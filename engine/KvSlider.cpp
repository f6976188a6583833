#include "engine/KvSlider.h"

#include <cmath>

namespace brx {

KvSlider::KvSlider(BitmapFont* font, int controlId, float minimum, float maximum, float step,
                   bool tabStop)
    : OTextStack(font, controlId, tabStop, 1.0f),
      thumb_(std::make_unique<OTextStack>(font, 0, false, 1.0f)),
      minimum_(minimum),
      maximum_(maximum),
      step_(step),
      value_(minimum) {}

KvSlider::~KvSlider() = default;

void KvSlider::setTextures(const std::string& track, const std::string& thumb) {
    setTexture(track);
    thumb_->setTexture(thumb);
    updatePixelsPerUnit();
    placeThumb();
}

void KvSlider::setGeometry(int16_t trackWidth, int16_t trackHeight, int16_t thumbWidth,
                           int16_t thumbHeight) {
    setSize(trackWidth, trackHeight);
    thumb_->setSize(thumbWidth, thumbHeight);
    updatePixelsPerUnit();
    placeThumb();
}

void KvSlider::updatePixelsPerUnit() {
    const float range = maximum_ - minimum_;
    pixelsPerUnit_ = range > 0.0f ? (width() - thumb_->width()) / range : 0.0f;
}

void KvSlider::setPosition(int16_t x, int16_t y) {
    OTextStack::setPosition(x, y);
    placeThumb();
}

void KvSlider::setValue(float value) {
    value_ = snap(value);
    placeThumb();
}

float KvSlider::snap(float value) const {
    if (value < minimum_) return minimum_;
    if (value > maximum_) return maximum_;
    if (step_ <= 0.0f) return value;
    const float steps = (value - minimum_) / step_;
    return minimum_ + step_ * std::trunc(steps >= 0.0f ? steps + 0.5f : steps - 0.5f);
}

void KvSlider::placeThumb() {
    const float thumbX = x() + (value_ - minimum_) * pixelsPerUnit_;
    const float thumbY = y() + height() / 2.0f - thumb_->height() / 2.0f;
    thumb_->setPosition(static_cast<int16_t>(thumbX), static_cast<int16_t>(thumbY));
}

// A slider with no usable length (equal ends or a thumb as wide as the track) stays at its
// minimum instead of dividing by zero.
float KvSlider::valueAt(float virtualX) const {
    if (pixelsPerUnit_ <= 0.0f) return minimum_;
    return minimum_ + (virtualX - x() - thumb_->width() / 2.0f) / pixelsPerUnit_;
}

void KvSlider::setOwner(ControlOwner* owner) {
    OTextStack::setOwner(owner);
    thumb_->setOwner(owner);
}

bool KvSlider::hitTest(const InputEvent& event) {
    if (!visible() || hidden()) return false;
    if (dragging_) return true;
    const VirtualPoint point = toVirtual(event.x, event.y);
    const bool overTrack = contains(point.x, point.y);
    overTrackOnly_ = overTrack && !thumb_->contains(point.x, point.y);
    return overTrack;
}

bool KvSlider::handleEvent(const InputEvent& event) {
    if (isLeftPress(event)) {
        dragging_ = true;
        if (!overTrackOnly_) return true;
        setValue(valueAt(toVirtual(event.x, event.y).x));
        return notifyOwner(kValueChanged);
    }
    if (!dragging_) return false;
    if (event.type == kInputPointerMove) {
        setValue(valueAt(toVirtual(event.x, event.y).x + toVirtualDx(event.dx)));
        return notifyOwner(kValueChanged);
    }
    if (event.type == kInputButtonUp && event.button == kButtonLeft) {
        placeThumb();
        dragging_ = false;
        return true;
    }
    return false;
}

bool KvSlider::onKey(const InputEvent& event) {
    if (event.type != kInputKeyDown || (event.key != kKeyLeft && event.key != kKeyRight))
        return false;
    const float before = value_;
    if (event.key == kKeyRight) {
        next();
    } else {
        previous();
    }
    if (value_ == before) return false;
    notifyOwner(kValueChanged);
    return true;
}

void KvSlider::gainHighlight() {
    thumb_->gainHighlight();
    setHighlighted(true);
}

void KvSlider::loseHighlight() {
    if (dragging_) {
        dragging_ = false;
        setValue(value_);
        notifyOwner(kValueChanged);
    }
    OTextStack::loseHighlight();
    thumb_->loseHighlight();
}

void KvSlider::next() {
    setValue(value_ + kArrowStep);
}

void KvSlider::previous() {
    setValue(value_ - kArrowStep);
}

void KvSlider::draw() {
    if (hidden()) return;
    OTextStack::draw();
    thumb_->draw();
}

}  // namespace brx
