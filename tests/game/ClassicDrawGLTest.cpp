// Classic drawn under the real GL context: the next line shows below the board once it holds
// blocks, and a frame with a line, a highlighted group and a colour bomb's burst shows each of
// them; the frame is left in the build tree to look at (classic-frame.png). A translucent group
// in the top row of the largest board, which stands above the board, shows over the background.
#include <GL/gl.h>

#include <algorithm>

#include "core/DataManifest.h"
#include "core/SystemSettings.h"
#include "game/BonusChooser.h"
#include "tests/game/ClassicTestKit.h"
#include "tests/support/PngFile.h"

namespace brx {
namespace {

using testkit::OpenClassic;

class ClassicDrawGL : public testkit::LineModeGL {};

// Pixels of the window region around a world point, after a full draw.
std::vector<uint8_t> regionAround(const OCamera& camera, const Vector3& point, int half) {
    float x = 0, y = 0;
    camera.projectToWindow(point, &x, &y);
    return testsupport::readPixels(int(x) - half, 600 - int(y) - half, 2 * half, 2 * half);
}

// Pixels (RGBA) whose colour differs by more than a little between two pictures of one region.
int changedPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    int changed = 0;
    for (size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4)
        changed += std::abs(int(a[i]) - int(b[i])) + std::abs(int(a[i + 1]) - int(b[i + 1])) +
                       std::abs(int(a[i + 2]) - int(b[i + 2])) >
                   40;
    return changed;
}

// Pixels of a gold hue (strong red, some green, little blue), as no block of Normal has.
int goldPixels(const std::vector<uint8_t>& rgba) {
    int gold = 0;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
        const int r = rgba[i], g = rgba[i + 1], b = rgba[i + 2];
        gold += r > 120 && g > 70 && r - b > 70 && g - b > 40 && r - g < 90;
    }
    return gold;
}

