// Behaviour of the UI controls without a rendering context: mapping, check box, arrows, value
// cycler, slider and text field, each fed events directly and watched through a recording owner.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/BitmapFont.h"
#include "engine/KvCheckBox.h"
#include "engine/KvIncDec.h"
#include "engine/KvSlider.h"
#include "engine/OTextField.h"
#include "engine/OTextStack.h"
#include "tests/engine/ControlTestKit.h"

namespace brx {
namespace {

using controltest::character;
using controltest::FakeSkin;
using controltest::keyDown;
using controltest::move;
using controltest::press;
using controltest::RecordingOwner;
using controltest::release;
using controltest::SoundRecorder;
using Commands = std::vector<std::pair<int, int>>;

// An unbuilt font measures every glyph 10 units wide, which keeps the sums easy.
BitmapFont& testFont() {
    static BitmapFont font("Font.Tga");
    return font;
}

TEST(ControlMapping, ScalesWindowPixelsIntoTheVirtualSpace) {
    RecordingOwner owner;
    owner.width = 1024;
    owner.height = 768;
    OTextStack control(&testFont(), 1, false, 1.0f);
    control.setOwner(&owner);
    const VirtualPoint centre = control.toVirtual(512, 384);
    EXPECT_FLOAT_EQ(centre.x, 400.0f);
    EXPECT_FLOAT_EQ(centre.y, 300.0f);
    const VirtualPoint topLeft = control.toVirtual(0, 0);
    EXPECT_FLOAT_EQ(topLeft.y, 600.0f);
    EXPECT_FLOAT_EQ(control.toVirtualDx(128), 100.0f);
}

class CheckBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        box.setOwner(&owner);
        box.setTexture("Test/CheckBox.Tga");
        box.setPosition(100, 100);
    }
    FakeSkin skin{"Test/CheckBox.Tga", 32, 128};
    RecordingOwner owner;
    KvCheckBox box{&testFont(), 502, 0.75f};
};

TEST_F(CheckBoxTest, IsSizedFromAQuarterOfItsSkin) {
    EXPECT_EQ(box.width(), 32);
    EXPECT_EQ(box.height(), 32);
    EXPECT_FALSE(box.tabStop());
    EXPECT_TRUE(box.attached());
}

TEST_F(CheckBoxTest, PressAndReleaseInsideTogglesAndReports) {
    EXPECT_TRUE(box.handleEvent(press(110, 110)));
    EXPECT_TRUE(box.handleEvent(release(110, 110)));
    EXPECT_TRUE(box.isChecked());
    box.handleEvent(press(110, 110));
    box.handleEvent(release(120, 120));
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(owner.commands, (Commands{{502, 1}, {502, 2}}));
}

TEST_F(CheckBoxTest, ReleaseAfterDraggingOutsideDoesNotToggle) {
    box.handleEvent(press(110, 110));
    box.handleEvent(move(300, 300));
    EXPECT_FALSE(box.handleEvent(release(300, 300)));
    EXPECT_FALSE(box.isChecked());
    // Coming back inside before releasing counts again.
    box.handleEvent(press(110, 110));
    box.handleEvent(move(300, 300));
    box.handleEvent(move(110, 110));
    box.handleEvent(release(110, 110));
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(owner.commands, (Commands{{502, 1}}));
}

TEST_F(CheckBoxTest, ReleaseWithoutPressOrOfAnotherButtonDoesNothing) {
    EXPECT_FALSE(box.handleEvent(release(110, 110)));
    box.handleEvent(press(110, 110));
    EXPECT_FALSE(box.handleEvent(release(110, 110, kButtonRight)));
    EXPECT_FALSE(box.isChecked());
    EXPECT_TRUE(owner.commands.empty());
}

TEST_F(CheckBoxTest, HiddenOrInvisibleBoxesAreNotHit) {
    EXPECT_TRUE(box.hitTest(move(100, 100)));
    EXPECT_FALSE(box.hitTest(move(132, 110)));  // right edge is exclusive
    box.setHidden(true);
    EXPECT_FALSE(box.hitTest(move(110, 110)));
    box.setHidden(false);
    box.setVisible(false);
    EXPECT_FALSE(box.hitTest(move(110, 110)));
}

