#include "engine/OBaseImage.h"

#include <GL/glu.h>

#include "engine/MipChain.h"

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
        uploadMipmapped();
        minifying = GL_LINEAR_MIPMAP_LINEAR;
    } else {
        glTexImage2D(target_, 0, components_, GLsizei(width_), GLsizei(height_), 0, format_,
                     GL_UNSIGNED_BYTE, pixels_.data());
    }
    glPopClientAttrib();
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minifying);
    mipLevels_.clear();
    mipLevels_.shrink_to_fit();
    if (!keepPixels_) {
        pixels_.clear();
        pixels_.shrink_to_fit();
    }
}

void OBaseImage::uploadMipmapped() {
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    if (!MipChain::fits(width_, height_, uint32_t(maxSide))) {
        gluBuild2DMipmaps(target_, components_, GLint(width_), GLint(height_), format_,
                          GL_UNSIGNED_BYTE, pixels_.data());
        return;
    }
    if (!levelsMatchPixels()) mipLevels_ = MipChain::build(pixels_, width_, height_, components_);
    glTexImage2D(target_, 0, components_, GLsizei(width_), GLsizei(height_), 0, format_,
                 GL_UNSIGNED_BYTE, pixels_.data());
    for (size_t index = 0; index < mipLevels_.size(); ++index) {
        const int level = int(index) + 1;
        glTexImage2D(target_, level, components_, GLsizei(MipChain::levelSide(width_, level)),
                     GLsizei(MipChain::levelSide(height_, level)), 0, format_, GL_UNSIGNED_BYTE,
                     mipLevels_[index].data());
    }
}

bool OBaseImage::levelsMatchPixels() const {
    if (mipLevels_.empty()) return false;
    for (size_t index = 0; index < mipLevels_.size(); ++index) {
        const int level = int(index) + 1;
        const size_t expected = size_t(MipChain::levelSide(width_, level)) *
                                MipChain::levelSide(height_, level) * size_t(components_);
        if (mipLevels_[index].size() != expected) return false;
    }
    return MipChain::levelSide(width_, int(mipLevels_.size())) == 1 &&
           MipChain::levelSide(height_, int(mipLevels_.size())) == 1;
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
    mipLevels_.clear();
}

void OBaseImage::adoptMipLevels(std::vector<std::vector<uint8_t>>&& levels) {
    mipLevels_ = std::move(levels);
}

const std::vector<uint8_t>& OBaseImage::pixels() const {
    if (pixels_.empty()) pixels_ = readTexturePixels();
    return pixels_;
}

std::vector<uint8_t> OBaseImage::readTexturePixels() const {
    if (textureName_ == 0) return {};
    GLint bound = 0, width = 0, height = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glBindTexture(target_, textureName_);
    glGetTexLevelParameteriv(target_, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(target_, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<uint8_t> texels;
    if (uint32_t(width) == width_ && uint32_t(height) == height_) {
        texels.resize(size_t(width_) * height_ * size_t(components_));
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(target_, 0, format_, GL_UNSIGNED_BYTE, texels.data());
        glPopClientAttrib();
    }
    glBindTexture(target_, GLuint(bound));
    return texels;
}

}  // namespace brx
