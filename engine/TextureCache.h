// The process-wide map from texture name to decoded image. The map holds no reference of its
// own: an entry lives exactly as long as some TextureRef holds its image, and the last
// TextureRef to let go erases it.
//
// Design note: the instance is created on first use and never destroyed, so TextureRefs that
// live in static storage may still release into it while the process exits.
#pragma once

#include <map>
#include <string>

#include "engine/OBaseImage.h"

namespace brx {

class TextureCache {
public:
    // The process-wide cache, created on first use.
    static TextureCache& instance();

    // The image loaded under the exact name (case-sensitive), or null.
    OBaseImage* find(const std::string& name) const;
    // Records the image under the name, replacing any older entry.
    void insert(const std::string& name, OBaseImage* image);
    // Forgets the name; the image is not touched.
    void erase(const std::string& name);

    // Deletes every image's texture object (before the rendering context goes away).
    void releaseAll();
    // Enables texturing and makes every image's texture object anew (once the new context is
    // current), decoding its file again where the image let go of its pixels.
    void restoreAll();

    size_t size() const { return images_.size(); }
    const std::map<std::string, OBaseImage*>& images() const { return images_; }

private:
    TextureCache() = default;

    std::map<std::string, OBaseImage*> images_;
};

}  // namespace brx
