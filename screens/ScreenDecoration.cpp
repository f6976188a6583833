#include "screens/ScreenDecoration.h"

#include <GL/gl.h>

#include "engine/TextureRef.h"

namespace brx {
namespace {

constexpr float kLineXs[] = {150.0f, 650.0f};
// Points of each strip from bottom to top: (y, alpha).
constexpr float kStripPoints[][2] = {{0.0f, 0.0f}, {150.0f, 0.5f}, {450.0f, 0.5f}, {600.0f, 0.0f}};
constexpr float kLogoCentreX = 85.0f;
constexpr float kLogoBottom = 5.0f;

}  // namespace

void drawSideLines() {
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glShadeModel(GL_SMOOTH);
    for (const float x : kLineXs) {
        glBegin(GL_LINE_STRIP);
        for (const auto& point : kStripPoints) {
            glColor4f(1.0f, 0.0f, 0.0f, point[1]);
            glVertex2f(x, point[0]);
        }
        glEnd();
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
}

void drawCornerLogo(const TextureRef& logo) {
    if (!logo) return;
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    logo.draw(kLogoCentreX - logo.width() / 2.0f, kLogoBottom);
    glDisable(GL_BLEND);
}

}  // namespace brx
