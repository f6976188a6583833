// The game's own pointer: a textured square drawn last in every frame with its top-left corner
// at the pointer position. The system pointer is hidden while the game runs.
#pragma once

#include <string>

#include "engine/TextureRef.h"

namespace brx {

class MouseCursor {
public:
    // Side of the cursor square at a window height of kReferenceHeight (pixels).
    static constexpr float kSidePixels = 64.0f;
    static constexpr float kReferenceHeight = 1024.0f;

    explicit MouseCursor(std::string textureName);

    // Loads the cursor texture with mipmaps; throws OFileNotFound when it is missing.
    void load();
    // Moves the cursor to a pointer position (client pixels, y downwards).
    void moveTo(int x, int y);
    // Draws the cursor in a 2D projection of the window (pixels, y upwards).
    void draw(int windowHeight) const;

    int x() const { return x_; }
    int y() const { return y_; }
    const std::string& textureName() const { return textureName_; }

private:
    std::string textureName_;
    TextureRef texture_;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace brx
