// Reading and decoding one texture file of the archive, the same on every thread: the loader of
// the main thread, the start-up worker that decodes ahead, and the restoring of textures after a
// new rendering context. Nothing is logged here; the caller reports what went wrong.
#pragma once

#include <string>

#include "engine/DecodedImage.h"

namespace brx {

class TextureFile {
public:
    // The archive path of a texture name: "Data/Textures/" + name.
    static std::string path(const std::string& name);
    // Only the exact spelling ".Jpg" anywhere in the path selects the JPEG reader; every other
    // name is read as TGA.
    static bool isJpeg(const std::string& path);
    // Reads the named texture (relative to "Data/Textures/") and decodes it into *image. False
    // when the file is missing or cannot be decoded; *problem then says why, and it also says so
    // when a damaged JPEG still decoded as far as it could (the result is then true).
    static bool decode(const std::string& name, DecodedImage* image, std::string* problem);
};

}  // namespace brx
