// A sprite-sheet animation shown as one camera-facing sprite. Frames are laid out column by
// column: frame f sits in column f / rows, row f % rows of the sheet. A clip plays once and then
// asks to be deleted (loop is never set by the game).
#pragma once

#include "objects/KvBaseBound.h"

namespace brx {

class KvClip : public KvBaseBound {
public:
    // A new clip copied from this one (shares the sheet).
    std::unique_ptr<KvBaseBound> clone() const override;
    // Loads the sheet (mipmaps) and lays out its frames; throws OFileNotFound when it is
    // missing.
    void init(const std::string& textureName, int frameWidth, int frameHeight, float size,
              double frameDurationMs);
    // Lays out the frames of a sheet of the given pixel size and starts at frame 0. A frame
    // size that is not positive or does not fit the sheet is logged and ends the clip at once.
    void layOutFrames(int sheetWidth, int sheetHeight, int frameWidth, int frameHeight, float size,
                      double frameDurationMs);
    // Steps to the next frame each time more than the frame duration has passed (the excess
    // is dropped); after the last frame the clip stops (elapsed -1) and asks to be deleted.
    void update(double dtMs) override;
    // The current frame as a billboard of half width size at position; nothing once stopped.
    void draw() override;

    // The texture window of the current frame: u and v ranges within 0..1.
    void frameWindow(float* lowU, float* highU, float* lowV, float* highV) const;

    bool loop = false;
    int columns = 0;
    int rows = 0;
    int frameCount = 0;  // index of the last frame
    int frame = 0;
    float size = 0.0f;  // half width (units)
    double frameDurationMs = 0.0;
};

}  // namespace brx
