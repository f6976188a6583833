#include "engine/TextureRef.h"

#include <GL/gl.h>

#include <utility>

#include "core/ErrorLog.h"
#include "engine/OException.h"
#include "engine/TextureCache.h"
#include "engine/TextureFile.h"
#include "engine/TexturePrefetch.h"

namespace brx {
namespace {

// The picture of a name: from the start-up worker when it has decoded it, else read and decoded
// here. Problems are logged; false when there is no picture.
bool obtainPicture(const std::string& name, TexturePrefetch::Picture* picture) {
    const bool prefetched = TexturePrefetch::instance().take(name, picture);
    if (!prefetched && !TextureFile::decode(name, &picture->image, &picture->problem)) {
        BRX_LOG_ERROR("%s", picture->problem.c_str());
        return false;
    }
    if (!picture->problem.empty()) BRX_LOG_ERROR("%s", picture->problem.c_str());
    return true;
}

}  // namespace

TextureRef::TextureRef(const TextureRef& other) : image_(other.image_), name_(other.name_) {
    if (image_) image_->addRef();
}

TextureRef::TextureRef(TextureRef&& other) noexcept
    : image_(std::exchange(other.image_, nullptr)), name_(std::move(other.name_)) {}

TextureRef& TextureRef::operator=(TextureRef other) noexcept {
    std::swap(image_, other.image_);
    std::swap(name_, other.name_);
    return *this;
}

TextureRef::~TextureRef() {
    release();
}

void TextureRef::load(const std::string& name, bool mipmaps) {
    release();
    name_ = name;
    TextureCache& cache = TextureCache::instance();
    if (OBaseImage* cached = cache.find(name)) {
        image_ = cached;
        image_->addRef();
        return;
    }
    const std::string path = TextureFile::path(name);
    if (!TextureFile::isJpeg(path)) glEnable(GL_TEXTURE_2D);
    TexturePrefetch::Picture picture;
    if (!obtainPicture(name, &picture)) throw OFileNotFound(path);

    auto* image = new OBaseImage;
    image->setMipmaps(mipmaps);
    image->adopt(std::move(picture.image));
    image->adoptMipLevels(std::move(picture.mipLevels));
    image->upload(OBaseImage::kUploadTexture);
    image->addRef();
    cache.insert(name, image);
    image_ = image;
}

void TextureRef::release() {
    if (image_ != nullptr) {
        TextureCache& cache = TextureCache::instance();
        const bool cached = cache.find(name_) == image_;
        OBaseImage* image = std::exchange(image_, nullptr);
        if (image->release() && cached) cache.erase(name_);
    }
    name_.clear();
}

void TextureRef::bind() const {
    if (image_ != nullptr && image_->textureName() != 0)
        glBindTexture(image_->target(), image_->textureName());
}

void TextureRef::draw(float x, float y, bool asPixels) const {
    if (image_ == nullptr) return;
    bind();
    if (asPixels) {
        drawPixels(x, y);
    } else {
        drawQuad(x, y);
    }
}

void TextureRef::drawQuad(float x, float y) const {
    const auto width = float(image_->width());
    const auto height = float(image_->height());
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    // The corners start at 1, not 0: screens place their art with that offset.
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(1.0f, 1.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(width, 1.0f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(width, height, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(1.0f, height, 0.0f);
    glEnd();
    glPopMatrix();
}

void TextureRef::drawPixels(float x, float y) const {
    const std::vector<uint8_t>& texels = image_->pixels();
    if (texels.empty()) return;
    glRasterPos2i(int(x), int(y));
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glDrawPixels(image_->width(), image_->height(), image_->format(), GL_UNSIGNED_BYTE,
                 texels.data());
    glPopClientAttrib();
}

}  // namespace brx
