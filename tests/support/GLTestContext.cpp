#include "tests/support/GLTestContext.h"

#include <GL/gl.h>

#include <cstdlib>
#include <string>

#include "platform/Platform.h"

namespace testsupport {

bool ensureGLContext() {
    static const bool opened = [] {
        platform::WindowDesc desc;
        desc.title = "gl-test";
        desc.hidden = true;
        std::string error;
        return platform::openWindow(desc, &error);
    }();
    return opened && platform::isWindowOpen();
}

std::vector<uint8_t> readPixels(int x, int y, int width, int height) {
    std::vector<uint8_t> pixels(size_t(width) * size_t(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

int countPixelsDifferentFrom(const std::vector<uint8_t>& rgba, uint8_t r, uint8_t g, uint8_t b,
                             int tolerance) {
    int count = 0;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
        if (std::abs(rgba[i] - r) > tolerance || std::abs(rgba[i + 1] - g) > tolerance ||
            std::abs(rgba[i + 2] - b) > tolerance)
            ++count;
    }
    return count;
}

void setUpPixelSpace2D() {
    int width = 0, height = 0;
    platform::windowSize(&width, &height);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, double(width), 0.0, double(height), -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

void clearTo(float r, float g, float b) {
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GLTest::SetUp() {
    if (!ensureGLContext()) GTEST_SKIP() << "no display for an OpenGL context";
}

}  // namespace testsupport
