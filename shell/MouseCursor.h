// The game's own pointer, from the picture "Cursor.Tga": its top-left corner is the pointer
// position. Where the platform can make a colour pointer from the picture, the pointer is that
// and moves without any drawing by the game (it never lags a frame, and moving it costs no
// frame); where it cannot, the picture is drawn as a textured square last in every frame and
// the system pointer stays hidden.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/DecodedImage.h"
#include "engine/TextureRef.h"

namespace brx {

class MouseCursor {
public:
    // Side of the cursor square at a window height of kReferenceHeight (pixels).
    static constexpr float kSidePixels = 64.0f;
    static constexpr float kReferenceHeight = 1024.0f;

    explicit MouseCursor(std::string textureName);
    // Drops the colour pointer, if it made one.
    ~MouseCursor();
    MouseCursor(const MouseCursor&) = delete;
    MouseCursor& operator=(const MouseCursor&) = delete;

    // Loads the cursor texture with mipmaps; throws OFileNotFound when it is missing.
    void load();
    // Makes the platform's colour pointer from the picture at the size the drawn square has at
    // this window height (pixels); false when the platform cannot, and the cursor is drawn.
    bool makePointer(int windowHeight);
    // Goes back to the drawn cursor.
    void dropPointer();
    // True while the platform's colour pointer shows the cursor (draw() then draws nothing).
    bool isPointer() const { return pointerSide_ > 0; }
    // Moves the cursor to a pointer position (client pixels, y downwards).
    void moveTo(int x, int y);
    // Draws the cursor in a 2D projection of the window (pixels, y upwards), unless the
    // platform's pointer shows it.
    void draw(int windowHeight) const;

    int x() const { return x_; }
    int y() const { return y_; }
    const std::string& textureName() const { return textureName_; }

    // Side of the cursor square at a window height (pixels, at least 1).
    static int sideFor(int windowHeight);
    // The picture as a side x side RGBA pointer image, top row first, each pixel the average
    // of the image's pixels it covers; empty for an image without pixels.
    static std::vector<uint8_t> pointerPicture(const DecodedImage& image, int side);

private:
    std::string textureName_;
    TextureRef texture_;
    int pointerSide_ = 0;  // side of the colour pointer made; 0 while drawn
    int x_ = 0;
    int y_ = 0;
};

}  // namespace brx
