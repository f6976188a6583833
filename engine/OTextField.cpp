#include "engine/OTextField.h"

#include <GL/gl.h>

#include <chrono>

#include "engine/BitmapFont.h"

namespace brx {

namespace {

// Space kept free inside the box, and where the text and caret sit in it (units).
constexpr int kInnerMargin = 2;
constexpr float kTextOffsetX = 1.0f;
constexpr float kTextOffsetY = -6.0f;
constexpr float kCaretWidth = 2.0f;
constexpr float kCaretInset = 2.0f;
// The caret shows during the second half of every second.
constexpr int64_t kBlinkPeriodMs = 1000;
constexpr int64_t kBlinkOnAfterMs = 500;
// The font has no glyphs below the space; such codes (Tab, Escape, ...) are not text.
constexpr uint16_t kFirstPrintable = 32;

int64_t clockMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

OTextField::OTextField(BitmapFont* font, const std::string& text, int controlId, bool tabStop)
    : OControl(controlId, tabStop, kFocusOnPress), font_(font) {
    O2D::setSize(kDefaultWidth, kDefaultHeight);
    setFilled(true);
    setBordered(true);
    setText(text);
}

OTextField::~OTextField() = default;

void OTextField::setText(const std::string& text) {
    text_ = text;
    caret_ = text_.size();
    scrollToCaret();
}

void OTextField::setSize(int16_t width, int16_t height) {
    O2D::setSize(width, height);
    scrollToCaret();
}

void OTextField::setTexture(const std::string& name) {
    background_.load(name, true);
}

std::string OTextField::visibleText() const {
    const std::string rest = text_.substr(scrollStart_);
    if (font_ == nullptr) return rest;
    return rest.substr(0, static_cast<std::size_t>(font_->charsFitting(rest, availableWidth())));
}

bool OTextField::hitTest(const InputEvent& event) {
    if (!visible() || hidden()) return false;
    const VirtualPoint point = toVirtual(event.x, event.y);
    return contains(point.x, point.y);
}

// The event that created the field (typically the click or key that opened it) is swallowed.
bool OTextField::handleEvent(const InputEvent& event) {
    if (!firstEventSeen_) {
        firstEventSeen_ = true;
        return true;
    }
    switch (event.type) {
        case kInputButtonDown:
            if (event.button != kButtonLeft) return false;
            gainHighlight();
            return true;
        case kInputCharacter:
            return insertCharacter(event.key);
        case kInputKeyDown:
            return handleKeyDown(event.key);
        default:
            return false;
    }
}

bool OTextField::insertCharacter(uint16_t code) {
    if (code < kFirstPrintable || code > 0xFF) return false;
    if (text_.size() < maxLength_) {
        text_.insert(caret_, 1, static_cast<char>(code));
        moveCaret(caret_ + 1);
    }
    return true;
}

bool OTextField::handleKeyDown(uint16_t key) {
    switch (key) {
        case kKeyBackspace:
            if (caret_ > 0) {
                text_.erase(caret_ - 1, 1);
                moveCaret(caret_ - 1);
            }
            return true;
        case kKeyEnter:
            onEnter();
            return notifyOwner(kEntered);
        case kKeyEnd:
            moveCaret(text_.size());
            return true;
        case kKeyHome:
            caret_ = 0;
            scrollStart_ = 0;
            return true;
        case kKeyLeft:
            if (caret_ > 0) moveCaret(caret_ - 1);
            return true;
        case kKeyRight:
            if (caret_ < text_.size()) moveCaret(caret_ + 1);
            return true;
        case kKeyDelete:
            if (caret_ < text_.size()) text_.erase(caret_, 1);
            return true;
        default:
            return false;
    }
}

void OTextField::onEnter() {}

void OTextField::moveCaret(std::size_t caret) {
    caret_ = caret;
    keepCaretVisible();
}

void OTextField::keepCaretVisible() {
    const bool beforeView = caret_ < scrollStart_;
    const bool pastView = caret_ > scrollStart_ + visibleText().size();
    if (beforeView || pastView) scrollToCaret();
}

// The text up to the caret is measured backwards: the view starts as far left as still lets
// the caret's character show at the right edge.
void OTextField::scrollToCaret() {
    if (font_ == nullptr) {
        scrollStart_ = 0;
        return;
    }
    const std::string head = text_.substr(0, caret_);
    const std::string reversed(head.rbegin(), head.rend());
    const auto fitting = static_cast<std::size_t>(font_->charsFitting(reversed, availableWidth()));
    scrollStart_ = caret_ - fitting;
}

int OTextField::availableWidth() const {
    return width() - kInnerMargin;
}

float OTextField::widthOf(const std::string& text) const {
    return font_ != nullptr ? font_->textWidth(text) : 0.0f;
}

void OTextField::draw() {
    if (hidden()) return;
    beginDraw2D();
    if (background_) {
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        background_.bind();
        glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 0.0f);
        glVertex2f(x(), y());
        glTexCoord2f(1.0f, 0.0f);
        glVertex2f(x() + width(), y());
        glTexCoord2f(1.0f, 1.0f);
        glVertex2f(x() + width(), y() + height());
        glTexCoord2f(0.0f, 1.0f);
        glVertex2f(x(), y() + height());
        glEnd();
    } else if (filled()) {
        drawFill();
    }
    if (bordered()) drawBorder();
    glEnable(GL_TEXTURE_2D);
    if (font_ != nullptr)
        font_->drawText(x() + kTextOffsetX, y() + kTextOffsetY, visibleText(), true);
    if (highlighted() && clockMs() % kBlinkPeriodMs > kBlinkOnAfterMs) drawCaret();
    endDraw2D();
}

void OTextField::drawCaret() const {
    const float caretX =
        x() + widthOf(text_.substr(0, caret_)) - widthOf(text_.substr(0, scrollStart_));
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 1.0f, 1.0f);
    glRectf(caretX, y() + kCaretInset, caretX + kCaretWidth, y() + height() - kCaretInset);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
}

}  // namespace brx
