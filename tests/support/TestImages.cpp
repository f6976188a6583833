#include "tests/support/TestImages.h"

#include <cstdio>  // jpeglib.h needs FILE declared before it
#include <cstdlib>

#include <jpeglib.h>

namespace testsupport {

std::string makeTga(uint8_t imageType, uint8_t bitsPerPixel, uint16_t width, uint16_t height,
                    const std::vector<uint8_t>& filePixels) {
    std::string file(18, '\0');
    file[2] = char(imageType);
    file[12] = char(width & 0xFF);
    file[13] = char(width >> 8);
    file[14] = char(height & 0xFF);
    file[15] = char(height >> 8);
    file[16] = char(bitsPerPixel);
    file.append(filePixels.begin(), filePixels.end());
    return file;
}

std::vector<uint8_t> patternPixels(int width, int height, int components, uint32_t seed) {
    std::vector<uint8_t> pixels(size_t(width) * size_t(height) * size_t(components));
    uint32_t noise = seed;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < components; ++c) {
                noise = noise * 1664525u + 1013904223u;
                const int smooth = (x * (c + 1) + y * (3 - c % 3)) & 0xFF;
                pixels[(size_t(y) * size_t(width) + size_t(x)) * size_t(components) + size_t(c)] =
                    uint8_t((smooth + int(noise >> 28)) & 0xFF);
            }
        }
    }
    return pixels;
}

std::string encodeJpeg(const std::vector<uint8_t>& pixels, int width, int height, int components,
                       int quality, bool progressive) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    const size_t rowBytes = size_t(width) * size_t(components);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(pixels.data()) + cinfo.next_scanline * rowBytes;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string file(reinterpret_cast<const char*>(out), outSize);
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return file;
}

}  // namespace testsupport
