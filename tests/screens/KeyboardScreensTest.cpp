// Every screen from the keyboard alone, in the real shell with the real screens and archive:
// the focus order of each screen and its wrapping, each screen reached and every button
// pressed by keys, game selection taking keys at once while it ignores the opening click's
// release, the options by keys with their dialog holding every key, and the shortcuts F11,
// Ctrl+N and F1.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <vector>

#include "engine/KvCheckBox.h"
#include "engine/KvSlider.h"
#include "engine/OTextField.h"
#include "engine/OTextStack.h"
#include "game/Game.h"
#include "game/GameVariables.h"
#include "screens/Credits.h"
#include "screens/Help.h"
#include "screens/Menu.h"
#include "screens/OSystemOptions.h"
#include "screens/Score.h"
#include "screens/ScoreTable.h"
#include "screens/ScreenKit.h"
#include "screens/SelectGame.h"
#include "tests/screens/WindowlessShell.h"

namespace brx {
namespace {

class KeyboardScreens : public screentest::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        if (IsSkipped()) return;
        screentest::linkGameArchive(folder);
        difficulty = Difficulty::Normal;
        shell = std::make_unique<screentest::WindowlessShell>();
        shell->init();
        for (const char* file : {"Data\\TRemover.Kv", "Data\\TClassic.Kv", "Data\\TStrategy.Kv",
                                 "Data\\TAdvanced.Kv", "Data\\TModern.Kv", "Data\\TPuzzle.Kv"}) {
            tables.emplace_back("", file);
            tables.back().reset();
        }
        for (ORenderWindow* screen : std::initializer_list<ORenderWindow*>{
                 new Menu, new OSystemOptions, new Help, new Credits, new Score(tables),
                 new SelectGame}) {
            screen->setBackground(backgroundPicture(0), "MenuBgrn.Tga");
            shell->addScreen(screen);
        }
        shell->setActiveScreen(kScreenMenu);
    }
    void TearDown() override {
        ScreenTest::TearDown();
        SelectGame::lastPuzzle = 0;
    }

    ORenderWindow* active() const { return OApplication::activeScreen(); }
    ScreenId activeId() const { return active()->id(); }
    bool key(uint16_t code, uint16_t flags = 0) {
        InputEvent event;
        event.type = kInputKeyDown;
        event.key = code;
        event.flags = flags;
        return shell->onEvent(event);
    }
    void keys(uint16_t code, int times) {
        for (int i = 0; i < times; ++i) key(code);
    }
    int focusedId() const {
        const OControl* focus = active()->keyboardFocus();
        return focus ? focus->controlId() : -1;
    }
    std::vector<int> order() const {
        std::vector<int> ids;
        for (const OControl* control : active()->readingOrder())
            ids.push_back(control->controlId());
        return ids;
    }
    // Every control a player acts on, as shown now.
    static int actionable(const ORenderWindow& screen) {
        int count = 0;
        for (std::size_t i = 0; i < screen.controlCount(); ++i) {
            const OControl* control = screen.control(i);
            const bool kind = dynamic_cast<const OTextStack*>(control) ||
                              dynamic_cast<const KvCheckBox*>(control) ||
                              dynamic_cast<const OTextField*>(control);
            const auto* button = dynamic_cast<const OTextStack*>(control);
            const bool enabled = !button || button->enabled();  // a dimmed button acts on nothing
            if (kind && enabled && control->visible() && !control->hidden()) ++count;
        }
        return count;
    }
    SystemSettings saved() const {
        SystemSettings settings;
        EXPECT_TRUE(settings.load((folder.path() / "Data/System.Cfg").string()));
        return settings;
    }

    std::vector<ScoreTable> tables;
};

TEST_F(KeyboardScreens, EveryScreenOrdersItsControlsForReadingAndWraps) {
    const std::vector<std::pair<ScreenId, std::vector<int>>> screens = {
        {kScreenMenu, {103, 101, 107, 105, 102, 100}},  // Continue is dimmed: no game
        {kScreenOptions,
         {10, 20, 522, 11103, 500, 502, 504, 507, 506, 520, 521, 0, 0, 11102, 11101, 11100}},
        {kScreenHelp, {110, 111, 100}},  // Prev, Next, Done
        {kScreenCredits, {100}},
        {kScreenHighScores, {101, 102, 100}},
        {kScreenSelectGame, {1000, 1001, 1002, 1004, 1005, 1003, 4002, 4000, 4001, 100}},
    };
    for (const auto& [id, expected] : screens) {
        SCOPED_TRACE(id);
        shell->setActiveScreen(id);
        EXPECT_EQ(focusedId(), -1) << "a screen opens with nothing focused";
        EXPECT_EQ(order(), expected);
        EXPECT_EQ(int(order().size()), actionable(*active())) << "every control is reachable";
        std::vector<int> visited;
        for (std::size_t i = 0; i <= expected.size(); ++i) {
            EXPECT_TRUE(key(kKeyTab));
            visited.push_back(focusedId());
        }
        std::vector<int> wanted = expected;
        wanted.push_back(expected.front());  // wrapped
        EXPECT_EQ(visited, wanted);
        EXPECT_TRUE(active()->keyboardFocus()->highlighted());
        InputEvent back;
        back.type = kInputKeyDown;
        back.key = kKeyTab;
        back.flags = kFlagShift;
        shell->onEvent(back);
        EXPECT_EQ(focusedId(), expected.back()) << "Shift+Tab wraps back";
        shell->setActiveScreen(kScreenMenu);
    }
}