class TextStackTest : public ::testing::Test {
protected:
    void SetUp() override {
        stack.setOwner(&owner);
        stack.setSounds(1, 2);
        stack.addItem(0, "Easy");
        stack.addItem(1, "Normal");
        stack.addItem(2, "Hard");
    }
    RecordingOwner owner;
    OTextStack stack{&testFont(), 405, true, 1.0f};
};

TEST_F(TextStackTest, AddingMakesTheItemCurrentUnlessItsTextExists) {
    EXPECT_EQ(stack.currentKey(), 2);
    stack.addItem(7, "Normal");
    EXPECT_EQ(stack.itemCount(), 3u);
    EXPECT_EQ(stack.currentKey(), 2);
    stack.setCurrent(1);
    EXPECT_EQ(stack.currentText(), "Normal");
    EXPECT_EQ(stack.previousKey(), 2);
    stack.setCurrent(99);
    EXPECT_EQ(stack.currentKey(), 1);
}

TEST_F(TextStackTest, PressWrapsAroundAndReportsTheNewKey) {
    SoundRecorder sounds;
    EXPECT_TRUE(stack.handleEvent(press(0, 0)));
    EXPECT_EQ(stack.currentKey(), 0);
    stack.handleEvent(press(0, 0));
    EXPECT_EQ(owner.commands, (Commands{{405, 0}, {405, 1}}));
    EXPECT_EQ(SoundRecorder::played(), (std::vector<int>{2, 2}));
    EXPECT_FALSE(stack.handleEvent(press(0, 0, kButtonRight)));
    EXPECT_FALSE(stack.handleEvent(release(0, 0)));
}

TEST_F(TextStackTest, ADisabledStackIgnoresPressesAndPointerUntilEnabledAgain) {
    SoundRecorder sounds;
    stack.setPosition(400, 300);
    stack.gainHighlight();
    stack.setEnabled(false);
    EXPECT_FALSE(stack.highlighted());
    EXPECT_FALSE(stack.pulsing());
    EXPECT_FALSE(stack.hitTest(move(400, 300)));
    EXPECT_FALSE(stack.handleEvent(press(400, 300)));
    EXPECT_EQ(stack.currentKey(), 2);
    EXPECT_TRUE(owner.commands.empty());
    stack.setEnabled(true);
    EXPECT_TRUE(stack.hitTest(move(400, 300)));
    EXPECT_TRUE(stack.handleEvent(press(400, 300)));
    EXPECT_EQ(owner.commands, (Commands{{405, 0}}));
}

TEST_F(TextStackTest, NextAndPreviousStopAtTheEnds) {
    stack.next();
    EXPECT_EQ(stack.currentKey(), 2);
    stack.setCurrent(0);
    stack.previous();
    EXPECT_EQ(stack.currentKey(), 0);
    stack.next();
    EXPECT_EQ(stack.currentKey(), 1);
    EXPECT_TRUE(owner.commands.empty());
}

TEST_F(TextStackTest, BareTextIsHitAroundItsCentre) {
    stack.setPosition(400, 300);  // "Hard": 40 x 32 units around the centre
    EXPECT_TRUE(stack.hitTest(move(380, 284)));
    EXPECT_TRUE(stack.hitTest(move(419, 315)));
    EXPECT_FALSE(stack.hitTest(move(421, 300)));
    EXPECT_FALSE(stack.hitTest(move(400, 317)));
    stack.setHidden(true);
    EXPECT_FALSE(stack.hitTest(move(400, 300)));
}

TEST_F(TextStackTest, SkinDecidesTheHitBox) {
    FakeSkin skin("Test/Button.Tga", 128, 64);
    stack.setTexture("Test/Button.Tga");
    stack.setPosition(336, 200);
    EXPECT_EQ(stack.width(), 128);
    EXPECT_EQ(stack.height(), 32);
    EXPECT_TRUE(stack.hitTest(move(336, 200)));
    EXPECT_TRUE(stack.hitTest(move(463, 231)));
    EXPECT_FALSE(stack.hitTest(move(464, 210)));
}

TEST_F(TextStackTest, MissingSkinLeavesAOneUnitSkinlessControl) {
    stack.setTexture("Test/NoSuchButton.Tga");
    EXPECT_FALSE(stack.hasSkin());
    EXPECT_EQ(stack.width(), 1);
    EXPECT_EQ(stack.height(), 1);
}

