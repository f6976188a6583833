// The help screen in the shell: its nine bonus blocks are real models that show where they
// stand, the rules text is drawn, and Done or Escape lead back to the menu.
#include "screens/Help.h"

#include <gtest/gtest.h>

#include "core/SystemSettings.h"
#include "engine/OCamera.h"
#include "game/Bonus.h"
#include "game/ColorBomb.h"
#include "game/RemoveHLine.h"
#include "game/RemoveHVLine.h"
#include "objects/Box.h"
#include "tests/screens/WindowlessShell.h"

namespace brx {
namespace {

class HelpScreenTest : public screentest::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        if (IsSkipped()) return;
        screentest::linkGameArchive(folder);
        startShell();
        help = new Help;
        shell->addScreen(help);
        shell->setActiveScreen(kScreenHelp);
    }
    // Lit pixels in a square of 2 * radius pixels around a window pixel (y upwards).
    static int litAround(int x, int y, int radius) {
        const auto pixels = testsupport::readPixels(x - radius, y - radius, 2 * radius, 2 * radius);
        return testsupport::countPixelsDifferentFrom(pixels, 0, 0, 0, 24);
    }

    Help* help = nullptr;  // owned by the shell
};

TEST_F(HelpScreenTest, EveryBonusModelShowsWhereItStands) {
    ASSERT_EQ(help->blocks().size(), size_t(Help::kDemoBlockCount));
    shell->step(16);
    shell->saveScreenshot("help");
    // The help camera: 45 degrees, 22 units in front of the board plane.
    OCamera camera(800, 600, 45.0f, 1.0f, 256.0f);
    camera.setPosition(Vector3(0.0f, 0.0f, 22.0f));
    for (const auto& block : help->blocks()) {
        EXPECT_TRUE(block->isBonus);
        EXPECT_NE(block->data().displayList, 0u);
        float x = 0.0f, y = 0.0f;
        ASSERT_TRUE(camera.projectToWindow(block->position(), &x, &y));
        EXPECT_GT(litAround(int(x), 600 - int(y), 6), 40)
            << "nothing drawn at the block of colour " << block->colour << " at "
            << block->position().y;
    }
}

TEST_F(HelpScreenTest, WithSymbolsOnEveryColourBombCarriesOneAndNothingElseDoes) {
    OCamera camera(800, 600, 45.0f, 1.0f, 256.0f);
    camera.setPosition(Vector3(0.0f, 0.0f, 22.0f));
    auto around = [&](const Box& block) {
        float x = 0.0f, y = 0.0f;
        EXPECT_TRUE(camera.projectToWindow(block.position(), &x, &y));
        return testsupport::readPixels(int(x) - 5, 600 - int(y) - 6, 10, 10);
    };
    std::vector<std::vector<uint8_t>> bare, marked;
    SystemSettings::instance().symbolsOnBlocks = false;
    help->requestRedraw();
    shell->step(16);
    for (const auto& block : help->blocks()) bare.push_back(around(*block));
    SystemSettings::instance().symbolsOnBlocks = true;
    help->requestRedraw();
    shell->step(16);
    shell->saveScreenshot("help-symbols");
    for (const auto& block : help->blocks()) marked.push_back(around(*block));
    SystemSettings::instance().symbolsOnBlocks = false;
    for (std::size_t i = 0; i < bare.size(); ++i) {
        const Box& block = *help->blocks()[i];
        const bool colourBomb = block.colour >= Box::kRed && block.colour <= Box::kYellow;
        EXPECT_EQ(bare[i] != marked[i], colourBomb) << "block of colour " << block.colour;
    }
}

TEST_F(HelpScreenTest, TheBlocksAreTheGamesOwnBonusKinds) {
    const auto& blocks = help->blocks();
    ASSERT_EQ(blocks.size(), 9u);
    EXPECT_NE(dynamic_cast<const Bonus*>(blocks[0].get()), nullptr);
    for (size_t index = 1; index <= 5; ++index)
        EXPECT_NE(dynamic_cast<const ColorBomb*>(blocks[index].get()), nullptr) << index;
    const auto* row = dynamic_cast<const RemoveHLine*>(blocks[6].get());
    const auto* column = dynamic_cast<const RemoveHLine*>(blocks[7].get());
    ASSERT_TRUE(row && column);
    EXPECT_TRUE(row->horizontal);
    EXPECT_FALSE(column->horizontal);
    EXPECT_NE(dynamic_cast<const RemoveHVLine*>(blocks[8].get()), nullptr);
    EXPECT_EQ(blocks[1]->colour, Box::kRed);
    EXPECT_EQ(blocks[5]->colour, Box::kYellow);
    EXPECT_EQ(blocks[8]->colour, Box::kNoColour);
}

TEST_F(HelpScreenTest, TheRulesTextIsDrawnBesideTheBlocks) {
    shell->step(16);
    // "Game Rules" and the lines below it, between x 181 and 500, y 452 to 560.
    const auto rules = testsupport::readPixels(181, 452, 320, 100);
    EXPECT_GT(testsupport::countPixelsDifferentFrom(rules, 0, 0, 0, 24), 1000);
    // Right of the text column nothing is drawn but the side line.
    const auto empty = testsupport::readPixels(660, 300, 100, 100);
    EXPECT_EQ(testsupport::countPixelsDifferentFrom(empty, 0, 0, 0, 24), 0);
}

TEST_F(HelpScreenTest, DoneAndEscapeLeadBackToTheMenu) {
    EXPECT_EQ(help->page(), 1);
    EXPECT_TRUE(shell->pressKey(kKeyEscape));
    EXPECT_EQ(OApplication::activeScreen(), menu);
    shell->setActiveScreen(kScreenHelp);
    EXPECT_EQ(help->page(), 1);
    shell->clickAt(475 + 20, 20 + 10);
    EXPECT_EQ(OApplication::activeScreen(), menu);
    EXPECT_EQ(menu->activations, 2);
}

}  // namespace
}  // namespace brx
