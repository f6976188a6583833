// The help screen in the shell: its nine bonus blocks are real models that show where they
// stand, the rules text is drawn, and Done or Escape lead back to the menu.
#include "screens/Help.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/SystemSettings.h"
#include "engine/BitmapFont.h"
#include "engine/O2D.h"
#include "engine/OCamera.h"
#include "engine/OControl.h"
#include "game/Bonus.h"
#include "game/ColorBomb.h"
#include "game/RemoveHLine.h"
#include "game/RemoveHVLine.h"
#include "objects/Box.h"
#include "screens/HelpPages.h"
#include "screens/TextLayout.h"
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

// The rectangles of the screen's buttons (virtual units).
std::vector<TextBox> buttonBoxes(const Help& help) {
    std::vector<TextBox> boxes;
    for (std::size_t i = 0; i < help.controlCount(); ++i) {
        const auto* control = dynamic_cast<const O2D*>(help.control(i));
        if (!control) continue;
        boxes.push_back({float(control->x()), float(control->y()),
                         float(control->x() + control->width()),
                         float(control->y() + control->height())});
    }
    return boxes;
}

TEST_F(HelpScreenTest, EveryPageStaysBetweenTheSideLinesAndClearOfTheButtons) {
    const BitmapFont& font = *shell->font();
    const std::vector<TextBox> buttons = buttonBoxes(*help);
    ASSERT_EQ(buttons.size(), 3u);
    for (int page = 1; page <= HelpPages::kCount; ++page) {
        const std::vector<TextLine> lines = help->pageLines(page);
        ASSERT_GT(lines.size(), 10u) << "page " << page;
        for (const TextLine& line : lines) {
            const TextBox box = boxOf(font, line);
            const std::string where = "page " + std::to_string(page) + ": " + line.text;
            EXPECT_GE(box.left, 150.0f) << where;
            EXPECT_LE(box.right, 650.0f) << where;
            EXPECT_GE(box.bottom, 0.0f) << where;
            EXPECT_LE(box.top, 600.0f) << where;
            for (const TextBox& button : buttons) EXPECT_FALSE(overlaps(box, button)) << where;
        }
        // Lines on one baseline (a key and its action, a row of the points table) stay apart.
        for (std::size_t a = 0; a < lines.size(); ++a)
            for (std::size_t b = a + 1; b < lines.size(); ++b)
                if (std::abs(lines[a].y - lines[b].y) < 1.0f) {
                    EXPECT_FALSE(overlaps(boxOf(font, lines[a]), boxOf(font, lines[b])))
                        << "page " << page << ": " << lines[a].text << " | " << lines[b].text;
                }
    }
    EXPECT_TRUE(help->pageLines(HelpPages::kCount + 1).size() <= 1u);
}

TEST_F(HelpScreenTest, ThePagesTeachEveryModeBlockAndKey) {
    const auto pageText = [this](int page) {
        std::string text;
        for (const TextLine& line : help->pageLines(page)) text += line.text + "\n";
        return text;
    };
    const std::string rules = pageText(1);
    EXPECT_NE(rules.find("the larger the score"), std::string::npos);
    EXPECT_EQ(rules.find("  "), std::string::npos) << "a doubled blank";
    const std::string modes = pageText(2);
    for (const char* mode : {"Remover", "Classic", "Strategy", "Advanced", "Modern", "Puzzle"})
        EXPECT_NE(modes.find(std::string(mode) + "\n"), std::string::npos) << mode;
    const std::string blocks = pageText(3);
    for (const char* name : {"Fixed block", "Unmovable block", "Big bomb", "Colour bombs",
                             "Row remover", "Column remover", "Cross remover"})
        EXPECT_NE(blocks.find(name), std::string::npos) << name;
    // The points table is the game's own.
    const std::string scoring = pageText(4);
    EXPECT_NE(scoring.find("10: 46"), std::string::npos);
    EXPECT_NE(scoring.find("97+: 9108"), std::string::npos);
    const std::string keys = pageText(5) + pageText(6);
    for (const char* key :
         {"Arrows", "Enter", "N\n", "Space", "P or Pause", "Ctrl+Z", "Ctrl+Y or Ctrl+Shift+Z",
          "H\n", "Esc", "F11", "Ctrl+N", "F1\n", "Ctrl+Q", "Tab, Shift+Tab", "Up, Down",
          "D-pad or left stick", "Shoulder"})
        EXPECT_NE(keys.find(key), std::string::npos) << key;
}

