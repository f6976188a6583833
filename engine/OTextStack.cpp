#include "engine/OTextStack.h"

#include <GL/gl.h>

#include <algorithm>

#include "core/ErrorLog.h"
#include "engine/BitmapFont.h"
#include "engine/OException.h"
#include "engine/UiSound.h"

namespace brx {

namespace {

// The skin's rows: the normal look on the upper half, the highlighted one on the lower.
constexpr SkinRows kNormalRows{0.5f, 1.0f};
constexpr SkinRows kHighlightRows{0.0f, 0.5f};
// Height of a line of text at scale 1 (units): one font cell.
constexpr float kTextHeight = 32.0f;
// A disabled control's skin and text: darkened and half seen.
constexpr float kDimmedShade = 0.4f;
constexpr float kDimmedAlpha = 0.6f;

}  // namespace

OTextStack::OTextStack(BitmapFont* font, int controlId, bool tabStop, float textScale)
    : OControl(controlId, tabStop), font_(font), textScale_(textScale), pulseScale_(textScale) {}

OTextStack::~OTextStack() = default;

void OTextStack::setTexture(const std::string& name) {
    try {
        skin_.load(name, true);
    } catch (const OFileNotFound&) {
        BRX_LOG_ERROR("Control skin \"%s\" could not be loaded", name.c_str());
        skin_.release();
        setSize(1, 1);
        return;
    }
    setSize(static_cast<int16_t>(skin_.width()), static_cast<int16_t>(skin_.height() / 2));
}

void OTextStack::addItem(int key, const std::string& text) {
    const bool known = std::any_of(items_.begin(), items_.end(),
                                   [&text](const auto& item) { return item.second == text; });
    if (known) return;
    items_[key] = text;
    makeCurrent(key);
}

void OTextStack::setCurrent(int key) {
    if (items_.count(key) != 0) makeCurrent(key);
}

std::string OTextStack::currentText() const {
    const auto found = items_.find(current_);
    return found != items_.end() ? found->second : std::string();
}

void OTextStack::setEnabled(bool on) {
    enabled_ = on;
    if (on) return;
    pulsing_ = false;
    pulseScale_ = textScale_;
    setHighlighted(false);
}

bool OTextStack::handleEvent(const InputEvent& event) {
    if (!enabled_ || !isLeftPress(event)) return false;
    return press();
}

bool OTextStack::press() {
    if (!enabled_) return false;
    if (!items_.empty()) {
        auto following = std::next(items_.find(current_));
        makeCurrent(following != items_.end() ? following->first : items_.begin()->first);
    }
    playUiSound(clickSound());
    return notifyOwner(current_);
}

bool OTextStack::onKey(const InputEvent& event) {
    if (isEnterPress(event)) {
        press();
        return true;
    }
    if (event.type != kInputKeyDown || (event.key != kKeyLeft && event.key != kKeyRight))
        return false;
    const int before = current_;
    if (event.key == kKeyRight) {
        next();
    } else {
        previous();
    }
    if (current_ == before) return false;
    playUiSound(clickSound());
    notifyOwner(current_);
    return true;
}

bool OTextStack::hitTest(const InputEvent& event) {
    if (!visible() || hidden() || !enabled_) return false;
    return containsPoint(toVirtual(event.x, event.y));
}

bool OTextStack::containsPoint(VirtualPoint point) const {
    if (hasSkin()) return contains(point.x, point.y);
    const float halfWidth = textWidth(currentText()) / 2.0f * textScale_;
    const float halfHeight = kTextHeight / 2.0f * textScale_;
    return x() - halfWidth <= point.x && point.x < x() + halfWidth && y() - halfHeight <= point.y &&
           point.y < y() + halfHeight;
}

void OTextStack::gainHighlight() {
    if (!pulsing_) {
        pulsing_ = true;
        pulseScale_ = textScale_;
    }
    playUiSound(hoverSound());
    setHighlighted(true);
}

void OTextStack::loseHighlight() {
    setHighlighted(false);
}

void OTextStack::update(int elapsedMs) {
    if (!pulsing_) return;
    pulseScale_ += elapsedMs * kPulseGrowthPerMs;
    if (pulseScale_ > kPulseEndScale) {
        pulsing_ = false;
        pulseScale_ = textScale_;
    }
}

void OTextStack::next() {
    const auto found = items_.find(current_);
    if (found == items_.end()) return;
    const auto following = std::next(found);
    if (following != items_.end()) makeCurrent(following->first);
}

void OTextStack::previous() {
    const auto found = items_.find(current_);
    if (found == items_.end() || found == items_.begin()) return;
    makeCurrent(std::prev(found)->first);
}

void OTextStack::makeCurrent(int key) {
    previous_ = current_;
    current_ = key;
}

float OTextStack::textWidth(const std::string& text) const {
    return font_ != nullptr ? font_->textWidth(text) : 0.0f;
}

void OTextStack::draw() {
    if (hidden()) return;
    beginDraw2D();
    if (hasSkin()) {
        drawSkinned();
    } else {
        drawBareText();
    }
    drawLabel(font_, label_, x(), y(), textScale_);
    endDraw2D();
}

void OTextStack::drawSkinned() const {
    beginSkinState();
    if (!enabled_) glColor4f(kDimmedShade, kDimmedShade, kDimmedShade, kDimmedAlpha);
    skin_.bind();
    drawSkinQuad(x(), y(), width(), height(), highlighted() ? kHighlightRows : kNormalRows);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    if (items_.empty() || font_ == nullptr) return;
    const std::string text = currentText();
    const float left = x() + (width() - textWidth(text) * textScale_) / 2.0f;
    font_->drawText(left, y() + 1.0f, text, true, textScale_, 0);
}

// Bare text is centred on (x, y); while a pulse runs a growing, fading echo goes underneath.
void OTextStack::drawBareText() const {
    if (font_ == nullptr) return;
    const std::string text = currentText();
    const float width = textWidth(text);
    if (pulsing_) {
        font_->setColour(1.0f, 1.0f, 1.0f, kPulseEndScale - pulseScale_);
        font_->drawText(x() - width * pulseScale_ / 2.0f, y() - pulseScale_ * kTextHeight / 2.0f,
                        text, false, pulseScale_, 0);
        font_->setColour(1.0f, 1.0f, 1.0f, 1.0f);
    }
    if (!enabled_) font_->setColour(kDimmedShade, kDimmedShade, kDimmedShade, kDimmedAlpha);
    font_->drawText(x() - width * textScale_ / 2.0f, y() - textScale_ * kTextHeight / 2.0f, text,
                    true, textScale_, highlighted() ? 1 : 0);
    font_->setColour(1.0f, 1.0f, 1.0f, 1.0f);
}

}  // namespace brx
