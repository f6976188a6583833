// Keyboard focus in the screen framework, without a rendering context: the reading order of
// the tab stops and its wrapping both ways, the first key that only focuses, Enter pressing
// and Left / Right stepping each kind of control (through its arrows when it has them), shown
// controls only, the text field keeping its keys, and a screen that offers no focus.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "engine/BitmapFont.h"
#include "engine/KvCheckBox.h"
#include "engine/KvIncDec.h"
#include "engine/KvSlider.h"
#include "engine/O2D.h"
#include "engine/OControl.h"
#include "engine/OTextField.h"
#include "engine/OTextStack.h"
#include "shell/ORenderWindow.h"
#include "tests/engine/ControlTestKit.h"

namespace brx {
namespace {

using controltest::keyDown;
using controltest::move;

// A square button that records what reaches it.
class Square : public OControl, public O2D {
public:
    Square(int id, int16_t x, int16_t y, int16_t size = 100) : OControl(id, false) {
        setPosition(x, y);
        setSize(size, size);
    }
    bool takesKeyboardFocus() const override { return true; }
    bool handleEvent(const InputEvent& event) override {
        received.push_back(event.type);
        return false;
    }
    bool onKey(const InputEvent& event) override {
        keys.push_back(event.key);
        return true;
    }
    bool hitTest(const InputEvent& event) override {
        const VirtualPoint point = toVirtual(event.x, event.y);
        return contains(point.x, point.y);
    }
    std::vector<int> received;
    std::vector<int> keys;
};

class Screen : public ORenderWindow {
public:
    Screen() : ORenderWindow(kScreenOptions) { resize(800, 600); }
    bool onCommand(int controlId, int value) override {
        commands.emplace_back(controlId, value);
        return true;
    }
    template <class Control>
    Control* add(Control* control) {
        addControl(control);
        return control;
    }
    std::vector<std::pair<int, int>> commands;
};

BitmapFont& font() {
    static BitmapFont instance("Font.Tga");
    return instance;
}

InputEvent shiftTab() {
    InputEvent event = keyDown(kKeyTab);
    event.flags = kFlagShift;
    return event;
}

std::vector<int> idsOf(const std::vector<OControl*>& controls) {
    std::vector<int> ids;
    for (const OControl* control : controls) ids.push_back(control->controlId());
    return ids;
}

// Added out of order: the keyboard still reads rows from the top, each from the left; a
// control a little higher than its neighbours still belongs to their row.
class ReadingOrder : public ::testing::Test {
protected:
    void SetUp() override {
        screen.add(new Square(3, 400, 100));
        screen.add(new Square(1, 0, 400));
        screen.add(new Square(2, 200, 100));
        screen.add(new Square(5, 600, 130));
        screen.add(new Square(4, 0, 100));
    }
    int focusedId() const { return screen.focused() ? screen.focused()->controlId() : -1; }
    Screen screen;
};

TEST_F(ReadingOrder, RowsTopToBottomEachLeftToRight) {
    EXPECT_EQ(screen.tabCount(), 5);
    EXPECT_EQ(idsOf(screen.readingOrder()), (std::vector<int>{1, 4, 2, 3, 5}));
}

TEST_F(ReadingOrder, TabAndDownGoForwardShiftTabAndUpBackWrappingBothWays) {
    std::vector<int> visited;
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(screen.onEvent(keyDown(i % 2 == 0 ? kKeyTab : kKeyDown)));
        visited.push_back(focusedId());
    }
    EXPECT_EQ(visited, (std::vector<int>{1, 4, 2, 3, 5, 1}));
    EXPECT_TRUE(screen.onEvent(shiftTab()));
    EXPECT_EQ(focusedId(), 5) << "back from the first wraps to the last";
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyUp)));
    EXPECT_EQ(focusedId(), 3);
    // Exactly one control shows the focus, and only it says so.
    int lit = 0, flagged = 0;
    for (std::size_t i = 0; i < screen.controlCount(); ++i) {
        lit += screen.control(i)->highlighted() ? 1 : 0;
        flagged += screen.control(i)->focused() ? 1 : 0;
    }
    EXPECT_EQ(lit, 1);
    EXPECT_EQ(flagged, 1);
    EXPECT_TRUE(screen.focused()->focused());
}

