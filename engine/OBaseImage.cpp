#include "engine/OBaseImage.h"

#include <GL/glu.h>

namespace brx {

OBaseImage::~OBaseImage() {
    pixels_.clear();
    pixels_.shrink_to_fit();
    releaseTexture();
}

void OBaseImage::upload(int mode) {
    if (mode != kUploadTexture || pixels_.empty()) return;
    releaseTexture();
    glGenTextures(1, &textureName_);
    glBindTexture(target_, textureName_);
    // Rows are tightly packed; OpenGL's default 4-byte row alignment would read past the end
    // of an RGB or greyscale image whose row length is not a multiple of four.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLfloat minifying = GL_LINEAR;
    if (mipmaps_) {
        gluBuild2DMipmaps(target_, components_, GLint(width_), GLint(height_), format_,
                          GL_UNSIGNED_BYTE, pixels_.data());
        minifying = GL_LINEAR_MIPMAP_LINEAR;
    } else {
        glTexImage2D(target_, 0, components_, GLsizei(width_), GLsizei(height_), 0, format_,
                     GL_UNSIGNED_BYTE, pixels_.data());
    }
    glPopClientAttrib();
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minifying);
}

void OBaseImage::releaseTexture() {
    if (textureName_ == 0) return;
    glDeleteTextures(1, &textureName_);
    textureName_ = 0;
}

void OBaseImage::adopt(DecodedImage&& decoded) {
    format_ = decoded.format;
    components_ = decoded.components;
    bytesPerPixel_ = decoded.bytesPerPixel;
    width_ = decoded.width;
    height_ = decoded.height;
    pixels_ = std::move(decoded.pixels);
}

}  // namespace brx
