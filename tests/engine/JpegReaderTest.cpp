#include "engine/JpegReader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/Random.h"
#include "tests/support/TestImages.h"

namespace brx {
namespace {

using testsupport::encodeJpeg;

// Decodes from a heap buffer of exactly the file's size, so AddressSanitizer sees any read
// past the end.
bool decodeExact(const std::string& file, DecodedImage* image, std::string* diagnostic = nullptr) {
    std::vector<uint8_t> bytes(file.begin(), file.end());
    return JpegReader::decode(bytes.empty() ? nullptr : bytes.data(), bytes.size(), image,
                              diagnostic);
}

// Pixels of width x height split into a top half and a bottom half of two solid colours.
std::vector<uint8_t> twoBands(int width, int height, std::vector<uint8_t> top,
                              std::vector<uint8_t> bottom) {
    std::vector<uint8_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.insert(pixels.end(), y < height / 2 ? top.begin() : bottom.begin(),
                          y < height / 2 ? top.end() : bottom.end());
    return pixels;
}

void expectPixelNear(const DecodedImage& image, int x, int y, std::vector<int> expected) {
    const size_t at = (size_t(y) * image.width + size_t(x)) * size_t(image.components);
    for (size_t c = 0; c < expected.size(); ++c)
        EXPECT_NEAR(int(image.pixels[at + c]), expected[c], 6) << "pixel " << x << "," << y;
}

TEST(JpegReader, ColourDecodesAsRgbWithTheTopRowFirst) {
    const std::string file = encodeJpeg(twoBands(32, 16, {250, 10, 10}, {10, 10, 250}), 32, 16, 3);
    DecodedImage image;
    std::string diagnostic;
    ASSERT_TRUE(decodeExact(file, &image, &diagnostic));
    EXPECT_TRUE(diagnostic.empty()) << diagnostic;
    EXPECT_EQ(image.width, 32u);
    EXPECT_EQ(image.height, 16u);
    EXPECT_EQ(image.format, GLenum(GL_RGB));
    EXPECT_EQ(image.components, 3);
    EXPECT_EQ(image.bytesPerPixel, 24);
    ASSERT_EQ(image.pixels.size(), 32u * 16u * 3u);
    expectPixelNear(image, 5, 2, {250, 10, 10});
    expectPixelNear(image, 5, 13, {10, 10, 250});
}

TEST(JpegReader, GreyscaleDecodesAsLuminance) {
    const std::string file = encodeJpeg(twoBands(17, 9, {200}, {40}), 17, 9, 1);
    DecodedImage image;
    ASSERT_TRUE(decodeExact(file, &image));
    EXPECT_EQ(image.format, GLenum(GL_LUMINANCE));
    EXPECT_EQ(image.components, 1);
    ASSERT_EQ(image.pixels.size(), 17u * 9u);
    expectPixelNear(image, 3, 1, {200});
    expectPixelNear(image, 3, 8, {40});
}

TEST(JpegReader, CmykIsConvertedToRgbWithinThePixelBuffer) {
    // Inverted CMYK (Adobe style): magenta ink on top, a half-dark grey below.
    const std::string file =
        encodeJpeg(twoBands(24, 8, {255, 0, 255, 255}, {255, 255, 255, 128}), 24, 8, 4);
    DecodedImage image;
    ASSERT_TRUE(decodeExact(file, &image));
    EXPECT_EQ(image.format, GLenum(GL_RGB));
    EXPECT_EQ(image.components, 3);
    ASSERT_EQ(image.pixels.size(), 24u * 8u * 3u);
    expectPixelNear(image, 4, 1, {255, 0, 255});
    expectPixelNear(image, 4, 6, {128, 128, 128});
}

TEST(JpegReader, AFileCutInItsScanDataShowsWhatWasDecoded) {
    const std::string whole =
        encodeJpeg(twoBands(32, 32, {250, 250, 250}, {10, 10, 10}), 32, 32, 3);
    const size_t scan = whole.find("\xFF\xDA");
    ASSERT_NE(scan, std::string::npos);
    DecodedImage image;
    std::string diagnostic;
    ASSERT_TRUE(
        decodeExact(whole.substr(0, scan + (whole.size() - scan) / 2), &image, &diagnostic));
    EXPECT_EQ(diagnostic, "Premature end of JPEG file");
    ASSERT_EQ(image.pixels.size(), 32u * 32u * 3u);
    expectPixelNear(image, 2, 2, {250, 250, 250});
}

TEST(JpegReader, EveryTruncationEndsAndStaysInsideTheBuffers) {
    for (const bool progressive : {false, true}) {
        const std::string whole =
            encodeJpeg(testsupport::patternPixels(40, 24, 3, 5), 40, 24, 3, 80, progressive);
        for (size_t length = 0; length < whole.size(); length += 7) {
            DecodedImage image;
            std::string diagnostic;
            if (decodeExact(whole.substr(0, length), &image, &diagnostic)) {
                // What was decoded is shown; the damage is reported.
                EXPECT_EQ(image.pixels.size(), 40u * 24u * 3u);
                EXPECT_FALSE(diagnostic.empty()) << "length " << length;
            }
        }
    }
}

TEST(JpegReader, DamagedFilesFailOrDecodeButNeverEndTheProcess) {
    const std::string whole = encodeJpeg(testsupport::patternPixels(48, 32, 3, 9), 48, 32, 3);
    seedRandom(2024);
    int failed = 0;
    for (int round = 0; round < 300; ++round) {
        std::string damaged = whole;
        const int flips = random(1, 8);
        for (int i = 0; i < flips; ++i)
            damaged[size_t(random(0, int(damaged.size()) - 1))] = char(random(0, 255));
        DecodedImage image;
        if (!decodeExact(damaged, &image)) {
            ++failed;
        } else {
            EXPECT_EQ(image.pixels.size(), size_t(image.width) * image.height * 3);
        }
    }
    EXPECT_GT(failed, 0) << "some damage must be fatal to the library";
}

TEST(JpegReader, RefusesWhatIsNoPicture) {
    DecodedImage image;
    std::string diagnostic;
    EXPECT_FALSE(decodeExact("", &image));
    EXPECT_FALSE(decodeExact("this is no jpeg file at all", &image, &diagnostic));
    EXPECT_FALSE(diagnostic.empty());
    // Start and end markers with nothing between.
    EXPECT_FALSE(decodeExact(std::string("\xFF\xD8\xFF\xD9", 4), &image));
}

TEST(JpegReader, RefusesSizesBeyondTheLimitsBeforeAllocating) {
    std::string file = encodeJpeg(testsupport::patternPixels(8, 8, 3, 1), 8, 8, 3);
    const size_t frame = file.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    // Height and width follow the marker, the length and the precision: 60000 x 60000.
    file[frame + 5] = char(0xEA);
    file[frame + 6] = char(0x60);
    file[frame + 7] = char(0xEA);
    file[frame + 8] = char(0x60);
    DecodedImage image;
    EXPECT_FALSE(decodeExact(file, &image));
}

}  // namespace
}  // namespace brx