TEST_F(ReadingOrder, TheFirstKeyOnlyFocusesTheFirstControl) {
    for (uint16_t key : {kKeyEnter, kKeyLeft, kKeyUp}) {
        screen.clearFocus();
        EXPECT_TRUE(screen.onEvent(keyDown(key)));
        EXPECT_EQ(focusedId(), 1);
        const auto* first = static_cast<Square*>(screen.focused());
        EXPECT_TRUE(first->keys.empty()) << "key " << key << " acted";
    }
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyEnter)));
    EXPECT_EQ(static_cast<Square*>(screen.focused())->keys, std::vector<int>{kKeyEnter});
    EXPECT_FALSE(screen.onEvent(keyDown(kKeyEscape))) << "Escape is the screen's";
}

TEST_F(ReadingOrder, HiddenAndInvisibleControlsAreLeftOut) {
    screen.control(2)->setHidden(true);    // id 2
    screen.control(0)->setVisible(false);  // id 3
    EXPECT_EQ(idsOf(screen.readingOrder()), (std::vector<int>{1, 4, 5}));
    screen.onEvent(keyDown(kKeyTab));
    screen.onEvent(keyDown(kKeyTab));
    EXPECT_EQ(focusedId(), 4);
    screen.control(4)->setVisible(false);  // the focused one goes (a dialog opened)
    EXPECT_EQ(screen.keyboardFocus(), nullptr);
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyEnter)));
    EXPECT_EQ(focusedId(), 1) << "focus starts over on what is shown";
}

TEST_F(ReadingOrder, ThePointerHighlightSurvivesClearingTheFocus) {
    screen.onEvent(move(50, 450));  // onto id 1
    EXPECT_EQ(focusedId(), 1);
    screen.clearFocus();
    EXPECT_EQ(screen.focused(), nullptr);
    EXPECT_EQ(screen.focusIndex(), -1);
    EXPECT_TRUE(screen.hot()->highlighted());
    screen.onEvent(move(700, 590));  // off every control
    EXPECT_FALSE(screen.hot()->highlighted());
    EXPECT_FALSE(screen.hot()->focused());
}

// --- each kind of control --------------------------------------------------------------------

TEST(KeyboardControls, EnterPressesButtonsAndCheckBoxes) {
    Screen screen;
    auto* button = screen.add(new OTextStack(&font(), 7, false, 1.0f));
    button->addItem(0, "Go");
    auto* box = screen.add(new KvCheckBox(&font(), 12, 1.0f));
    EXPECT_TRUE(button->tabStop() && box->tabStop());
    screen.setFocus(button);
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyEnter)));
    EXPECT_FALSE(screen.onEvent(keyDown(kKeyLeft))) << "a plain button has nothing to step";
    screen.setFocus(box);
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyEnter)));
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyEnter)));
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(screen.commands,
              (std::vector<std::pair<int, int>>{
                  {7, 0}, {12, KvCheckBox::kBecameChecked}, {12, KvCheckBox::kBecameUnchecked}}));
}