TEST_F(TextStackTest, HighlightStartsOnePulseThatFadesOut) {
    SoundRecorder sounds;
    stack.gainHighlight();
    EXPECT_TRUE(stack.highlighted());
    EXPECT_TRUE(stack.pulsing());
    EXPECT_EQ(SoundRecorder::played(), (std::vector<int>{1}));
    stack.update(400);
    EXPECT_FLOAT_EQ(stack.pulseScale(), 1.5f);
    stack.gainHighlight();  // a running pulse is not restarted
    EXPECT_FLOAT_EQ(stack.pulseScale(), 1.5f);
    stack.update(1001);
    EXPECT_FALSE(stack.pulsing());
    EXPECT_FLOAT_EQ(stack.pulseScale(), 1.0f);
    stack.loseHighlight();
    EXPECT_FALSE(stack.highlighted());
}

class IncDecTest : public ::testing::Test {
protected:
    void SetUp() override {
        selector.addItem(0, "Low");
        selector.addItem(1, "Medium");
        selector.addItem(2, "High");
        selector.setCurrent(1);
        selector.setTexture("Test/Button.Tga");
        selector.setPosition(425, 300);
        arrows.setOwner(&owner);
        arrows.setSounds(1, 2);
        arrows.setAttached(&selector);
        arrows.setTexture("Test/HArrow.Tga");
    }
    FakeSkin buttonSkin{"Test/Button.Tga", 150, 64};
    FakeSkin arrowSkin{"Test/HArrow.Tga", 20, 40};
    RecordingOwner owner;
    OTextStack selector{&testFont(), 404, false, 0.75f};
    KvIncDec arrows{414, false};
};

TEST_F(IncDecTest, ArrowsSitBesideTheSteppedControl) {
    EXPECT_EQ(arrows.x(), 0);
    EXPECT_EQ(arrows.y(), 300);
    EXPECT_EQ(arrows.arrowWidth(), 20);
    EXPECT_EQ(arrows.arrowHeight(), 20);
    EXPECT_EQ(arrows.leftArrowX(), 403);
    EXPECT_EQ(arrows.rightArrowX(), 577);
    EXPECT_TRUE(arrows.hitTest(move(410, 310)));
    EXPECT_TRUE(arrows.overLeft());
    EXPECT_TRUE(arrows.hitTest(move(590, 310)));
    EXPECT_TRUE(arrows.overRight());
    EXPECT_FALSE(arrows.hitTest(move(500, 310)));
    EXPECT_FALSE(arrows.hitTest(move(410, 321)));
}

TEST_F(IncDecTest, PressStepsTheAttachedControlThenReports) {
    SoundRecorder sounds;
    owner.answer = false;
    arrows.hitTest(move(590, 310));
    EXPECT_FALSE(arrows.handleEvent(press(590, 310)));
    EXPECT_EQ(selector.currentKey(), 2);
    arrows.hitTest(move(410, 310));
    arrows.handleEvent(press(410, 310));
    arrows.handleEvent(press(410, 310));
    arrows.handleEvent(press(410, 310));
    EXPECT_EQ(selector.currentKey(), 0);
    EXPECT_EQ(owner.commands.size(), 4u);
    EXPECT_EQ(owner.commands.front(), std::make_pair(414, 0));
    EXPECT_EQ(SoundRecorder::played(), (std::vector<int>{2, 2, 2, 2}));
    EXPECT_FALSE(arrows.handleEvent(release(410, 310)));
    EXPECT_EQ(selector.currentKey(), 0);
}

TEST_F(IncDecTest, EnteringPlaysTheHoverSound) {
    SoundRecorder sounds;
    arrows.gainHighlight();
    EXPECT_TRUE(arrows.highlighted());
    EXPECT_EQ(SoundRecorder::played(), (std::vector<int>{1}));
}

class SliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        slider.setOwner(&owner);
        slider.setPosition(100, 50);
        slider.setGeometry(220, 20, 20, 30);  // 2 track units per value unit
    }
    RecordingOwner owner;
    KvSlider slider{&testFont(), 503, 0.0f, 100.0f, 10.0f};
};

TEST_F(SliderTest, SnapsToStepsAndClampsToTheRange) {
    EXPECT_FLOAT_EQ(slider.snap(44.0f), 40.0f);
    EXPECT_FLOAT_EQ(slider.snap(45.0f), 50.0f);
    EXPECT_FLOAT_EQ(slider.snap(-3.0f), 0.0f);
    EXPECT_FLOAT_EQ(slider.snap(130.0f), 100.0f);
    KvSlider offset(&testFont(), 1, -50.0f, 50.0f, 20.0f);
    EXPECT_FLOAT_EQ(offset.snap(-41.0f), -50.0f);
    EXPECT_FLOAT_EQ(offset.snap(-39.0f), -30.0f);
}

