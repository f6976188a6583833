#include "engine/TgaReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/TestImages.h"

namespace brx {
namespace {

using testsupport::makeTga;

// Decodes from a heap buffer of exactly the file's size, so AddressSanitizer sees any read
// past the end.
bool decodeExact(const std::string& file, DecodedImage* image) {
    std::vector<uint8_t> bytes(file.begin(), file.end());
    return TgaReader::decode(bytes.empty() ? nullptr : bytes.data(), bytes.size(), image);
}

TEST(TgaReader, TrueColourBecomesRgbOrRgbaInFileRowOrder) {
    // Two rows of two pixels, B G R A in the file; the first file row is the bottom row.
    const std::vector<uint8_t> bgra = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    DecodedImage rgba;
    ASSERT_TRUE(decodeExact(makeTga(2, 32, 2, 2, bgra), &rgba));
    EXPECT_EQ(rgba.width, 2u);
    EXPECT_EQ(rgba.height, 2u);
    EXPECT_EQ(rgba.format, GLenum(GL_RGBA));
    EXPECT_EQ(rgba.components, 4);
    EXPECT_EQ(rgba.bytesPerPixel, 4);
    EXPECT_EQ(rgba.pixels,
              (std::vector<uint8_t>{3, 2, 1, 4, 7, 6, 5, 8, 11, 10, 9, 12, 15, 14, 13, 16}));

    DecodedImage odd;  // an odd pixel count: the last pixel has no partner
    ASSERT_TRUE(decodeExact(makeTga(2, 32, 3, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), &odd));
    EXPECT_EQ(odd.pixels, (std::vector<uint8_t>{3, 2, 1, 4, 7, 6, 5, 8, 11, 10, 9, 12}));

    const std::vector<uint8_t> bgr = {1, 2, 3, 4, 5, 6, 7, 8, 9};  // 3 x 1: rows not 4-aligned
    DecodedImage rgb;
    ASSERT_TRUE(decodeExact(makeTga(2, 24, 3, 1, bgr), &rgb));
    EXPECT_EQ(rgb.format, GLenum(GL_RGB));
    EXPECT_EQ(rgb.components, 3);
    EXPECT_EQ(rgb.pixels, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4, 9, 8, 7}));
}

TEST(TgaReader, GreyscaleStaysAsStored) {
    const std::vector<uint8_t> grey = {10, 20, 30, 40, 50, 60};
    DecodedImage image;
    ASSERT_TRUE(decodeExact(makeTga(3, 8, 3, 2, grey) + "trailing bytes are ignored", &image));
    EXPECT_EQ(image.format, GLenum(GL_LUMINANCE));
    EXPECT_EQ(image.components, 1);
    EXPECT_EQ(image.bytesPerPixel, 1);
    EXPECT_EQ(image.pixels, grey);
}

TEST(TgaReader, RefusesKindsTheGameDoesNotShip) {
    const std::vector<uint8_t> pixels(4 * 4 * 4, 0x80);
    std::vector<std::pair<const char*, std::string>> refused = {
        {"16-bit true colour", makeTga(2, 16, 2, 2, pixels)},
        {"8-bit true colour", makeTga(2, 8, 2, 2, pixels)},
        {"16-bit greyscale", makeTga(3, 16, 2, 2, pixels)},
        {"32-bit greyscale", makeTga(3, 32, 2, 2, pixels)},
        {"run-length true colour", makeTga(10, 24, 2, 2, pixels)},
        {"colour-mapped", makeTga(1, 8, 2, 2, pixels)},
    };
    std::string withId = makeTga(2, 24, 2, 2, pixels);
    withId[0] = 4;  // image-ID length
    refused.emplace_back("image-ID field", withId);
    std::string withMap = makeTga(2, 24, 2, 2, pixels);
    withMap[1] = 1;  // colour map present
    refused.emplace_back("colour map on true colour", withMap);
    std::string withOrigin = makeTga(2, 24, 2, 2, pixels);
    withOrigin[10] = 1;  // y origin
    refused.emplace_back("non-zero origin", withOrigin);

    for (const auto& [what, file] : refused) {
        DecodedImage image;
        image.width = 77;
        EXPECT_FALSE(decodeExact(file, &image)) << what;
        EXPECT_EQ(image.width, 77u) << what << ": a failed decode leaves the image untouched";
    }
}

TEST(TgaReader, EveryShortenedFileFailsWithoutReadingPastIt) {
    const std::string whole = makeTga(2, 32, 3, 3, testsupport::patternPixels(3, 3, 4, 1));
    DecodedImage image;
    ASSERT_TRUE(decodeExact(whole, &image));
    for (size_t length = 0; length < whole.size(); ++length) {
        EXPECT_FALSE(decodeExact(whole.substr(0, length), &image)) << "length " << length;
    }
}

TEST(TgaReader, RefusesEmptyAndOversizedImages) {
    DecodedImage image;
    EXPECT_FALSE(decodeExact(makeTga(2, 24, 0, 4, {}), &image));
    EXPECT_FALSE(decodeExact(makeTga(2, 24, 4, 0, {}), &image));
    // The largest sizes a header can announce, over a file holding a few bytes.
    EXPECT_FALSE(decodeExact(makeTga(2, 32, 65535, 65535, {1, 2, 3, 4}), &image));
    EXPECT_FALSE(decodeExact(makeTga(3, 8, 65535, 1, std::vector<uint8_t>(1000)), &image));
    EXPECT_FALSE(TgaReader::decode(nullptr, 100, &image));
}

}  // namespace
}  // namespace brx
