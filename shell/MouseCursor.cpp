#include "shell/MouseCursor.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/TextureFile.h"
#include "platform/Platform.h"

namespace brx {
namespace {

constexpr int kRgba = 4;

// The source pixels one output pixel of a box filter covers along one axis: first index and
// the weight (coverage) of each.
struct Span {
    int first = 0;
    std::vector<double> weights;
};

std::vector<Span> boxSpans(int sourceLength, int outputLength) {
    std::vector<Span> spans(static_cast<size_t>(outputLength));
    const double scale = double(sourceLength) / double(outputLength);
    for (int out = 0; out < outputLength; ++out) {
        const double begin = out * scale;
        const double end = begin + scale;
        Span& span = spans[size_t(out)];
        span.first = int(begin);
        for (int at = span.first; at < sourceLength && at < end; ++at)
            span.weights.push_back(std::min(end, at + 1.0) - std::max(begin, double(at)));
    }
    return spans;
}

// One source pixel as RGBA, whatever the image's component count.
void sourceRgba(const DecodedImage& image, int x, int row, double out[kRgba]) {
    const int components = image.components;
    const uint8_t* pixel =
        image.pixels.data() + (size_t(row) * size_t(image.width) + size_t(x)) * components;
    for (int channel = 0; channel < 3; ++channel)
        out[channel] = pixel[components >= 3 ? channel : 0];
    out[3] = components == 4 ? pixel[3] : 255.0;
}

}  // namespace

MouseCursor::MouseCursor(std::string textureName) : textureName_(std::move(textureName)) {}

MouseCursor::~MouseCursor() {
    dropPointer();
}

void MouseCursor::load() {
    texture_.load(textureName_, true);
}

int MouseCursor::sideFor(int windowHeight) {
    return std::max(1, int(std::lround(float(windowHeight) / kReferenceHeight * kSidePixels)));
}

std::vector<uint8_t> MouseCursor::pointerPicture(const DecodedImage& image, int side) {
    const int width = int(image.width), height = int(image.height);
    const size_t needed = size_t(width) * size_t(height) * size_t(image.components);
    if (side <= 0 || width <= 0 || height <= 0 || image.pixels.size() < needed) return {};
    const std::vector<Span> columns = boxSpans(width, side);
    const std::vector<Span> rows = boxSpans(height, side);
    std::vector<uint8_t> picture(size_t(side) * size_t(side) * kRgba);
    for (int outY = 0; outY < side; ++outY) {
        // Images keep their bottom row first; the pointer's picture starts at the top.
        const Span& rowSpan = rows[size_t(side - 1 - outY)];
        for (int outX = 0; outX < side; ++outX) {
            const Span& columnSpan = columns[size_t(outX)];
            double sum[kRgba] = {0, 0, 0, 0}, area = 0.0;
            for (size_t j = 0; j < rowSpan.weights.size(); ++j) {
                for (size_t i = 0; i < columnSpan.weights.size(); ++i) {
                    double rgba[kRgba];
                    sourceRgba(image, columnSpan.first + int(i), rowSpan.first + int(j), rgba);
                    const double weight = rowSpan.weights[j] * columnSpan.weights[i];
                    for (int c = 0; c < kRgba; ++c) sum[c] += rgba[c] * weight;
                    area += weight;
                }
            }
            uint8_t* out = &picture[(size_t(outY) * size_t(side) + size_t(outX)) * kRgba];
            for (int c = 0; c < kRgba; ++c) out[c] = uint8_t(std::lround(sum[c] / area));
        }
    }
    return picture;
}

bool MouseCursor::makePointer(int windowHeight) {
    const int side = sideFor(windowHeight);
    if (side == pointerSide_) return true;
    if (!texture_) return false;
    // The texture has let go of its decoded pixels: the picture is read again (it is small).
    DecodedImage decoded;
    std::string problem;
    if (!TextureFile::decode(textureName_, &decoded, &problem)) return false;
    const std::vector<uint8_t> picture = pointerPicture(decoded, side);
    if (picture.empty() || !platform::setColorCursor(picture.data(), side, side, 0, 0)) {
        dropPointer();
        return false;
    }
    pointerSide_ = side;
    return true;
}

void MouseCursor::dropPointer() {
    if (pointerSide_ == 0) return;
    platform::clearColorCursor();
    pointerSide_ = 0;
}

void MouseCursor::moveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void MouseCursor::draw(int windowHeight) const {
    if (!texture_ || isPointer()) return;
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