TEST_F(SliderTest, ArrowsMoveByFiveBeforeSnapping) {
    slider.setValue(40.0f);
    slider.next();
    EXPECT_FLOAT_EQ(slider.value(), 50.0f);
    slider.setValue(100.0f);
    slider.next();
    EXPECT_FLOAT_EQ(slider.value(), 100.0f);
    slider.setValue(40.0f);
    slider.previous();  // 35 lies halfway and rounds away from the minimum
    EXPECT_FLOAT_EQ(slider.value(), 40.0f);
    EXPECT_TRUE(owner.commands.empty());
}

TEST_F(SliderTest, ThumbFollowsTheValue) {
    EXPECT_FLOAT_EQ(slider.pixelsPerUnit(), 2.0f);
    EXPECT_EQ(slider.thumb().x(), 100);
    EXPECT_EQ(slider.thumb().y(), 45);
    slider.setValue(60.0f);
    EXPECT_EQ(slider.thumb().x(), 220);
    slider.setPosition(300, 50);  // the thumb moves along
    EXPECT_EQ(slider.thumb().x(), 420);
    O2D& asControl = slider;  // screens lay controls out through their base
    asControl.setPosition(100, 50);
    EXPECT_EQ(slider.thumb().x(), 220);
}

TEST_F(SliderTest, PressOnTheTrackJumpsAndStartsADrag) {
    ASSERT_TRUE(slider.hitTest(press(230, 60)));
    EXPECT_TRUE(slider.handleEvent(press(230, 60)));  // 100 + 10 + 2 x 60
    EXPECT_FLOAT_EQ(slider.value(), 60.0f);
    EXPECT_TRUE(slider.dragging());
    EXPECT_EQ(owner.commands, (Commands{{503, 1}}));
}

TEST_F(SliderTest, DragFollowsThePointerAndHoldsItUntilRelease) {
    slider.hitTest(press(105, 60));  // on the thumb
    slider.handleEvent(press(105, 60));
    EXPECT_TRUE(slider.dragging());
    EXPECT_TRUE(owner.commands.empty());
    EXPECT_TRUE(slider.hitTest(move(700, 400)));  // captured while dragging
    slider.handleEvent(move(170, 400, 20));       // 170 + 20 - 110 = 80 units = 40
    EXPECT_FLOAT_EQ(slider.value(), 40.0f);
    slider.handleEvent(move(700, 400, 5));
    EXPECT_FLOAT_EQ(slider.value(), 100.0f);
    EXPECT_TRUE(slider.handleEvent(release(700, 400)));
    EXPECT_FALSE(slider.dragging());
    EXPECT_FALSE(slider.hitTest(move(700, 400)));
    EXPECT_EQ(owner.commands, (Commands{{503, 1}, {503, 1}}));
}

TEST_F(SliderTest, LosingTheHighlightEndsADragAndReports) {
    slider.gainHighlight();
    EXPECT_TRUE(slider.thumb().highlighted());
    slider.hitTest(press(105, 60));
    slider.handleEvent(press(105, 60));
    slider.loseHighlight();
    EXPECT_FALSE(slider.dragging());
    EXPECT_FALSE(slider.thumb().highlighted());
    EXPECT_EQ(owner.commands, (Commands{{503, 1}}));
}

TEST(SliderGeometry, AnEmptyRangeStaysAtItsMinimum) {
    RecordingOwner owner;
    KvSlider slider(&testFont(), 9, 5.0f, 5.0f, 1.0f);
    slider.setOwner(&owner);
    slider.setGeometry(100, 20, 20, 20);
    slider.hitTest(press(60, 10));
    slider.handleEvent(press(60, 10));
    EXPECT_FLOAT_EQ(slider.value(), 5.0f);
}

class EnterCounter : public OTextField {
public:
    using OTextField::OTextField;
    void onEnter() override { ++entered; }
    int entered = 0;
};

class TextFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        field.setOwner(&owner);
        field.handleEvent(keyDown(kKeyEnd));  // the very first event is swallowed
    }
    void type(const std::string& text) {
        for (const char c : text) field.handleEvent(character(c));
    }
    RecordingOwner owner;
    EnterCounter field{&testFont(), "", 103, false};
};

