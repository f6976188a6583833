// Screen framework without a rendering context: control bookkeeping (adding, removing, tab
// indices, focus) and the three routing cases, watched through probe controls that record
// what reaches them.
#include "shell/ORenderWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/BitmapFont.h"
#include "engine/KvSlider.h"
#include "engine/O2D.h"
#include "engine/OControl.h"
#include "engine/OTextField.h"
#include "engine/OTextStack.h"
#include "tests/engine/ControlTestKit.h"

namespace brx {
namespace {

using controltest::character;
using controltest::keyDown;
using controltest::move;
using controltest::press;
using controltest::release;
using controltest::SoundRecorder;

// A rectangle control that records every event handed to it and consumes as told.
class Probe : public OControl, public O2D {
public:
    Probe(int id, bool tabStop, FocusMode mode, int16_t x, int16_t y, int16_t size = 100)
        : OControl(id, tabStop, mode) {
        setPosition(x, y);
        setSize(size, size);
    }
    bool handleEvent(const InputEvent& event) override {
        received.push_back(event.type);
        return consumes;
    }
    bool hitTest(const InputEvent& event) override {
        const VirtualPoint point = toVirtual(event.x, event.y);
        return contains(point.x, point.y);
    }
    bool attached() override {
        ++attachments;
        return false;
    }
    void gainHighlight() override {
        ++gains;
        OControl::gainHighlight();
    }
    void update(int elapsedMs) override { updates.push_back(elapsedMs); }

