#include "screens/ConfirmDialog.h"

#include <GL/gl.h>

#include "core/ErrorLog.h"
#include "engine/BitmapFont.h"
#include "engine/OException.h"
#include "engine/OTextStack.h"
#include "screens/ScreenKit.h"
#include "shell/ORenderWindow.h"

namespace brx {
namespace {

constexpr const char* kPanelTexture = "RegBgrn.Tga";
constexpr const char* kOkSkin = "Interface/Ok.Tga";
constexpr const char* kCancelSkin = "Interface/Cancel.Tga";
// Where the closed dialog keeps its buttons (virtual units, far above the screen).
constexpr int kOffScreenY = 2048;
// The panel and its contents (virtual units).
constexpr float kPanelLeft = 201.0f, kPanelBottom = 251.0f;
constexpr float kPanelRight = 600.0f, kPanelTop = 400.0f;
constexpr float kPanelAlpha = 0.75f;
constexpr float kQuestionY = 325.0f;
constexpr float kQuestionScale = 0.75f;
constexpr int kButtonsY = 265;
constexpr int kCancelOffset = -100;  // from the centred position
constexpr int kOkOffset = 120;

int centredX(const OTextStack& button, int offset) {
    return (ORenderWindow::kVirtualWidth - button.width()) / 2 + offset;
}

}  // namespace

void ConfirmDialog::create(ORenderWindow& screen, BitmapFont* font) {
    screen_ = &screen;
    font_ = font;
    auto ok = makeButton(font, kOkCommand, kOkSkin, 0, kOffScreenY);
    auto cancel = makeButton(font, kCancelCommand, kCancelSkin, 0, kOffScreenY);
    ok_ = ok.get();
    cancel_ = cancel.get();
    screen.addControl(ok.release());
    screen.addControl(cancel.release());
    try {
        panel_.load(kPanelTexture, true);
    } catch (const OFileNotFound&) {
        BRX_LOG_ERROR("Dialog panel \"%s\" could not be loaded", kPanelTexture);
    }
    open_ = true;  // so that close() runs its whole course once
    close();
}

void ConfirmDialog::open() {
    open_ = true;
    ok_->setHidden(false);
    cancel_->setHidden(false);
    placeButtons();
    setOthersVisible(false);
}

void ConfirmDialog::close() {
    if (!screen_) return;
    open_ = false;
    ok_->setPosition(ok_->x(), kOffScreenY);
    cancel_->setPosition(cancel_->x(), kOffScreenY);
    ok_->setHidden(true);
    cancel_->setHidden(true);
    setOthersVisible(true);
}

void ConfirmDialog::placeButtons() {
    cancel_->setPosition(int16_t(centredX(*cancel_, kCancelOffset)), kButtonsY);
    ok_->setPosition(int16_t(centredX(*ok_, kOkOffset)), kButtonsY);
}

void ConfirmDialog::setOthersVisible(bool on) const {
    for (std::size_t index = 0; index < screen_->controlCount(); ++index) {
        OControl* control = screen_->control(index);
        if (control != ok_ && control != cancel_) control->setVisible(on);
    }
}

void ConfirmDialog::draw() const {
    if (!open_) return;
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (panel_) {
        panel_.bind();
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    glColor4f(1.0f, 1.0f, 1.0f, kPanelAlpha);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(kPanelLeft, kPanelBottom);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(kPanelRight, kPanelBottom);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(kPanelRight, kPanelTop);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(kPanelLeft, kPanelTop);
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    if (font_) {
        const float width = font_->textWidth(kQuestion) * kQuestionScale;
        font_->drawText((ORenderWindow::kVirtualWidth - width) / 2.0f, kQuestionY, kQuestion, false,
                        kQuestionScale);
    }
    cancel_->draw();
    ok_->draw();
}

}  // namespace brx
