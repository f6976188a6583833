#include "game/ScoreText.h"

#include <GL/gl.h>

#include "engine/BitmapFont.h"

namespace brx {

ScoreText::ScoreText(int points, const Vector3& where, BitmapFont* textFont)
    : text(std::to_string(points)), position(where), font(textFont) {}

bool ScoreText::update(int elapsedMs) {
    opacity -= kFadePerMs * elapsedMs;
    position.y += kRisePerMs * elapsedMs;
    return opacity >= 0.0;
}

void ScoreText::draw() const {
    if (!font) return;
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPushMatrix();
    glTranslatef(position.x, position.y, 0.0f);
    glScalef(kGlyphScale, kGlyphScale, kGlyphScale);
    font->texture().bind();
    font->setColour(1.0f, 1.0f, 1.0f, float(opacity));
    font->drawText(0.0f, 0.0f, text);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
    font->setColour(1.0f, 1.0f, 1.0f, 1.0f);
}

}  // namespace brx
