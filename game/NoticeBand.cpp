#include "game/NoticeBand.h"

#include <GL/gl.h>

#include <algorithm>

#include "engine/BitmapFont.h"

namespace brx {

float NoticeBand::scaleFor(const BitmapFont& font, const std::string& line) const {
    const float width = float(font.textWidth(line));
    const float room = kRight - kLeft - 2.0f * kPadding;
    if (width <= 0.0f || width * kTextScale <= room) return kTextScale;
    return room / width;
}

float NoticeBand::bottom() const {
    return kCentreY - (float(lines_.size()) * kLineHeight) / 2.0f - kPadding;
}

float NoticeBand::top() const {
    return kCentreY + (float(lines_.size()) * kLineHeight) / 2.0f + kPadding;
}

void NoticeBand::draw(BitmapFont* font) const {
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, kBandAlpha);
    glBegin(GL_QUADS);
    glVertex2f(kLeft, bottom());
    glVertex2f(kRight, bottom());
    glVertex2f(kRight, top());
    glVertex2f(kLeft, top());
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    if (!font) return;
    font->setColour(1.0f, 1.0f, 1.0f, 1.0f);
    // First line at the top; each line's pen sits on its baseline area.
    float y = top() - kPadding - kLineHeight;
    for (const std::string& line : lines_) {
        const float scale = scaleFor(*font, line);
        const float x = (kLeft + kRight) / 2.0f - float(font->textWidth(line)) * scale / 2.0f;
        font->drawText(x, y, line, true, scale, 0);
        y -= kLineHeight;
    }
}

}  // namespace brx
