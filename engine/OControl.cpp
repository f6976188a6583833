#include "engine/OControl.h"

#include <GL/gl.h>

#include "engine/BitmapFont.h"
#include "engine/ControlOwner.h"
#include "engine/OCamera.h"

namespace brx {

namespace {

constexpr float kVirtualWidth = 800.0f;
constexpr float kVirtualHeight = 600.0f;

}  // namespace

OControl::OControl(int controlId, bool tabStop, FocusMode focusMode)
    : controlId_(controlId), tabStop_(tabStop), focusMode_(focusMode) {}

OControl::~OControl() = default;

void OControl::setOwner(ControlOwner* owner) {
    owner_ = owner;
}

bool OControl::handleEvent(const InputEvent& /*event*/) {
    return false;
}

void OControl::draw() {}

bool OControl::hitTest(const InputEvent& /*event*/) {
    return false;
}

bool OControl::attached() {
    return false;
}

void OControl::gainHighlight() {
    highlighted_ = true;
}

void OControl::loseHighlight() {
    highlighted_ = false;
}

bool OControl::onKey(const InputEvent& /*event*/) {
    return false;
}

void OControl::update(int /*elapsedMs*/) {}

VirtualPoint OControl::toVirtual(int16_t pixelX, int16_t pixelY) const {
    const float width =
        owner_ != nullptr && owner_->windowWidth() > 0 ? owner_->windowWidth() : kVirtualWidth;
    const float height =
        owner_ != nullptr && owner_->windowHeight() > 0 ? owner_->windowHeight() : kVirtualHeight;
    return {pixelX * (kVirtualWidth / width), (height - pixelY) * (kVirtualHeight / height)};
}

float OControl::toVirtualDx(int16_t pixelDx) const {
    const float width =
        owner_ != nullptr && owner_->windowWidth() > 0 ? owner_->windowWidth() : kVirtualWidth;
    return pixelDx * (kVirtualWidth / width);
}

bool OControl::notifyOwner(int value) const {
    return owner_ != nullptr && owner_->onCommand(controlId_, value);
}

void OControl::beginDraw2D() const {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    OCamera* camera = owner_ != nullptr ? owner_->camera() : nullptr;
    if (camera != nullptr) {
        camera->apply2D(kVirtualWidth, kVirtualHeight);
    } else {
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0.0, kVirtualWidth, 0.0, kVirtualHeight, -1.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    glEnable(GL_TEXTURE_2D);
}

void OControl::endDraw2D() const {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void OControl::beginSkinState() {
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void OControl::drawSkinQuad(float x, float y, float width, float height, SkinRows rows, float uLeft,
                            float uRight) {
    // Wrap modes are texture state: set them after the caller bound the skin.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glBegin(GL_QUADS);
    glTexCoord2f(uLeft, rows.bottom);
    glVertex2f(x + 1.0f, y + 1.0f);
    glTexCoord2f(uRight, rows.bottom);
    glVertex2f(x + width, y + 1.0f);
    glTexCoord2f(uRight, rows.top);
    glVertex2f(x + width, y + height);
    glTexCoord2f(uLeft, rows.top);
    glVertex2f(x + 1.0f, y + height);
    glEnd();
}

void OControl::drawLabel(const BitmapFont* font, const std::string& label, float x, float y,
                         float scale) {
    if (font == nullptr || label.empty()) return;
    const float left = x - font->textWidth(label) * scale - kLabelGap;
    font->drawText(left, y, label, true, scale, 0);
}

}  // namespace brx