TEST_F(KeyboardScreens, EveryMenuButtonIsPressedByKeysAndEscapeComesBack) {
    const std::pair<int, ScreenId> buttons[] = {{1, kScreenSelectGame},
                                                {2, kScreenOptions},
                                                {3, kScreenHighScores},
                                                {4, kScreenHelp},
                                                {5, kScreenCredits}};
    for (const auto& [downs, id] : buttons) {
        keys(kKeyDown, downs);  // the first Down only focuses New Game (Continue is dimmed)
        EXPECT_TRUE(key(kKeyEnter));
        EXPECT_EQ(activeId(), id);
        EXPECT_TRUE(key(kKeyEscape));
        EXPECT_EQ(activeId(), kScreenMenu);
    }
    keys(kKeyUp, 2);  // focuses New Game, then wraps to Exit past the dimmed Continue
    EXPECT_EQ(focusedId(), 100);
    // Help's and the credits' Done by keys.
    for (ScreenId id : {kScreenHelp, kScreenCredits, kScreenHighScores}) {
        shell->setActiveScreen(id);
        key(kKeyTab);
        if (id != kScreenCredits) keys(kKeyTab, 2);  // Prev, Next, then Done
        EXPECT_TRUE(key(kKeyEnter));
        EXPECT_EQ(activeId(), kScreenMenu) << id;
    }
}

// Opened by a click, game selection drops that click's release and the moves with the button
// held, but never a key; a move with no button held ends the wait.
TEST_F(KeyboardScreens, GameSelectionTakesKeysAtOnceAndIgnoresOnlyTheOpeningClick) {
    InputEvent pressNewGame = screentest::pointerAt(*shell, kInputButtonDown, 400, 399);
    shell->onEvent(pressNewGame);
    ASSERT_EQ(activeId(), kScreenSelectGame);
    auto* selection = static_cast<SelectGame*>(active());
    InputEvent drag = screentest::pointerAt(*shell, kInputPointerMove, 400, 540);
    drag.flags = kFlagLeftButton;
    EXPECT_TRUE(selection->onEvent(drag));
    EXPECT_EQ(selection->hot(), nullptr) << "a move with the button held is the opening click's";
    EXPECT_TRUE(key(kKeyDown)) << "keys are never ignored";
    EXPECT_EQ(focusedId(), SelectGame::kRemoverId);
    InputEvent releaseOnRemover = screentest::pointerAt(*shell, kInputButtonUp, 400, 540);
    shell->onEvent(releaseOnRemover);
    EXPECT_EQ(currentGame, nullptr);
    EXPECT_EQ(activeId(), kScreenSelectGame);
    shell->clickAt(400, 460);  // Classic: a move without a button, a press, a release
    ASSERT_NE(currentGame, nullptr);
    EXPECT_EQ(currentGame->modeNumber(), 1);

    // By keys alone, a new game replaces it: Remover is the first control.
    shell->setActiveScreen(kScreenSelectGame);
    key(kKeyDown);
    EXPECT_TRUE(key(kKeyEnter));
    ASSERT_NE(currentGame, nullptr);
    EXPECT_EQ(currentGame->modeNumber(), 0);
    EXPECT_EQ(activeId(), kScreenGame);
    EXPECT_EQ(currentGame->tabCount(), 0) << "the game's buttons are not tab stops";
}

