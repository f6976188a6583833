#include "game/GameMessageDrawing.h"

#include <GL/gl.h>

#include "engine/BitmapFont.h"
#include "game/GameMessages.h"
#include "shell/ORenderWindow.h"

namespace brx {
namespace {

// A dark, half-transparent plate behind each message, so it reads over any blocks.
constexpr float kPlateMargin = 12.0f;
constexpr float kPlateBelow = 3.0f;
constexpr float kPlateHeight = 30.0f;
constexpr float kPlateAlpha = 0.55f;

void drawPlate(float left, float bottom, float width, float opacity) {
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, kPlateAlpha * opacity);
    glBegin(GL_QUADS);
    glVertex2f(left - kPlateMargin, bottom - kPlateBelow);
    glVertex2f(left + width + kPlateMargin, bottom - kPlateBelow);
    glVertex2f(left + width + kPlateMargin, bottom - kPlateBelow + kPlateHeight);
    glVertex2f(left - kPlateMargin, bottom - kPlateBelow + kPlateHeight);
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
}

}  // namespace

void drawGameMessages(const GameMessages& messages, BitmapFont& font) {
    if (!messages.active()) return;
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    float y = kMessageFirstY;
    for (const GameMessages::Message& message : messages.shown()) {
        const float width = font.textWidth(message.text) * kMessageScale;
        const float left = ORenderWindow::kVirtualWidth / 2.0f - width / 2.0f;
        const float opacity = GameMessages::opacity(message);
        drawPlate(left, y, width, opacity);
        font.setColour(1.0f, 0.9f, 0.2f, opacity);
        font.drawText(left, y, message.text, true, kMessageScale);
        y -= kMessageLineStep;
    }
    font.setColour(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
}

}  // namespace brx
