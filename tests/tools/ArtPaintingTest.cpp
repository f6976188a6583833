// The painting layer and the pictures whose layout the game relies on: lettering that fits and
// centres, sprites that fade out before their border, the cursor's tip on the pointer, the side
// panel's number slots under the game's number positions.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "tests/support/GeneratedOnce.h"
#include "tests/support/TempDir.h"
#include "tools/art/ArtGenerator.h"
#include "tools/art/ContactSheet.h"
#include "tools/art/EffectArt.h"
#include "tools/art/InterfaceArt.h"
#include "tools/art/Noise.h"
#include "tools/art/Styling.h"

namespace brx::tools {
namespace {

// Bounding box of the pixels a mask covers noticeably.
struct Box {
    int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
};

Box inkBox(const Mask& mask) {
    Box b;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (mask.at(x, y) > 0.3f) {
                b.x0 = std::min(b.x0, x), b.x1 = std::max(b.x1, x);
                b.y0 = std::min(b.y0, y), b.y1 = std::max(b.y1, y);
            }
    return b;
}

TEST(Lettering, CentresTextOnTheGivenPointAndFitsWidths) {
    Lettering& face = Styling::face(Lettering::kBoldFace);
    Mask mask(200, 60);
    face.drawCentred(mask, "New Game", 20, 100, 30);
    const Box b = inkBox(mask);
    EXPECT_NEAR((b.x0 + b.x1) * 0.5f, 100.0f, 2.0f);
    EXPECT_NEAR((b.y0 + b.y1) * 0.5f, 30.0f, 4.0f);  // descender-free text centres by caps
    const int size = face.sizeToFit("LEVEL COMPLETE", 64, 300);
    EXPECT_LE(face.inkWidth("LEVEL COMPLETE", size), 300.0f);
    EXPECT_GT(face.inkWidth("LEVEL COMPLETE", size + 1), 300.0f);
}

TEST(Image, CompositesOverTransparencyAndKeepsAverageWhenShrunk) {
    Image image(4, 4);
    image.blend(0, 0, {1, 0, 0, 1}, 0.5f);
    EXPECT_FLOAT_EQ(image.at(0, 0).r, 1.0f);  // straight alpha: colour kept, alpha halved
    EXPECT_FLOAT_EQ(image.at(0, 0).a, 0.5f);
    image.blend(0, 0, {0, 0, 1, 1}, 1.0f);
    EXPECT_FLOAT_EQ(image.at(0, 0).b, 1.0f);
    Image stripes(8, 8);
    stripes.fill([](int x, int) { return x % 2 ? Colour{1, 1, 1, 1} : Colour{0, 0, 0, 1}; });
    const Image small = stripes.resized(2, 2);
    EXPECT_NEAR(small.at(1, 1).r, 0.5f, 0.05f);
}

TEST(Noise, IsRepeatableAndStaysInRange) {
    const Noise a(5), b(5), c(6);
    float lowest = 1, highest = 0;
    bool differs = false;
    for (int i = 0; i < 500; ++i) {
        const float x = float(i) * 0.37f, y = float(i % 17) * 0.61f;
        EXPECT_EQ(a.fbm(x, y, 5), b.fbm(x, y, 5));
        differs |= a.value(x, y) != c.value(x, y);
        lowest = std::min(lowest, a.fbm(x, y, 5));
        highest = std::max(highest, a.ridged(x, y, 4));
    }
    EXPECT_TRUE(differs);
    EXPECT_GE(lowest, 0.0f);
    EXPECT_LE(highest, 1.0f);
}

TEST(EffectArt, SpritesFadeToNothingBeforeTheirBorder) {
    // A billboard's square outline must never show when blended.
    for (const Image& sprite :
         {EffectArt::hundred(), EffectArt::blastRing(), EffectArt::dirtPuff(), EffectArt::flash(),
          EffectArt::sparkle(), EffectArt::trailDot(), EffectArt::softBlob()}) {
        float border = 0, centre = 0;
        const int n = sprite.width();
        for (int i = 0; i < n; ++i)
            border = std::max({border, sprite.at(i, 0).a, sprite.at(i, n - 1).a, sprite.at(0, i).a,
                               sprite.at(n - 1, i).a});
        for (int y = n / 4; y < 3 * n / 4; ++y)
            for (int x = n / 4; x < 3 * n / 4; ++x) centre = std::max(centre, sprite.at(x, y).a);
        EXPECT_LT(border, 1.0f / 255.0f);
        EXPECT_GT(centre, 0.5f);
    }
    // The fire is drawn additively: black is no light at all.
    const Image fire = EffectArt::fireFlash();
    const Colour corner = fire.at(0, 0);
    EXPECT_LT(corner.r + corner.g + corner.b, 0.01f);
}

TEST(InterfaceArt, CursorTipSitsOnThePointer) {
    const Image cursor = InterfaceArt::cursor();
    EXPECT_GT(cursor.at(3, 3).a, 0.9f);    // the tip, at the picture's top-left
    EXPECT_LT(cursor.at(60, 4).a, 0.05f);  // nothing to the right of it
}

TEST(InterfaceArt, InfoPanelHasDarkSlotsWhereTheGamePrintsNumbers) {
    // The numbers are centred on screen x 70 and 700 with their glyph cells at screen y
    // 515..547 and 415..447; the picture's column is screen x + 1, its row 590 - screen y.
    const Image panel = InterfaceArt::infoPanel();
    for (const int screenX : {70, 700})
        for (const int screenY : {531, 431}) {
            const Colour c = panel.at(screenX + 1, 590 - screenY);
            EXPECT_GT(c.a, 0.8f);
            EXPECT_LT(c.r + c.g + c.b, 0.6f) << screenX << "," << screenY;
        }
    // The middle, where the board stands, stays clear.
    EXPECT_LT(panel.at(400, 100).a, 0.01f);
}

TEST(InterfaceArt, CheckBoxQuartersShowCheckedOnlyWhereTheControlExpectsIt) {
    // Quarters from the bottom: normal, checked, under the mouse, checked and hovered.
    const Image box = InterfaceArt::checkBox();
    auto greenInk = [&](int quarterFromBottom) {
        const int top = (3 - quarterFromBottom) * 32;
        int count = 0;
        for (int y = top; y < top + 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const Colour c = box.at(x, y);
                count += c.g > 0.8f && c.r < 0.7f && c.a > 0.5f;
            }
        return count;
    };
    EXPECT_EQ(greenInk(0), 0);
    EXPECT_GT(greenInk(1), 20);
    EXPECT_EQ(greenInk(2), 0);
    EXPECT_GT(greenInk(3), 20);
}

TEST(ContactSheet, ComposesWhatTheGeneratorWrote) {
    std::string error;
    const std::filesystem::path art = testsupport::generatedOnce(
        "art",
        [](const std::filesystem::path& to, std::string* message) {
            return ArtGenerator::writeAll(to.string(), 2, message);
        },
        &error);
    ASSERT_FALSE(art.empty()) << error;
    testsupport::TempDir folder;
    const std::string sheet = (folder.path() / "sheet.png").string();
    ASSERT_TRUE(ContactSheet::compose(art.string(), sheet, &error)) << error;
    EXPECT_GT(std::filesystem::file_size(sheet), 100000u);
}

}  // namespace
}  // namespace brx::tools