TEST_F(HelpScreenTest, EveryPageDrawsItsTextAndTheSpecialBlocksStandBesideTheirs) {
    for (int page = 1; page <= HelpPages::kCount; ++page) {
        help->showPage(page);
        shell->step(16);
        shell->saveScreenshot("help-page-" + std::to_string(page));
        // The column under the page's title holds text.
        const auto column = testsupport::readPixels(172, 300, 460, 240);
        EXPECT_GT(testsupport::countPixelsDifferentFrom(column, 0, 0, 0, 24), 1500) << page;
    }
    help->showPage(HelpPages::kSpecialBlocksPage);
    shell->step(16);
    ASSERT_EQ(help->specialBlocks().size(), size_t(HelpPages::kSpecialCount));
    EXPECT_EQ(help->specialBlocks()[0]->colour, Box::kFixed);
    EXPECT_EQ(help->specialBlocks()[1]->colour, Box::kUnmovable);
    OCamera camera(800, 600, 45.0f, 1.0f, 256.0f);
    camera.setPosition(Vector3(0.0f, 0.0f, 22.0f));
    for (int k = 0; k < HelpPages::kSpecialCount; ++k) {
        const Box& block = *help->specialBlocks()[size_t(k)];
        float x = 0.0f, y = 0.0f;
        ASSERT_TRUE(camera.projectToWindow(block.position(), &x, &y));
        EXPECT_GT(litAround(int(x), 600 - int(y), 6), 40) << "special block " << k;
        // Level with its entry: between the name line and the entry below.
        const float virtualY = 600.0f - y;
        EXPECT_LT(virtualY, HelpPages::specialEntryY(k) + 16.0f) << k;
        EXPECT_GT(virtualY, HelpPages::specialEntryY(k) - 40.0f) << k;
    }
}

TEST_F(HelpScreenTest, PrevNextAndTheKeysTurnThePagesWithinTheFirstAndTheLast) {
    const auto buttonCentre = [this](int id) {
        for (std::size_t i = 0; i < help->controlCount(); ++i) {
            const auto* control = dynamic_cast<const O2D*>(help->control(i));
            if (control && help->control(i)->controlId() == id)
                return std::pair<float, float>(float(control->x() + control->width() / 2),
                                               float(control->y() + control->height() / 2));
        }
        ADD_FAILURE() << "no control " << id;
        return std::pair<float, float>(0.0f, 0.0f);
    };
    const auto [nextX, nextY] = buttonCentre(Help::kNextCommand);
    const auto [prevX, prevY] = buttonCentre(Help::kPrevCommand);
    shell->clickAt(prevX, prevY);
    EXPECT_EQ(help->page(), 1) << "no page before the first";
    shell->clickAt(nextX, nextY);
    EXPECT_EQ(help->page(), 2);
    EXPECT_TRUE(shell->pressKey(kKeyRight));
    EXPECT_EQ(help->page(), 3);
    EXPECT_TRUE(shell->pressKey(34));  // PageDown
    EXPECT_EQ(help->page(), 4);
    for (int i = 0; i < 5; ++i) shell->clickAt(nextX, nextY);
    EXPECT_EQ(help->page(), HelpPages::kCount) << "no page after the last";
    EXPECT_TRUE(shell->pressKey(33));  // PageUp
    EXPECT_EQ(help->page(), HelpPages::kCount - 1);
    EXPECT_TRUE(shell->pressKey(kKeyLeft));
    shell->clickAt(prevX, prevY);
    EXPECT_EQ(help->page(), HelpPages::kCount - 3);
    EXPECT_EQ(OApplication::activeScreen(), help);
    // Coming back opens the first page again.
    EXPECT_TRUE(shell->pressKey(kKeyEscape));
    shell->setActiveScreen(kScreenHelp);
    EXPECT_EQ(help->page(), 1);
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
