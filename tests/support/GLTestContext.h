// A real OpenGL context for tests: one hidden 800 x 600 window per test process, opened on
// first use (under Xvfb in CI, Mesa's llvmpipe draws). Tests that need GL derive their fixture
// from GLTest; it skips the test when no display can be opened at all.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace testsupport {

// Opens the shared hidden window once; true when a GL context is current.
bool ensureGLContext();

// Reads the back buffer's RGBA pixels (bottom row first), as glReadPixels returns them.
std::vector<uint8_t> readPixels(int x, int y, int width, int height);

// Counts pixels in an RGBA buffer that differ from the given colour by more than tolerance.
int countPixelsDifferentFrom(const std::vector<uint8_t>& rgba, uint8_t r, uint8_t g, uint8_t b,
                             int tolerance = 8);

// Makes one unit one pixel: viewport and orthographic projection over the whole window, origin
// at the lower left, identity model-view; depth test, lighting, blending and texturing off.
void setUpPixelSpace2D();
// Clears the colour and depth buffers to an opaque colour (components 0 to 1).
void clearTo(float r, float g, float b);

class GLTest : public ::testing::Test {
protected:
    void SetUp() override;
};

}  // namespace testsupport
