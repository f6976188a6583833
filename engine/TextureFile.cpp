#include "engine/TextureFile.h"

#include "core/ResourceArchive.h"
#include "engine/JpegReader.h"
#include "engine/TgaReader.h"

namespace brx {
namespace {

constexpr const char* kTextureFolder = "Data/Textures/";

}  // namespace

std::string TextureFile::path(const std::string& name) {
    return kTextureFolder + name;
}

bool TextureFile::isJpeg(const std::string& path) {
    return path.find(".Jpg") != std::string::npos;
}

bool TextureFile::decode(const std::string& name, DecodedImage* image, std::string* problem) {
    const std::string file = path(name);
    std::string readProblem;
    const ResourceBuffer bytes = ResourceArchive::instance().read(file, &readProblem);
    if (!bytes) {
        *problem = "Texture " + file +
                   (readProblem.empty() ? " is not in the archive" : ": " + readProblem);
        return false;
    }
    if (!isJpeg(file)) {
        if (TgaReader::decode(bytes.bytes.get(), bytes.size, image)) return true;
        *problem = "Texture " + file + " is not an uncompressed 8, 24 or 32 bit TGA";
        return false;
    }
    std::string diagnostic;
    const bool decoded = JpegReader::decode(bytes.bytes.get(), bytes.size, image, &diagnostic);
    if (!decoded) {
        *problem = "Texture " + file + " cannot be decoded: " + diagnostic;
    } else if (!diagnostic.empty()) {
        *problem = "Texture " + file + " is damaged: " + diagnostic;
    }
    return decoded;
}

}  // namespace brx
