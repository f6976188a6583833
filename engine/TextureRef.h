// The handle every drawing object holds by value. Copies share the image and count as holders;
// the last holder to go deletes the image and erases its cache entry.
#pragma once

#include <string>

#include "engine/OBaseImage.h"

namespace brx {

class TextureRef {
public:
    // The folder, inside the archive, that texture names are relative to.
    static constexpr const char* kTextureFolder = "Data/Textures/";

    TextureRef() = default;
    TextureRef(const TextureRef& other);
    TextureRef(TextureRef&& other) noexcept;
    TextureRef& operator=(TextureRef other) noexcept;
    ~TextureRef();

    // Takes the image named relative to "Data/Textures/" from the cache, or reads, decodes and
    // uploads it (".Jpg" anywhere in the path selects the JPEG reader, anything else TGA).
    // mipmaps only counts for the first load of a name. Throws OFileNotFound when the file is
    // missing or cannot be decoded; the handle is then left empty.
    void load(const std::string& name, bool mipmaps);
    // Lets go of the image (the last holder deletes it) and leaves the handle empty.
    void release();

    // Binds the texture object, if the handle holds an image that has one.
    void bind() const;
    // Draws the whole image with its lower-left corner at (x, y) in the current 2D space: a
    // textured quad in opaque white, or with asPixels the kept pixels copied to the raster.
    void draw(float x, float y, bool asPixels = false) const;

    explicit operator bool() const { return image_ != nullptr; }
    const OBaseImage* image() const { return image_; }
    const std::string& name() const { return name_; }
    // Image size in pixels, 0 while the handle is empty.
    int width() const { return image_ ? image_->width() : 0; }
    int height() const { return image_ ? image_->height() : 0; }

private:
    void drawQuad(float x, float y) const;
    void drawPixels(float x, float y) const;

    OBaseImage* image_ = nullptr;
    std::string name_;
};

}  // namespace brx
