#include "objects/KvClip.h"

#include <GL/gl.h>

#include "core/ErrorLog.h"
#include "objects/BillboardCorners.h"

namespace brx {

std::unique_ptr<KvBaseBound> KvClip::clone() const {
    return std::make_unique<KvClip>(*this);
}

void KvClip::init(const std::string& textureName, int frameWidth, int frameHeight, float size,
                  double frameDurationMs) {
    texture.load(textureName, true);
    layOutFrames(texture.width(), texture.height(), frameWidth, frameHeight, size, frameDurationMs);
}

void KvClip::layOutFrames(int sheetWidth, int sheetHeight, int frameWidth, int frameHeight,
                          float newSize, double newFrameDurationMs) {
    size = newSize;
    frameDurationMs = newFrameDurationMs;
    frame = 0;
    const bool fits =
        frameWidth > 0 && frameHeight > 0 && frameWidth <= sheetWidth && frameHeight <= sheetHeight;
    if (!fits) {
        BRX_LOG_ERROR("Clip %s: frames of %i x %i do not fit a sheet of %i x %i",
                      texture.name().c_str(), frameWidth, frameHeight, sheetWidth, sheetHeight);
        columns = rows = 1;
        frameCount = 0;
        elapsed = -1.0;
        alive = false;
        return;
    }
    columns = sheetWidth / frameWidth;
    rows = sheetHeight / frameHeight;
    frameCount = columns * rows - 1;
    elapsed = 0.0;
}

void KvClip::update(double dtMs) {
    if (frame >= frameCount) {
        if (!loop) {
            elapsed = -1.0;
            alive = false;
            return;
        }
        elapsed = 0.0;
        frame = 0;
    }
    elapsed += dtMs;
    if (elapsed > frameDurationMs) {
        elapsed = 0.0;
        ++frame;
    }
}

void KvClip::frameWindow(float* lowU, float* highU, float* lowV, float* highV) const {
    const int safeRows = rows > 0 ? rows : 1;
    const int safeColumns = columns > 0 ? columns : 1;
    const int a = frame / safeRows;
    const int b = frame % safeRows;
    *lowU = float(a) / float(safeColumns);
    *highU = float(a + 1) / float(safeColumns);
    *lowV = float(b) / float(safeRows);
    *highV = float(b + 1) / float(safeRows);
}

void KvClip::draw() {
    if (elapsed < 0.0) return;
    float lowU, highU, lowV, highV;
    frameWindow(&lowU, &highU, &lowV, &highV);
    texture.bind();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    BillboardCorners::current().drawBillboard(position, size, lowU, highU, lowV, highV);
    glDisable(GL_ALPHA_TEST);
}

}  // namespace brx
