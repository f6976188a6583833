// The desktop icons: every installed size drawn at that size, shaped as a rounded plate that
// leaves the corners clear, with the splash's five block colours readable even at 16 pixels,
// and written where the hicolor theme expects them.
#include "tools/art/IconArt.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "tests/support/TempDir.h"
#include "tools/art/ArtGenerator.h"

namespace brx::tools {
namespace {

struct Hues {
    int red = 0, blue = 0, green = 0, yellow = 0;
};

Hues countHues(const Image& image) {
    Hues h;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Colour& c = image.at(x, y);
            if (c.a < 0.9f) continue;
            h.red += c.r > 0.6f && c.g < 0.35f && c.b < 0.35f;
            h.blue += c.b > 0.6f && c.r < 0.35f && c.g < 0.55f;
            h.green += c.g > 0.55f && c.r < 0.35f && c.b < 0.35f;
            h.yellow += c.r > 0.7f && c.g > 0.6f && c.b < 0.3f;
        }
    return h;
}

// Width and height from a PNG file's header chunk.
std::pair<uint32_t, uint32_t> pngSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    auto big = [&](int at) {
        return uint32_t(header[at]) << 24 | uint32_t(header[at + 1]) << 16 |
               uint32_t(header[at + 2]) << 8 | uint32_t(header[at + 3]);
    };
    return {big(16), big(20)};
}

TEST(IconArt, EverySizeIsAPlateWithClearCornersAndAllBlockColours) {
    for (const int size : IconArt::sizes()) {
        SCOPED_TRACE(size);
        const Image icon = IconArt::icon(size);
        ASSERT_EQ(icon.width(), size);
        ASSERT_EQ(icon.height(), size);
        EXPECT_LT(icon.at(0, 0).a, 0.1f);
        EXPECT_LT(icon.at(size - 1, size - 1).a, 0.1f);
        EXPECT_GT(icon.at(size / 2, size / 2).a, 0.9f);
        const Hues hues = countHues(icon);
        EXPECT_GT(hues.red, 0);
        EXPECT_GT(hues.blue, 0);
        EXPECT_GT(hues.green, 0);
        EXPECT_GT(hues.yellow, 0);
    }
}

TEST(IconArt, ThemeHoldsEverySizeAndAnUnwritableFolderFails) {
    testsupport::TempDir dir;
    std::string error;
    const std::string theme = (dir.path() / "hicolor").string();
    ASSERT_TRUE(ArtGenerator::writeIcons(theme, "brixeler3d", &error)) << error;
    for (const int size : IconArt::sizes()) {
        const std::string n = std::to_string(size);
        const auto [width, height] = pngSize(theme + "/" + n + "x" + n + "/apps/brixeler3d.png");
        EXPECT_EQ(width, uint32_t(size));
        EXPECT_EQ(height, uint32_t(size));
    }

    dir.writeFile("blocked", "a file where the theme folder should be");
    error.clear();
    EXPECT_FALSE(IconArt::writeTheme((dir.path() / "blocked").string(), "brixeler3d", &error));
    EXPECT_NE(error.find("cannot write"), std::string::npos);
}

}  // namespace
}  // namespace brx::tools
