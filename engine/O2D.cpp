#include "engine/O2D.h"

#include <GL/gl.h>

namespace brx {

void O2D::drawFill() const {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor4f(fillColour_.r, fillColour_.g, fillColour_.b, fillColour_.a);
    glRectf(x_, y_, x_ + width_, y_ + height_);
}

void O2D::drawBorder() const {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor4f(borderColour_.r, borderColour_.g, borderColour_.b, borderColour_.a);
    glLineWidth(lineWidth_);
    glBegin(GL_LINE_LOOP);
    glVertex2f(x_, y_);
    glVertex2f(x_ + width_, y_);
    glVertex2f(x_ + width_, y_ + height_);
    glVertex2f(x_, y_ + height_);
    glEnd();
}

}  // namespace brx