    std::vector<int> received;
    std::vector<int> updates;
    bool consumes = true;
    int attachments = 0;
    int gains = 0;
};

// A screen that keeps what its controls report.
class RecordingScreen : public ORenderWindow {
public:
    RecordingScreen() : ORenderWindow(kScreenOptions) { resize(800, 600); }
    bool onCommand(int controlId, int value) override {
        commands.emplace_back(controlId, value);
        return true;
    }
    std::vector<std::pair<int, int>> commands;
};

BitmapFont& testFont() {
    static BitmapFont font("Font.Tga");
    return font;
}

// Adds a probe to the screen and returns it (the screen owns it).
Probe* addProbe(ORenderWindow& screen, int id, bool tabStop, FocusMode mode, int16_t x, int16_t y) {
    auto* probe = new Probe(id, tabStop, mode, x, y);
    screen.addControl(probe);
    return probe;
}

TEST(ScreenSetUp, StartsSmallAndEmpty) {
    ORenderWindow screen(kScreenHelp);
    EXPECT_EQ(screen.id(), kScreenHelp);
    EXPECT_EQ(screen.width(), 20);
    EXPECT_EQ(screen.height(), 20);
    EXPECT_EQ(screen.focusIndex(), -1);
    EXPECT_TRUE(screen.init());
    EXPECT_FALSE(screen.onCommand(1, 1));
    EXPECT_FALSE(screen.hasBackground());
    screen.resize(1024, 768);
    EXPECT_EQ(screen.windowWidth(), 1024);
    EXPECT_EQ(screen.windowHeight(), 768);
}

TEST(ScreenControls, AddingTwiceHasNoEffectAndTabIndicesFollowAddingOrder) {
    RecordingScreen screen;
    Probe* first = addProbe(screen, 1, true, kFocusFollowsPointer, 0, 0);
    Probe* plain = addProbe(screen, 2, false, kFocusFollowsPointer, 0, 0);
    Probe* second = addProbe(screen, 3, true, kFocusFollowsPointer, 0, 0);
    EXPECT_FALSE(screen.addControl(first));
    EXPECT_FALSE(screen.addControl(nullptr));
    EXPECT_EQ(screen.controlCount(), 3u);
    EXPECT_EQ(first->attachments, 1);
    EXPECT_EQ(first->owner(), &screen);
    EXPECT_EQ(screen.tabCount(), 2);
    EXPECT_EQ(first->tabIndex(), 0);
    EXPECT_EQ(second->tabIndex(), 1);
    EXPECT_FALSE(plain->tabStop());
}

TEST(ScreenControls, RemovingATabStopRenumbersTheLaterOnes) {
    RecordingScreen screen;
    Probe* first = addProbe(screen, 1, true, kFocusFollowsPointer, 0, 0);
    Probe* middle = addProbe(screen, 2, true, kFocusFollowsPointer, 200, 0);
    Probe* plain = addProbe(screen, 3, false, kFocusFollowsPointer, 0, 0);
    Probe* last = addProbe(screen, 4, true, kFocusFollowsPointer, 400, 0);
    screen.setFocus(last);
    EXPECT_EQ(screen.focusIndex(), 2);
    EXPECT_EQ(screen.removeControl(middle), middle);
    EXPECT_EQ(screen.tabCount(), 2);
    EXPECT_EQ(first->tabIndex(), 0);
    EXPECT_EQ(last->tabIndex(), 1);
    EXPECT_EQ(plain->tabIndex(), 0);
    EXPECT_EQ(screen.focusIndex(), 1);
    EXPECT_EQ(screen.removeControl(middle), nullptr);
    delete middle;
    // Tab still reaches every remaining tab stop.
    screen.onEvent(keyDown(kKeyTab));
    EXPECT_EQ(screen.focused(), first);
    screen.onEvent(keyDown(kKeyTab));
    EXPECT_EQ(screen.focused(), last);
}

TEST(ScreenControls, ARemovedControlIsNoLongerHotOrFocused) {
    RecordingScreen screen;
    Probe* button = addProbe(screen, 1, true, kFocusFollowsPointer, 0, 0);
    screen.onEvent(move(50, 50));
    ASSERT_EQ(screen.hot(), button);
    ASSERT_EQ(screen.focused(), button);
    Probe* removed = static_cast<Probe*>(screen.removeControl(button));
    EXPECT_EQ(screen.hot(), nullptr);
    EXPECT_EQ(screen.focused(), nullptr);
    EXPECT_EQ(screen.focusIndex(), -1);
    EXPECT_EQ(screen.tabCount(), 0);
    delete removed;
    EXPECT_FALSE(screen.onEvent(move(60, 60)));
}

TEST(ScreenControls, SetFocusMovesTheHighlight) {
    RecordingScreen screen;
    Probe* plain = addProbe(screen, 1, false, kFocusFollowsPointer, 0, 0);
    Probe* stop = addProbe(screen, 2, true, kFocusFollowsPointer, 200, 0);
    screen.setFocus(plain);
    EXPECT_TRUE(plain->highlighted());
    EXPECT_EQ(screen.hot(), plain);
    EXPECT_EQ(screen.focused(), nullptr);
    screen.setFocus(stop);
    EXPECT_FALSE(plain->highlighted());
    EXPECT_TRUE(stop->highlighted());
    EXPECT_EQ(screen.focused(), stop);
    EXPECT_EQ(screen.focusIndex(), 0);
    Probe stranger(3, true, kFocusFollowsPointer, 0, 0);
    screen.setFocus(&stranger);
    EXPECT_FALSE(stranger.highlighted());
    EXPECT_EQ(screen.hot(), stop);
}

TEST(ScreenControls, UpdateReachesEveryControlInOrder) {
    RecordingScreen screen;
    Probe* first = addProbe(screen, 1, false, kFocusFollowsPointer, 0, 0);
    Probe* second = addProbe(screen, 2, false, kFocusFollowsPointer, 0, 0);
    screen.update(16);
    EXPECT_EQ(first->updates, std::vector<int>{16});
    EXPECT_EQ(second->updates, std::vector<int>{16});
}

// --- no tab stops -------------------------------------------------------------------------------

TEST(PointerRouting, TabDoesNothingWithoutTabStops) {
    RecordingScreen screen;
    Probe* button = addProbe(screen, 1, false, kFocusFollowsPointer, 0, 0);
    screen.onEvent(move(500, 500));
    EXPECT_FALSE(screen.onEvent(keyDown(kKeyTab)));
    EXPECT_EQ(screen.focusIndex(), -1);
    EXPECT_FALSE(button->highlighted());
    EXPECT_TRUE(button->received.empty());
}

TEST(PointerRouting, TheControlAddedLastHearsFirst) {
    RecordingScreen screen;
    Probe* below = addProbe(screen, 1, false, kFocusFollowsPointer, 0, 0);
    Probe* above = addProbe(screen, 2, false, kFocusFollowsPointer, 50, 50);
    EXPECT_TRUE(screen.onEvent(press(75, 75)));
    EXPECT_EQ(above->received, std::vector<int>{kInputButtonDown});
    EXPECT_TRUE(below->received.empty());
    above->consumes = false;
    EXPECT_TRUE(screen.onEvent(press(75, 75)));
    EXPECT_EQ(below->received, std::vector<int>{kInputButtonDown});
}

TEST(PointerRouting, HighlightFollowsThePointerForModeZeroOnly) {
    RecordingScreen screen;
    Probe* button = addProbe(screen, 1, false, kFocusFollowsPointer, 0, 0);
    Probe* field = addProbe(screen, 2, false, kFocusOnPress, 200, 0);
    field->consumes = false;  // like a text field, which ignores pointer moves
    screen.onEvent(move(50, 50));
    EXPECT_TRUE(button->highlighted());
    EXPECT_EQ(screen.hot(), button);
    screen.onEvent(move(250, 50));  // passing over a mode-1 control does not light it
    EXPECT_FALSE(button->highlighted());
    EXPECT_FALSE(field->highlighted());
    screen.onEvent(press(250, 50));
    EXPECT_TRUE(field->highlighted());
    EXPECT_EQ(screen.hot(), field);
    screen.onEvent(move(500, 500));
    EXPECT_TRUE(field->highlighted());
}

TEST(PointerRouting, EnteringOnceGivesOneHighlight) {
    RecordingScreen screen;
    Probe* button = addProbe(screen, 1, false, kFocusFollowsPointer, 0, 0);
    screen.onEvent(move(10, 10));
    screen.onEvent(move(20, 20));
    screen.onEvent(move(30, 30));
    EXPECT_EQ(button->gains, 1);
}

TEST(PointerRouting, APressedFocusOnPressControlKeepsGettingKeys) {
    RecordingScreen screen;
    auto* field = new OTextField(&testFont(), "", 103, false);
    field->setPosition(250, 125);
    screen.addControl(field);
    screen.onEvent(press(300, 140));  // swallowed as the field's first event
    EXPECT_TRUE(field->highlighted());
    screen.onEvent(move(700, 500));
    EXPECT_TRUE(screen.onEvent(character('J')));
    EXPECT_TRUE(screen.onEvent(character('o')));
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyEnter)));
    EXPECT_EQ(field->text(), "Jo");
    EXPECT_EQ(screen.commands, (std::vector<std::pair<int, int>>{{103, 0}}));
}

