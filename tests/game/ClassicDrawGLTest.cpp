// Classic drawn under the real GL context: the next line shows below the board once it holds
// blocks, and a whole frame with a full line, a highlighted group and a burst leaves a picture
// in the build tree to look at (classic-frame.png).
#include <GL/gl.h>

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

TEST_F(ClassicDrawGL, TheNextLineShowsBelowTheBoardOnceItHoldsBlocks) {
    OpenClassic& game = start<OpenClassic>(1, 21);
    holdStill(game);
    game.draw();
    const Vector3 slot = game.slotPosition(4);
    const std::vector<uint8_t> empty = regionAround(*game.gameCamera(), slot, 6);
    game.fillNextLine();
    game.draw();
    const std::vector<uint8_t> filled = regionAround(*game.gameCamera(), slot, 6);
    int changed = 0;
    for (size_t i = 0; i + 3 < empty.size(); i += 4)
        changed += std::abs(int(empty[i]) - int(filled[i])) +
                       std::abs(int(empty[i + 1]) - int(filled[i + 1])) +
                       std::abs(int(empty[i + 2]) - int(filled[i + 2])) >
                   40;
    EXPECT_GT(changed, int(empty.size() / 4) / 2) << "the slot's block is not drawn";
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ClassicDrawGL, AFrameWithALineAGroupAndABurstLeavesAPicture) {
    OpenClassic& game = start<OpenClassic>(1, 22);
    holdStill(game);
    for (int i = 0; i < columns / 2; ++i) game.addNextBlock();
    testkit::putBonus(game, 2, rows - 5, BonusChooser::kFirstColourBomb + 1);
    game.draw();
    const Box* block = game.blockAt(5, rows - 1);
    ASSERT_NE(block, nullptr);
    float x = 0, y = 0;
    game.gameCamera()->projectToWindow(block->position(), &x, &y);
    game.mouseX = int(x);
    game.mouseY = int(y);
    game.update(16);
    game.draw();
    const std::vector<uint8_t> frame = testsupport::readPixels(0, 0, 800, 600);
    EXPECT_TRUE(
        testsupport::writePng(std::string(BRX_BINARY_DIR) + "/classic-frame.png", frame, 800, 600));
    EXPECT_GT(testsupport::countPixelsDifferentFrom(frame, 0, 0, 0), 800 * 600 / 10);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
}  // namespace brx