TEST(KeyboardControls, LeftAndRightStepThroughTheArrowsOrTheControlItself) {
    Screen screen;
    auto* withArrows = screen.add(new OTextStack(&font(), 8, false, 1.0f));
    for (int key : {0, 1, 2}) withArrows->addItem(key, std::to_string(key));
    withArrows->setCurrent(0);
    auto* arrows = new KvIncDec(9, false);
    arrows->setAttached(withArrows);
    arrows->placeArrows(16, 32);
    screen.add(arrows);
    EXPECT_FALSE(arrows->tabStop()) << "arrows are reached through their control";
    auto* bare = screen.add(new OTextStack(&font(), 10, false, 1.0f));
    for (int key : {0, 1}) bare->addItem(key, key == 0 ? "off" : "on");
    bare->setCurrent(0);
    auto* slider = screen.add(new KvSlider(&font(), 11, 0.0f, 255.0f, 5.0f));
    slider->setGeometry(200, 20, 20, 20);
    slider->setValue(100.0f);

    screen.setFocus(withArrows);
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyRight)));
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyRight)));
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyRight)));  // stays on the last, as the arrow does
    EXPECT_EQ(withArrows->currentKey(), 2);
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyLeft)));
    EXPECT_EQ(withArrows->currentKey(), 1);
    screen.setFocus(bare);
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyRight)));
    EXPECT_FALSE(screen.onEvent(keyDown(kKeyRight))) << "nothing past the last item";
    EXPECT_EQ(bare->currentKey(), 1);
    screen.setFocus(slider);
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyRight)));
    EXPECT_FLOAT_EQ(slider->value(), 105.0f);
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyLeft)));
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyLeft)));
    EXPECT_FLOAT_EQ(slider->value(), 95.0f);
    EXPECT_EQ(screen.commands,
              (std::vector<std::pair<int, int>>{
                  {9, 0}, {9, 0}, {9, 0}, {9, 0}, {10, 1}, {11, 1}, {11, 1}, {11, 1}}));
}

TEST(KeyboardControls, ATextFieldKeepsEnterAndTheArrowsButTabLeavesIt) {
    Screen screen;
    auto* before = screen.add(new Square(1, 100, 500));
    auto* field = screen.add(new OTextField(&font(), "ab", 103, true));
    field->setPosition(250, 300);
    field->handleEvent(InputEvent{});  // the field's first event is its own
    screen.setFocus(field);
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyLeft)));
    EXPECT_TRUE(screen.onEvent(controltest::character('x')));
    EXPECT_EQ(field->text(), "axb");
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyEnter)));
    EXPECT_EQ(screen.commands, (std::vector<std::pair<int, int>>{{103, 0}}));
    EXPECT_TRUE(before->keys.empty());
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyTab)));
    EXPECT_EQ(screen.focused(), before);
}

// Typing a name, the pointer may pass over the buttons: they light, the keys stay with the
// field; a press on a button takes the focus.
TEST(KeyboardControls, ATextFieldKeepsTheKeysWhileThePointerPassesOverButtons) {
    Screen screen;
    auto* done = screen.add(new Square(100, 475, 20));
    auto* field = screen.add(new OTextField(&font(), "", 103, true));
    field->setPosition(250, 300);
    field->handleEvent(InputEvent{});
    screen.setFocus(field);
    screen.onEvent(move(500, 50));
    EXPECT_TRUE(done->highlighted());
    EXPECT_TRUE(screen.onEvent(controltest::character('A')));
    screen.onEvent(move(700, 590));  // off again
    EXPECT_FALSE(done->highlighted());
    EXPECT_TRUE(screen.onEvent(controltest::character('b')));
    EXPECT_EQ(field->text(), "Ab");
    EXPECT_EQ(screen.keyboardFocus(), field);
    screen.onEvent(controltest::press(500, 50));
    EXPECT_EQ(screen.keyboardFocus(), done);
}

// The game keeps the arrows and Enter for its board: none of its controls is a tab stop, so
// the keys pass by them.
TEST(KeyboardControls, AScreenThatOffersNoFocusMakesNoTabStops) {
    class Board : public Screen {
    public:
        bool offersKeyboardFocus() const override { return false; }
    };
    Board screen;
    auto* button = screen.add(new OTextStack(&font(), 9513, false, 1.0f));
    button->addItem(0, "Menu");
    EXPECT_EQ(screen.tabCount(), 0);
    EXPECT_FALSE(screen.onEvent(keyDown(kKeyEnter)));
    EXPECT_FALSE(screen.onEvent(keyDown(kKeyTab)));
    EXPECT_TRUE(screen.commands.empty());
}

}  // namespace
}  // namespace brx