TEST_F(ClassicDrawGL, TheNextLineShowsBelowTheBoardOnceItHoldsBlocks) {
    OpenClassic& game = start<OpenClassic>(1, 21);
    holdStill(game);
    game.draw();
    const Vector3 slot = game.slotPosition(4);
    const std::vector<uint8_t> empty = regionAround(*game.gameCamera(), slot, 6);
    game.fillNextLine();
    game.draw();
    const std::vector<uint8_t> filled = regionAround(*game.gameCamera(), slot, 6);
    const int changed = changedPixels(empty, filled);
    EXPECT_GT(changed, int(empty.size() / 4) / 2) << "the slot's block is not drawn";
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ClassicDrawGL, AFrameWithALineAGroupAndABurstShowsEachOfThem) {
    OpenClassic& game = start<OpenClassic>(1, 22);  // Normal: red, blue, green and white blocks
    holdStill(game);
    for (int i = 0; i < columns / 2; ++i) game.addNextBlock();
    for (int c = 4; c <= 6; ++c) testkit::put(game, c, rows - 1, Box::kRed);
    const int whiteBomb = BonusChooser::kFirstColourBomb + Box::kWhite - Box::kRed;
    testkit::putBonus(game, 2, rows - 6, whiteBomb);
    game.draw();
    const OCamera& camera = *game.gameCamera();
    const Box* grouped = game.blockAt(5, rows - 1);
    const Box* apart = game.blockAt(columns - 1, rows - 4);
    ASSERT_NE(apart, nullptr);
    const std::vector<uint8_t> groupPlain = regionAround(camera, grouped->position(), 6);
    const std::vector<uint8_t> apartPlain = regionAround(camera, apart->position(), 6);

    // Pointing at the red row highlights its group, and only that.
    float x = 0, y = 0;
    ASSERT_TRUE(camera.projectToWindow(grouped->position(), &x, &y));
    game.mouseX = int(x);
    game.mouseY = int(y);
    game.update(16);
    ASSERT_GE(game.selection.size(), 3u);
    ASSERT_TRUE(grouped->selected);
    ASSERT_FALSE(apart->selected);
    game.draw();
    EXPECT_GT(changedPixels(groupPlain, regionAround(camera, grouped->position(), 6)), 12 * 12 / 2)
        << "the highlighted group looks as it did";
    EXPECT_LT(changedPixels(apartPlain, regionAround(camera, apart->position(), 6)), 12 * 12 / 10)
        << "a block outside the group changed";

    // The white bomb fired: its burst shows in its gold.
    const int goldBefore = goldPixels(testsupport::readPixels(0, 0, 800, 600));
    game.hover(2, rows - 6, Box::kWhite);
    ASSERT_EQ(game.selection.size(), 1u);
    game.click();
    EXPECT_EQ(game.blockAt(2, rows - 6), nullptr);
    ASSERT_EQ(EffectList::instance().size(), 1u);
    game.update(16);
    game.draw();
    const std::vector<uint8_t> frame = testsupport::readPixels(0, 0, 800, 600);
    EXPECT_TRUE(
        testsupport::writePng(std::string(BRX_BINARY_DIR) + "/classic-frame.png", frame, 800, 600));
    EXPECT_GT(goldPixels(frame) - goldBefore, 400) << "no gold burst where the white bomb went";
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ClassicDrawGL, WithSymbolsOnEveryBlockOfTheLargestBoardCarriesOneInEverySkin) {
    OpenClassic& game = start<OpenClassic>(3, 23);  // Impossible: the largest board
    holdStill(game);
    for (int i = 0; i < columns / 2; ++i) game.addNextBlock();
    SystemSettings& settings = SystemSettings::instance();
    const OCamera& camera = *game.gameCamera();
    constexpr int kHalf = 4;  // a block of this board is about 24 pixels wide
    std::vector<const Box*> shown;
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r)
            if (const Box* block = game.blockAt(c, r); block && block->colour <= Box::kYellow)
                shown.push_back(block);
    for (int i = 0; i < columns / 2; ++i)
        if (game.nextLine[size_t(i)]) shown.push_back(game.nextLine[size_t(i)].get());
    ASSERT_GT(shown.size(), size_t(columns));
    for (int skin = 0; skin < DataManifest::kSkinCount; ++skin) {
        settings.skinIndex = skin;
        settings.symbolsOnBlocks = false;
        game.draw();
        std::vector<std::vector<uint8_t>> bare;
        for (const Box* block : shown)
            bare.push_back(regionAround(camera, block->position(), kHalf));
        settings.symbolsOnBlocks = true;
        game.draw();
        for (size_t i = 0; i < shown.size(); ++i)
            EXPECT_GT(changedPixels(bare[i], regionAround(camera, shown[i]->position(), kHalf)),
                      2 * kHalf * 2 * kHalf / 4)
                << "no symbol on the block of colour " << shown[i]->colour << " in skin " << skin;
    }
    settings.symbolsOnBlocks = false;
    settings.skinIndex = 0;
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ClassicDrawGL, ATranslucentGroupAboveTheBoardShowsOverTheBackground) {
    OpenClassic& game = start<OpenClassic>(3, 24);  // Impossible: the top row is above the board
    holdStill(game);
    SystemSettings::instance().selectEffect = 0;  // translucent
    ASSERT_TRUE(game.setBackground("Space.Jpg", ""));
    for (int c = 0; c <= 2; ++c) testkit::put(game, c, 0, Box::kRed);
    for (int r = 1; r <= 3; ++r) testkit::put(game, 1, r, Box::kRed);
    const OCamera& camera = *game.gameCamera();
    float x = 0, y = 0;
    ASSERT_TRUE(camera.projectToWindow(game.blockAt(1, 0)->position(), &x, &y));
    game.mouseX = int(x);
    game.mouseY = int(y);
    game.update(16);
    ASSERT_TRUE(game.blockAt(1, 0)->selected && game.blockAt(1, 3)->selected);
    // High on a front face above the board's top edge, and on a face over the board.
    const Vector3 spots[2] = {game.blockAt(1, 0)->position() + Vector3(0.0f, 0.3f, 0.46f),
                              game.blockAt(1, 3)->position() + Vector3(0.2f, -0.2f, 0.46f)};
    const auto coloursAt = [&] {
        game.draw();
        std::vector<std::vector<int>> colours;
        for (const Vector3& spot : spots) {
            EXPECT_TRUE(camera.projectToWindow(spot, &x, &y));
            const std::vector<uint8_t> rgba = testsupport::readPixels(int(x), 600 - int(y), 1, 1);
            colours.push_back({rgba[0], rgba[1], rgba[2]});
        }
        return colours;
    };
    const std::vector<std::vector<int>> withBackground = coloursAt();
    game.clearBackground();
    const std::vector<std::vector<int>> onBlack = coloursAt();
    const std::vector<int>& above = withBackground[0];
    EXPECT_NE(above, onBlack[0]) << "the spot does not lie over the background";
    EXPECT_GT(above[0], std::max(above[1], above[2]) + 30)
        << "the background covers the red group: " << above[0] << " " << above[1] << " "
        << above[2];
    EXPECT_EQ(withBackground[1], onBlack[1])
        << "over the board the group looks other with a background (skin or light not restored)";
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
}  // namespace brx