TEST(TextFieldDefaults, StartsAsAFilledFramedBoxThatTakesFocusOnPress) {
    OTextField field(&testFont(), "Ann", 1, true);
    EXPECT_EQ(field.width(), 150);
    EXPECT_EQ(field.height(), 48);
    EXPECT_TRUE(field.filled());
    EXPECT_TRUE(field.bordered());
    EXPECT_EQ(field.focusMode(), kFocusOnPress);
    EXPECT_EQ(field.caret(), 3u);
    EXPECT_TRUE(field.handleEvent(character('x')));  // swallowed
    EXPECT_EQ(field.text(), "Ann");
}

TEST_F(TextFieldTest, TypesAtTheCaretUpToTheLimit) {
    type("abd");
    field.handleEvent(keyDown(kKeyLeft));
    type("c");
    EXPECT_EQ(field.text(), "abcd");
    EXPECT_EQ(field.caret(), 3u);
    type("efghijklmnopqrstuv");
    EXPECT_EQ(field.text().size(), 16u);
    EXPECT_EQ(field.text(), "abcefghijklmnopd");
}

TEST_F(TextFieldTest, EditingKeysMoveAndDelete) {
    type("abc");
    field.handleEvent(keyDown(kKeyHome));
    EXPECT_TRUE(field.handleEvent(keyDown(kKeyBackspace)));  // nothing before the caret
    EXPECT_EQ(field.text(), "abc");
    field.handleEvent(keyDown(kKeyDelete));
    EXPECT_EQ(field.text(), "bc");
    field.handleEvent(keyDown(kKeyRight));
    field.handleEvent(keyDown(kKeyBackspace));
    EXPECT_EQ(field.text(), "c");
    EXPECT_EQ(field.caret(), 0u);
    field.handleEvent(keyDown(kKeyLeft));
    EXPECT_EQ(field.caret(), 0u);
    field.handleEvent(keyDown(kKeyEnd));
    field.handleEvent(keyDown(kKeyRight));
    field.handleEvent(keyDown(kKeyDelete));
    EXPECT_EQ(field.caret(), 1u);
    EXPECT_EQ(field.text(), "c");
    EXPECT_FALSE(field.handleEvent(keyDown(kKeyUp)));
}

TEST_F(TextFieldTest, EnterReportsToTheOwner) {
    type("Bo");
    EXPECT_TRUE(field.handleEvent(keyDown(kKeyEnter)));
    EXPECT_EQ(field.entered, 1);
    EXPECT_EQ(owner.commands, (Commands{{103, 0}}));
    EXPECT_EQ(field.text(), "Bo");
}

TEST_F(TextFieldTest, ControlCharactersAreNotText) {
    type("a");
    EXPECT_FALSE(field.handleEvent(character('\t')));
    EXPECT_FALSE(field.handleEvent(character('\x1b')));
    EXPECT_FALSE(field.handleEvent(character('\b')));
    EXPECT_FALSE(field.handleEvent(character('\r')));
    EXPECT_EQ(field.text(), "a");
}

TEST_F(TextFieldTest, PressTakesTheHighlight) {
    EXPECT_TRUE(field.handleEvent(press(10, 10)));
    EXPECT_TRUE(field.highlighted());
    EXPECT_TRUE(field.hitTest(move(149, 47)));
    EXPECT_FALSE(field.hitTest(move(150, 20)));
}

TEST_F(TextFieldTest, ScrollKeepsTheCaretInView) {
    field.setSize(52, 24);  // 50 usable units: five 10-unit glyphs
    field.setText("abcdefghij");
    EXPECT_EQ(field.scrollStart(), 5u);
    EXPECT_EQ(field.visibleText(), "fghij");
    field.handleEvent(keyDown(kKeyHome));
    EXPECT_EQ(field.scrollStart(), 0u);
    for (int i = 0; i < 6; ++i) field.handleEvent(keyDown(kKeyRight));
    EXPECT_EQ(field.caret(), 6u);
    EXPECT_EQ(field.scrollStart(), 1u);
    field.setSize(200, 24);
    EXPECT_EQ(field.scrollStart(), 0u);
    O2D& asRectangle = field;  // resized through its base, it still re-scrolls
    asRectangle.setSize(52, 24);
    EXPECT_EQ(field.scrollStart(), 1u);
}

}  // namespace
}  // namespace brx