TEST(PointerRouting, InvisibleControlsAreSkipped) {
    RecordingScreen screen;
    Probe* button = addProbe(screen, 1, false, kFocusFollowsPointer, 0, 0);
    button->setVisible(false);
    EXPECT_FALSE(screen.onEvent(press(50, 50)));
    EXPECT_TRUE(button->received.empty());
    EXPECT_FALSE(button->highlighted());
}

TEST(PointerRouting, ADraggedSliderKeepsThePointer) {
    RecordingScreen screen;
    auto* slider = new KvSlider(&testFont(), 503, 0.0f, 255.0f, 5.0f);
    slider->setPosition(425, 360);
    slider->setGeometry(275, 16, 20, 24);  // one unit of track per value unit
    screen.addControl(slider);
    screen.onEvent(press(435, 365));  // on the thumb
    screen.onEvent(move(600, 100, 0));
    EXPECT_FLOAT_EQ(slider->value(), 165.0f);
    screen.onEvent(release(600, 100));
    EXPECT_FALSE(slider->dragging());
    EXPECT_EQ(screen.commands, (std::vector<std::pair<int, int>>{{503, 1}}));
}

// --- tab stops, keys ----------------------------------------------------------------------------

class TabRouting : public ::testing::Test {
protected:
    void SetUp() override {
        first = addProbe(screen, 1, true, kFocusFollowsPointer, 0, 0);
        plain = addProbe(screen, 2, false, kFocusFollowsPointer, 200, 0);
        second = addProbe(screen, 3, true, kFocusFollowsPointer, 400, 0);
    }
    RecordingScreen screen;
    Probe* first = nullptr;
    Probe* plain = nullptr;
    Probe* second = nullptr;
};

TEST_F(TabRouting, TabFocusesTheFirstStopThenWraps) {
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyTab)));
    EXPECT_EQ(screen.focusIndex(), 0);
    EXPECT_EQ(screen.focused(), first);
    EXPECT_TRUE(first->highlighted());
    screen.onEvent(keyDown(kKeyTab));
    EXPECT_EQ(screen.focused(), second);
    EXPECT_FALSE(first->highlighted());
    screen.onEvent(keyDown(kKeyTab));
    EXPECT_EQ(screen.focusIndex(), 0);
    EXPECT_EQ(screen.focused(), first);
    EXPECT_TRUE(first->received.empty());  // Tab itself is not handed on
}

