// One decoded image and its OpenGL texture object.
//
// Design note: the decoded pixels are let go once they are uploaded (unless the image is told to
// keep them): the driver holds its own copy, and a second one for every texture of the game
// would only weigh on memory. When the rendering context is re-created, the texture cache has
// the file decoded anew (a few milliseconds per picture, once per display-mode change).
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "engine/DecodedImage.h"
#include "engine/RCObject.h"

namespace brx {

class OBaseImage : public RCObject {
public:
    // The only upload mode that creates a texture object; other modes do nothing.
    static constexpr int kUploadTexture = 1;

    OBaseImage() = default;
    // Frees the pixels, then deletes the texture object if there is one.
    ~OBaseImage() override;

    // Creates a texture object from the pixels when mode is kUploadTexture (an older object of
    // this image is deleted first), then lets go of the pixels unless told to keep them. With
    // mipmaps, levels made beforehand are used, else made here (GLU rescales images whose
    // sides are not powers of two); without, the sizes should be powers of two.
    virtual void upload(int mode);
    // Deletes the texture object and forgets its name; the pixels stay.
    void releaseTexture();

    // Takes over decoded pixels, sizes and format (forgetting levels made for earlier pixels).
    void adopt(DecodedImage&& decoded);
    // Takes over mipmap levels 1, 2, ... made beforehand for the adopted pixels.
    void adoptMipLevels(std::vector<std::vector<uint8_t>>&& levels);
    void setMipmaps(bool mipmaps) { mipmaps_ = mipmaps; }
    // Whether the pixels stay after an upload (they are freed by default).
    void setKeepPixels(bool keep) { keepPixels_ = keep; }

    bool mipmaps() const { return mipmaps_; }
    GLenum format() const { return format_; }
    GLenum target() const { return target_; }
    GLuint textureName() const { return textureName_; }
    bool keepsPixels() const { return keepPixels_; }
    int components() const { return components_; }
    int bytesPerPixel() const { return bytesPerPixel_; }
    int width() const { return int(width_); }
    int height() const { return int(height_); }
    // The decoded pixels. Once let go after the upload, the first asking reads them back from
    // the texture (a rare need: measuring the font's glyphs) and keeps them; empty without
    // either.
    const std::vector<uint8_t>& pixels() const;
    // Whether the decoded pixels are in memory now.
    bool hasPixels() const { return !pixels_.empty(); }
    // Level 0 of the texture as uploaded, read back from the driver; empty without a texture
    // or when the driver holds it at another size (GLU rescaled it).
    std::vector<uint8_t> readTexturePixels() const;

private:
    // Uploads level 0 and the mipmap levels (made here when none were handed over), or lets
    // GLU build them where they cannot be made here.
    void uploadMipmapped();
    // True when the levels handed over fit the pixels: every level of the right size, down to
    // 1 x 1.
    bool levelsMatchPixels() const;
    bool mipmaps_ = true;
    GLenum format_ = GL_RGB;
    GLenum target_ = GL_TEXTURE_2D;
    GLuint textureName_ = 0;
    bool keepPixels_ = false;
    int components_ = 3;
    int bytesPerPixel_ = 3;
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    mutable std::vector<uint8_t> pixels_;          // read back on demand once let go
    std::vector<std::vector<uint8_t>> mipLevels_;  // levels 1... made ahead; freed by upload
};

}  // namespace brx
