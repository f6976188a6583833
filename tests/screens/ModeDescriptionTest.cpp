// Game selection explains its modes: every mode button has its text, shown in the margin level
// with the button while the pointer rests on it (or the keyboard focus is on it), clear of every
// control and inside the screen; nothing shows when no mode button is pointed at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/BitmapFont.h"
#include "engine/O2D.h"
#include "engine/OControl.h"
#include "game/GameVariables.h"
#include "screens/ModeDescriptions.h"
#include "screens/SelectGame.h"
#include "tests/screens/WindowlessShell.h"

namespace brx {
namespace {

constexpr int kModeIds[] = {SelectGame::kRemoverId,  SelectGame::kClassicId,
                            SelectGame::kStrategyId, SelectGame::kAdvancedId,
                            SelectGame::kModernId,   SelectGame::kPuzzleId};

class ModeDescriptionTest : public screentest::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        if (IsSkipped()) return;
        screentest::linkGameArchive(folder);
        startShell();
        selection = new SelectGame();
        shell->addScreen(selection);
        shell->setActiveScreen(kScreenSelectGame);
        pointTo(10, 10);  // a move with no button held ends the wait for the opening release
    }
    void pointTo(float x, float y) {
        InputEvent event = screentest::pointerAt(*shell, kInputPointerMove, x, y);
        shell->onEvent(event);
    }
    OControl* controlOf(int id) const {
        for (std::size_t i = 0; i < selection->controlCount(); ++i)
            if (selection->control(i)->controlId() == id) return selection->control(i);
        return nullptr;
    }
    const O2D* shapeOf(int id) const { return dynamic_cast<const O2D*>(controlOf(id)); }
    // The margin right of the side line as drawn now.
    static std::vector<uint8_t> margin() {
        return testsupport::readPixels(int(ModeDescriptions::kLeft), 0,
                                       int(ModeDescriptions::kRight - ModeDescriptions::kLeft),
                                       600);
    }
    // Pixels that changed between two pictures of the margin, counted in rows bottom to top
    // (virtual units: the test window is 800 x 600).
    static int changedRows(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after,
                           int bottom, int top) {
        const int width = int(ModeDescriptions::kRight - ModeDescriptions::kLeft);
        int changed = 0;
        for (int row = std::max(bottom, 0); row < std::min(top, 600); ++row)
            for (int x = 0; x < width; ++x) {
                const size_t i = (size_t(row) * size_t(width) + size_t(x)) * 4;
                changed += std::abs(int(before[i]) - int(after[i])) +
                               std::abs(int(before[i + 1]) - int(after[i + 1])) +
                               std::abs(int(before[i + 2]) - int(after[i + 2])) >
                           60;
            }
        return changed;
    }

    SelectGame* selection = nullptr;  // owned by the shell
};

TEST_F(ModeDescriptionTest, EveryModeButtonIsDescribedBesideItInsideTheScreenAndOverNoControl) {
    const BitmapFont& font = *shell->font();
    for (int id : kModeIds) {
        const std::string text = ModeDescriptions::text(id);
        EXPECT_GT(text.size(), 40u) << id;
        EXPECT_NE(text.find("nds"), std::string::npos) << "how it ends: " << id;
        const O2D* button = shapeOf(id);
        ASSERT_NE(button, nullptr) << id;
        const std::vector<TextLine> lines = selection->descriptionLines(controlOf(id));
        ASSERT_GE(lines.size(), 2u) << id;
        std::string joined;
        for (const TextLine& line : lines) {
            joined += (joined.empty() ? "" : " ") + line.text;
            const TextBox box = boxOf(font, line);
            EXPECT_GE(box.left, 650.0f) << line.text;
            EXPECT_LE(box.right, 800.0f) << line.text;
            EXPECT_GE(box.bottom, 0.0f) << line.text;
            EXPECT_LE(box.top, 600.0f) << line.text;
            // Level with its button.
            EXPECT_GT(box.top, float(button->y())) << line.text;
            EXPECT_LT(box.bottom, float(button->y() + button->height())) << line.text;
            for (std::size_t i = 0; i < selection->controlCount(); ++i) {
                const auto* other = dynamic_cast<const O2D*>(selection->control(i));
                if (!other) continue;
                const TextBox control{float(other->x()), float(other->y()),
                                      float(other->x() + other->width()),
                                      float(other->y() + other->height())};
                EXPECT_FALSE(overlaps(box, control))
                    << line.text << " over control " << selection->control(i)->controlId();
            }
        }
        EXPECT_EQ(joined, text) << "nothing lost in wrapping";
    }
    EXPECT_NE(ModeDescriptions::text(SelectGame::kPuzzleId).find("pick a number and Start"),
              std::string::npos);
    EXPECT_TRUE(ModeDescriptions::text(SelectGame::kDoneId).empty());
    // The two puzzle buttons say which puzzle they play, beside them too.
    for (int id : {SelectGame::kStartId, SelectGame::kRandomId}) {
        const std::vector<TextLine> lines = selection->descriptionLines(controlOf(id));
        ASSERT_FALSE(lines.empty()) << id;
        for (const TextLine& line : lines) {
            EXPECT_GE(boxOf(font, line).left, 650.0f);
            EXPECT_GE(boxOf(font, line).bottom, 0.0f);
        }
    }
}

TEST_F(ModeDescriptionTest, TheTextShowsWhileThePointerRestsOnAModeButtonOrTheFocusIsOnIt) {
    shell->step(16);
    EXPECT_EQ(selection->describedModeButton(), nullptr);
    const std::vector<uint8_t> plain = margin();
    for (int id : kModeIds) {
        const O2D* button = shapeOf(id);
        pointTo(float(button->x() + button->width() / 2),
                float(button->y() + button->height() / 2));
        ASSERT_NE(selection->describedModeButton(), nullptr) << id;
        EXPECT_EQ(selection->describedModeButton()->controlId(), id);
        shell->step(16);
        shell->saveScreenshot("select-game-" + std::to_string(id));
        const std::vector<uint8_t> described = margin();
        EXPECT_GT(changedRows(plain, described, button->y(), button->y() + button->height()), 150)
            << "no text beside mode " << id;
        EXPECT_EQ(changedRows(plain, described, 0, button->y() - 12) +
                      changedRows(plain, described, button->y() + button->height() + 12, 600),
                  0)
            << "text away from mode " << id;
    }
    const O2D* start = shapeOf(SelectGame::kStartId);
    pointTo(float(start->x() + start->width() / 2), float(start->y() + start->height() / 2));
    shell->step(16);
    shell->saveScreenshot("select-game-start");
    EXPECT_GT(changedRows(plain, margin(), 0, 200), 100) << "Start says what it plays";
    pointTo(10, 300);
    shell->step(16);
    EXPECT_EQ(selection->describedModeButton(), nullptr);
    EXPECT_EQ(changedRows(plain, margin(), 0, 600), 0);

    // The keyboard focus on a mode button describes it too.
    for (int tabs = 0; tabs < 20; ++tabs) {
        const OControl* focus = selection->keyboardFocus();
        if (focus && focus->controlId() == SelectGame::kStrategyId) break;
        shell->pressKey(kKeyTab);
    }
    ASSERT_NE(selection->describedModeButton(), nullptr);
    EXPECT_EQ(selection->describedModeButton()->controlId(), SelectGame::kStrategyId);
}

}  // namespace
}  // namespace brx
