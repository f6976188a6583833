#include "tools/art/PngWriter.h"

#include <png.h>

namespace brx::tools {

bool PngWriter::save(const Image& image, const std::string& path) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(image.width());
    png.height = png_uint_32(image.height());
    png.format = PNG_FORMAT_RGBA;
    const std::vector<uint8_t> bytes = image.rgba8();
    const int ok = png_image_write_to_file(&png, path.c_str(), 0, bytes.data(),
                                           png_int_32(image.width() * 4), nullptr);
    png_image_free(&png);
    return ok != 0;
}

}  // namespace brx::tools