// Each mode button and Random, pressed by keys, starts its mode; Prev and Next page the scores.
TEST_F(KeyboardScreens, EveryModeButtonAndTheScorePagesArePressedByKeys) {
    const std::pair<int, int> modes[] = {{1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {7, 5}};
    for (const auto& [downs, mode] : modes) {
        shell->setActiveScreen(kScreenSelectGame);
        keys(kKeyDown, downs);
        EXPECT_TRUE(key(kKeyEnter));
        ASSERT_NE(currentGame, nullptr) << downs;
        EXPECT_EQ(currentGame->modeNumber(), mode) << downs;
        EXPECT_EQ(activeId(), kScreenGame);
    }
    shell->setActiveScreen(kScreenHighScores);
    auto* score = static_cast<Score*>(active());
    key(kKeyTab);  // Prev
    key(kKeyTab);  // Next
    keys(kKeyEnter, 2);
    EXPECT_EQ(score->currentMode(), 2);
    key(kKeyUp);  // back to Prev
    key(kKeyEnter);
    EXPECT_EQ(score->currentMode(), 1);
}

TEST_F(KeyboardScreens, APuzzleIsChosenAndStartedByKeys) {
    shell->setActiveScreen(kScreenSelectGame);
    auto* selection = static_cast<SelectGame*>(active());
    ASSERT_GE(selection->puzzleCount(), 3);
    const std::vector<int> ids = order();
    const auto at = [&ids](int id) {
        return int(std::find(ids.begin(), ids.end(), id) - ids.begin());
    };
    keys(kKeyDown, at(SelectGame::kLevelListId) + 1);
    ASSERT_EQ(focusedId(), SelectGame::kLevelListId);
    keys(kKeyRight, 2);
    keys(kKeyDown, at(SelectGame::kStartId) - at(SelectGame::kLevelListId));
    ASSERT_EQ(focusedId(), SelectGame::kStartId);
    EXPECT_TRUE(key(kKeyEnter));
    ASSERT_NE(currentGame, nullptr);
    EXPECT_EQ(currentGame->modeNumber(), 5);
    EXPECT_EQ(currentGame->levelIndex, 3);
}

TEST_F(KeyboardScreens, OptionsAreChangedAndConfirmedByKeys) {
    shell->setActiveScreen(kScreenOptions);
    auto* options = static_cast<OSystemOptions*>(active());
    keys(kKeyDown, 3);  // resolution, colour depth, full screen
    ASSERT_EQ(focusedId(), OSystemOptions::kFullScreen);
    key(kKeyEnter);
    EXPECT_TRUE(options->controls().fullScreen->isChecked());
    keys(kKeyDown, 4);  // symbols on blocks, detail, the Sound box, the sound slider
    ASSERT_EQ(focusedId(), OSystemOptions::kSoundSlider);
    const float volume = options->controls().soundVolume->value();
    key(kKeyLeft);
    EXPECT_FLOAT_EQ(options->controls().soundVolume->value(), volume - 5.0f);
    key(kKeyUp);  // back to the Sound box: Up goes backwards
    EXPECT_EQ(focusedId(), OSystemOptions::kSoundCheck);
    // To the background selector: two steps before the last (Cancel, OK).
    while (focusedId() != OSystemOptions::kBackground) key(kKeyDown);
    key(kKeyRight);
    shell->step(16, false);  // the arrows' change is served at the next update
    EXPECT_EQ(SystemSettings::instance().background, 1);
    keys(kKeyDown, 2);
    ASSERT_EQ(focusedId(), OSystemOptions::kOk);
    EXPECT_TRUE(key(kKeyEnter));
    EXPECT_EQ(activeId(), kScreenMenu);
    EXPECT_EQ(shell->displayModeSwitches, 1);
    EXPECT_TRUE(saved().fullScreen);
    EXPECT_EQ(saved().soundVolume, int(volume) - 5);
    EXPECT_EQ(saved().background, 1);
}

// With "End current game?" open only its two buttons take the focus, and no shortcut acts.
TEST_F(KeyboardScreens, TheOpenDialogHoldsEveryKey) {
    auto* game = new Game;
    shell->addScreen(game);
    currentGame = game;
    shell->setActiveScreen(kScreenOptions);
    auto* options = static_cast<OSystemOptions*>(active());
    while (focusedId() != OSystemOptions::kDifficulty) key(kKeyDown);
    key(kKeyRight);
    shell->step(16, false);
    ASSERT_TRUE(options->dialog().isOpen());
    EXPECT_EQ(order(), (std::vector<int>{655, 654}));
    const int switches = shell->displayModeSwitches;
    EXPECT_FALSE(key(kKeyF11));
    EXPECT_FALSE(key(kKeyN, kFlagControl));
    EXPECT_EQ(shell->displayModeSwitches, switches);
    EXPECT_EQ(activeId(), kScreenOptions);
    key(kKeyTab);
    EXPECT_EQ(focusedId(), 655);
    key(kKeyEnter);  // Cancel
    EXPECT_FALSE(options->dialog().isOpen());
    EXPECT_EQ(currentGame, game);
    EXPECT_EQ(options->controls().difficulty->currentKey(), Difficulty::Normal);
}

TEST_F(KeyboardScreens, ShortcutsF11CtrlNAndF1) {
    EXPECT_TRUE(key(kKeyF11));
    EXPECT_FALSE(key(kKeyF11, kFlagRepeat)) << "a held F11 switches once";
    EXPECT_EQ(shell->displayModeSwitches, 1);
    EXPECT_TRUE(SystemSettings::instance().fullScreen);
    EXPECT_TRUE(saved().fullScreen) << "saved as the Options box would be";
    shell->setActiveScreen(kScreenOptions);
    auto* options = static_cast<OSystemOptions*>(active());
    EXPECT_TRUE(key(kKeyF11));
    EXPECT_FALSE(saved().fullScreen);
    EXPECT_FALSE(options->controls().fullScreen->isChecked()) << "the box follows the shortcut";

    shell->setActiveScreen(kScreenHelp);
    EXPECT_FALSE(key(kKeyF1)) << "F1 is the menu's";
    EXPECT_TRUE(key(kKeyN, kFlagControl));
    EXPECT_EQ(activeId(), kScreenSelectGame);
    EXPECT_FALSE(key(kKeyN)) << "N alone is nothing here";
    shell->setActiveScreen(kScreenMenu);
    EXPECT_TRUE(key(kKeyF1));
    EXPECT_EQ(activeId(), kScreenHelp);
}

}  // namespace
}  // namespace brx
