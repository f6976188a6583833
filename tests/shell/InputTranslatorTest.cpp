// Window messages of the platform become the InputEvents screens and controls consume.
#include <gtest/gtest.h>

#include "shell/InputTranslator.h"

namespace brx {
namespace {

platform::Event message(platform::EventType type, int x = 0, int y = 0) {
    platform::Event event;
    event.type = type;
    event.x = x;
    event.y = y;
    return event;
}

TEST(InputTranslatorTest, PointerMovesCarryPositionStateAndMovement) {
    InputTranslator translator;
    InputEvent event;
    platform::Event move = message(platform::EventType::pointerMove, 100, 50);
    move.state = platform::kStateLeftButton | platform::kStateShift;
    ASSERT_TRUE(translator.translate(move, &event));
    EXPECT_EQ(event.type, kInputPointerMove);
    EXPECT_EQ(event.flags, kFlagLeftButton | kFlagShift);
    EXPECT_EQ(event.x, 100);
    EXPECT_EQ(event.y, 50);
    EXPECT_EQ(event.dx, 100);
    EXPECT_EQ(event.dy, 50);

    ASSERT_TRUE(translator.translate(message(platform::EventType::pointerMove, 90, 70), &event));
    EXPECT_EQ(event.dx, -10);
    EXPECT_EQ(event.dy, 20);
}

TEST(InputTranslatorTest, ButtonsNameTheirButtonAndMoveThePointer) {
    InputTranslator translator;
    InputEvent event;
    platform::Event press = message(platform::EventType::buttonDown, 30, 40);
    press.button = kButtonRight;
    ASSERT_TRUE(translator.translate(press, &event));
    EXPECT_EQ(event.type, kInputButtonDown);
    EXPECT_EQ(event.button, kButtonRight);
    EXPECT_EQ(event.x, 30);
    EXPECT_EQ(event.dx, 0) << "movement belongs to pointer moves only";

    platform::Event release = message(platform::EventType::buttonUp, 31, 41);
    release.button = kButtonMiddle;
    ASSERT_TRUE(translator.translate(release, &event));
    EXPECT_EQ(event.type, kInputButtonUp);
    EXPECT_EQ(event.button, kButtonMiddle);
    EXPECT_EQ(translator.lastX(), 31);
    EXPECT_EQ(translator.lastY(), 41);
}

TEST(InputTranslatorTest, KeysAndCharactersReportTheLastPointerPosition) {
    InputTranslator translator;
    InputEvent event;
    translator.translate(message(platform::EventType::pointerMove, 200, 150), &event);

    platform::Event key = message(platform::EventType::keyDown);
    key.key = kKeyEscape;
    ASSERT_TRUE(translator.translate(key, &event));
    EXPECT_EQ(event.type, kInputKeyDown);
    EXPECT_EQ(event.key, kKeyEscape);
    EXPECT_EQ(event.x, 200);
    EXPECT_EQ(event.y, 150);

    key.type = platform::EventType::keyUp;
    ASSERT_TRUE(translator.translate(key, &event));
    EXPECT_EQ(event.type, kInputKeyUp);

    platform::Event character = message(platform::EventType::character);
    character.key = 0xE9;  // Latin-1 e acute
    ASSERT_TRUE(translator.translate(character, &event));
    EXPECT_EQ(event.type, kInputCharacter);
    EXPECT_EQ(event.key, 0xE9);
    EXPECT_EQ(event.x, 200);
}

// Shortcuts read Shift, Control and the repeat mark from key events; button bits never ride
// along.
TEST(InputTranslatorTest, KeysCarryShiftControlAndRepeatOnly) {
    InputTranslator translator;
    InputEvent event;
    platform::Event key = message(platform::EventType::keyDown);
    key.key = 'N';
    key.state = platform::kStateControl | platform::kStateShift | platform::kStateLeftButton |
                platform::kStateRepeat;
    ASSERT_TRUE(translator.translate(key, &event));
    EXPECT_EQ(event.flags, kFlagControl | kFlagShift | kFlagRepeat);
    key.state = 0;
    ASSERT_TRUE(translator.translate(key, &event));
    EXPECT_EQ(event.flags, 0);
}

TEST(InputTranslatorTest, WindowMessagesMakeNoEvent) {
    InputTranslator translator;
    InputEvent event;
    event.type = kInputPointerMove;
    for (platform::EventType type :
         {platform::EventType::none, platform::EventType::minimized, platform::EventType::resized,
          platform::EventType::closeRequested, platform::EventType::quit}) {
        EXPECT_FALSE(translator.translate(message(type, 5, 5), &event));
    }
    EXPECT_EQ(event.type, kInputPointerMove) << "the event is left untouched";
    EXPECT_EQ(translator.lastX(), 0) << "nor does the pointer position move";
}

}  // namespace
}  // namespace brx
