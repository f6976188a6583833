#include "screens/Credits.h"

#include <GL/gl.h>

#include "core/ErrorLog.h"
#include "core/ResourceArchive.h"
#include "engine/BitmapFont.h"
#include "engine/OTextStack.h"
#include "screens/ScreenDecoration.h"
#include "screens/ScreenKit.h"

namespace brx {

Credits::Credits() : ORenderWindow(kScreenCredits) {}

Credits::~Credits() = default;

bool Credits::init() {
    addControl(makeDoneButton(fontOf(*this), kDoneCommand).release());
    const ResourceBuffer file = ResourceArchive::instance().readFile(kCreditsFile);
    if (!file) BRX_LOG_ERROR("Credits text \"%s\" is missing", kCreditsFile);
    scroll_.load(file ? std::string(file.text(), file.size) : std::string(), textWidth());
    return true;
}

CreditsScroll::TextWidth Credits::textWidth() const {
    const BitmapFont* font = fontOf(*this);
    if (!font) return {};
    return [font](const std::string& text) { return float(font->textWidth(text)); };
}

void Credits::activate() {
    scroll_.restart(textWidth());
}

void Credits::update(int elapsedMs) {
    ORenderWindow::update(elapsedMs);
    scroll_.advance(elapsedMs);
    if (scroll_.finished()) leave();
}

void Credits::draw() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ORenderWindow::draw();
    beginScreen2D(*this);
    drawSideLines();
    drawLines();
    drawCornerLogo(logo());
    glEnable(GL_DEPTH_TEST);
}

void Credits::drawLines() const {
    BitmapFont* font = fontOf(*this);
    if (!font) return;
    for (const CreditLine& line : scroll_.lines()) {
        const float alpha = CreditsScroll::fadeAt(line.y);
        if (alpha <= 0.0f) continue;
        font->setColour(line.colour.r, line.colour.g, line.colour.b, alpha);
        font->drawText(line.x, line.y, line.text, false, line.scale);
    }
    font->setColour(1.0f, 1.0f, 1.0f, 1.0f);
}

bool Credits::onEvent(const InputEvent& event) {
    if (ORenderWindow::onEvent(event)) return true;
    if (!isEscapePress(event)) return false;
    leave();
    return true;
}

bool Credits::onCommand(int controlId, int /*value*/) {
    if (controlId == kDoneCommand) leave();
    return true;
}

void Credits::leave() {
    switchScreen(*this, kScreenMenu);
}

}  // namespace brx
