#include "game/GameMessageDrawing.h"

#include <GL/gl.h>

#include "engine/BitmapFont.h"
#include "game/GameMessages.h"
#include "shell/ORenderWindow.h"

namespace brx {

void drawGameMessages(const GameMessages& messages, BitmapFont& font) {
    if (!messages.active()) return;
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    float y = kMessageFirstY;
    for (const GameMessages::Message& message : messages.shown()) {
        const float width = font.textWidth(message.text) * kMessageScale;
        font.setColour(1.0f, 0.9f, 0.2f, GameMessages::opacity(message));
        font.drawText(ORenderWindow::kVirtualWidth / 2.0f - width / 2.0f, y, message.text, true,
                      kMessageScale);
        y -= kMessageLineStep;
    }
    font.setColour(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
}

}  // namespace brx