TEST_F(TabRouting, OtherKeysGoToTheFocusedStop) {
    EXPECT_FALSE(screen.onEvent(keyDown(kKeyHome)));  // nothing focused yet
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyEnter)));  // only focuses the first stop
    EXPECT_EQ(screen.focused(), first);
    EXPECT_TRUE(first->received.empty());
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyEnter)));
    first->consumes = false;
    EXPECT_FALSE(screen.onEvent(character('a')));
    EXPECT_EQ(first->received, (std::vector<int>{kInputKeyDown, kInputCharacter}));
    EXPECT_TRUE(plain->received.empty());
    EXPECT_TRUE(second->received.empty());
}

TEST_F(TabRouting, AnInvisibleStopIsPassedOver) {
    first->setVisible(false);
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyTab)));
    EXPECT_EQ(screen.focused(), second);
    EXPECT_TRUE(screen.onEvent(keyDown(kKeyTab)));
    EXPECT_EQ(screen.focused(), second) << "the only shown stop";
    second->setVisible(false);
    EXPECT_FALSE(screen.onEvent(keyDown(kKeyTab))) << "no shown stop: Tab does nothing";
}

// --- tab stops, pointer -------------------------------------------------------------------------

TEST_F(TabRouting, PointerFocusesWhatItEnters) {
    EXPECT_TRUE(screen.onEvent(move(450, 50)));
    EXPECT_EQ(screen.focused(), second);
    EXPECT_EQ(screen.hot(), second);
    EXPECT_EQ(screen.focusIndex(), 1);
    EXPECT_TRUE(second->highlighted());
    screen.onEvent(move(50, 50));
    EXPECT_EQ(screen.focused(), first);
    EXPECT_FALSE(second->highlighted());
    screen.onEvent(move(250, 50));  // a plain control takes the highlight, not the focus
    EXPECT_EQ(screen.hot(), plain);
    EXPECT_EQ(screen.focused(), first);
    EXPECT_TRUE(plain->highlighted());
}

TEST_F(TabRouting, LeavingTheHotStopDropsHighlightAndFocusIndex) {
    screen.onEvent(move(450, 50));
    EXPECT_FALSE(screen.onEvent(move(700, 500)));
    EXPECT_FALSE(second->highlighted());
    EXPECT_EQ(screen.focusIndex(), -1);
    // The next Tab starts over at the first stop.
    screen.onEvent(keyDown(kKeyTab));
    EXPECT_EQ(screen.focused(), first);
}

TEST_F(TabRouting, HoverSoundPlaysOnceWhileThePointerStaysOn) {
    SoundRecorder sounds;
    auto* button = new OTextStack(&testFont(), 7, true, 1.0f);
    button->addItem(0, "Play");
    button->setPosition(400, 400);
    button->setSounds(1, 2);
    screen.addControl(button);
    screen.onEvent(move(400, 400));
    screen.onEvent(move(401, 401));
    screen.onEvent(move(402, 402));
    EXPECT_EQ(SoundRecorder::played(), std::vector<int>{1});
    screen.onEvent(press(402, 402));
    EXPECT_EQ(SoundRecorder::played(), (std::vector<int>{1, 2}));
    EXPECT_EQ(screen.commands, (std::vector<std::pair<int, int>>{{7, 0}}));
}

TEST_F(TabRouting, FocusOnPressStopWaitsForAPress) {
    auto* field = new OTextField(&testFont(), "", 103, true);
    field->setPosition(250, 300);
    screen.addControl(field);
    EXPECT_FALSE(screen.onEvent(move(300, 320)));
    EXPECT_FALSE(field->highlighted());
    EXPECT_TRUE(screen.onEvent(press(300, 320)));
    EXPECT_TRUE(field->highlighted());
    EXPECT_EQ(screen.focused(), field);
    EXPECT_EQ(screen.focusIndex(), 2);
    screen.onEvent(character('Z'));
    EXPECT_EQ(field->text(), "Z");
}

}  // namespace
}  // namespace brx
