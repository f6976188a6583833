#include "shell/MouseCursor.h"

#include <GL/gl.h>

#include <utility>

namespace brx {

MouseCursor::MouseCursor(std::string textureName) : textureName_(std::move(textureName)) {}

void MouseCursor::load() {
    texture_.load(textureName_, true);
}

void MouseCursor::moveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void MouseCursor::draw(int windowHeight) const {
    if (!texture_) return;
    const float side = float(windowHeight) / kReferenceHeight * kSidePixels;
    glPushMatrix();
    glTranslatef(float(x_), float(windowHeight - y_) - side, 0.0f);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    texture_.bind();
    // Clamped, so the far edge of the picture does not bleed into the near one.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(side, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(side, side);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(0.0f, side);
    glEnd();
    glDisable(GL_BLEND);
    glPopMatrix();
}

}  // namespace brx
