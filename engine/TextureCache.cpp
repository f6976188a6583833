#include "engine/TextureCache.h"

#include <GL/gl.h>

#include <string>
#include <utility>

#include "core/ErrorLog.h"
#include "engine/TextureFile.h"

namespace brx {

TextureCache& TextureCache::instance() {
    static TextureCache* const cache = new TextureCache;
    return *cache;
}

OBaseImage* TextureCache::find(const std::string& name) const {
    const auto found = images_.find(name);
    return found == images_.end() ? nullptr : found->second;
}

void TextureCache::insert(const std::string& name, OBaseImage* image) {
    images_[name] = image;
}

void TextureCache::erase(const std::string& name) {
    images_.erase(name);
}

void TextureCache::releaseAll() {
    for (auto& [name, image] : images_) image->releaseTexture();
}

void TextureCache::restoreAll() {
    glEnable(GL_TEXTURE_2D);
    for (auto& [name, image] : images_) {
        if (!image->hasPixels()) {
            DecodedImage decoded;
            std::string problem;
            // Only the rare image that stood in for a file (a test's) has nothing to read.
            if (!TextureFile::decode(name, &decoded, &problem)) {
                BRX_LOG_ERROR("%s; it stays blank", problem.c_str());
                continue;
            }
            image->adopt(std::move(decoded));
        }
        image->upload(OBaseImage::kUploadTexture);
    }
}

}  // namespace brx
