// One decoded image and its OpenGL texture object. The decoded pixels stay in memory for the
// image's whole life, so the texture object can be deleted and made again from them when the
// rendering context is re-created, without touching the files.
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

    // Creates a texture object from the kept pixels when mode is kUploadTexture (an older
    // object of this image is deleted first). With mipmaps the image is rescaled by GLU as
    // needed; without, its sizes should be powers of two.
    virtual void upload(int mode);
    // Deletes the texture object and forgets its name; the pixels stay.
    void releaseTexture();

    // Takes over decoded pixels, sizes and format.
    void adopt(DecodedImage&& decoded);
    void setMipmaps(bool mipmaps) { mipmaps_ = mipmaps; }

    bool mipmaps() const { return mipmaps_; }
    GLenum format() const { return format_; }
    GLenum target() const { return target_; }
    GLuint textureName() const { return textureName_; }
    bool keepsPixels() const { return keepPixels_; }
    int components() const { return components_; }
    int bytesPerPixel() const { return bytesPerPixel_; }
    int width() const { return int(width_); }
    int height() const { return int(height_); }
    const std::vector<uint8_t>& pixels() const { return pixels_; }

private:
    bool mipmaps_ = true;
    GLenum format_ = GL_RGB;
    GLenum target_ = GL_TEXTURE_2D;
    GLuint textureName_ = 0;
    bool keepPixels_ = true;
    int components_ = 3;
    int bytesPerPixel_ = 3;
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    std::vector<uint8_t> pixels_;
};

}  // namespace brx
