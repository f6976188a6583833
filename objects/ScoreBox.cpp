#include "objects/ScoreBox.h"

#include <GL/gl.h>

#include <algorithm>

namespace brx {

ScoreBox::ScoreBox(int32_t shadowMode) : Box(shadowMode) {
    colour = kNoColour;
}

ScoreBox::ScoreBox(const ScoreBox& other) : Box(other) {}

std::unique_ptr<Box> ScoreBox::cloneBox() const {
    return std::make_unique<ScoreBox>(*this);
}

void ScoreBox::draw() {
    if (scale < kVanishScale) return;
    scale -= frameTime * kShrinkPerMs;
    // A long frame could take the scale below zero, which would turn the block inside out.
    const float drawn = float(std::max(scale, 0.0));
    glPushMatrix();
    glMultMatrixf(frame.data());
    glScalef(drawn, drawn, drawn);
    callList();
    glPopMatrix();
}

}  // namespace brx
