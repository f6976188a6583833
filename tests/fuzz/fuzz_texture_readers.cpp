// Feeds arbitrary bytes to both texture decoders: no read may leave the buffer, and a decoded
// image always holds exactly width x height x components bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/JpegReader.h"
#include "engine/TgaReader.h"

namespace {

void checkImage(const brx::DecodedImage& image) {
    const size_t expected = size_t(image.width) * image.height * size_t(image.components);
    if (image.pixels.size() != expected) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A private copy of exactly the input's size, so any overread is caught.
    const std::vector<uint8_t> bytes(data, data + size);
    const uint8_t* start = bytes.empty() ? nullptr : bytes.data();
    brx::DecodedImage image;
    if (brx::TgaReader::decode(start, bytes.size(), &image)) checkImage(image);
    brx::DecodedImage picture;
    if (brx::JpegReader::decode(start, bytes.size(), &picture)) checkImage(picture);
    return 0;
}
