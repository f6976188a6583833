// The key mapping of the backend: keys arrive as the Windows virtual-key numbers the screens
// and controls test for.
#include <gtest/gtest.h>

#include "platform/Platform.h"

namespace {

TEST(EventsTest, KeysTheGameReadsMapToTheirVirtualKeyNumbers) {
    EXPECT_EQ(platform::virtualKeyFromName("Backspace"), 8);
    EXPECT_EQ(platform::virtualKeyFromName("Tab"), 9);
    EXPECT_EQ(platform::virtualKeyFromName("Return"), 13);
    EXPECT_EQ(platform::virtualKeyFromName("Keypad Enter"), 13);
    EXPECT_EQ(platform::virtualKeyFromName("Escape"), 27);
    EXPECT_EQ(platform::virtualKeyFromName("Space"), 32);
    EXPECT_EQ(platform::virtualKeyFromName("End"), 35);
    EXPECT_EQ(platform::virtualKeyFromName("Home"), 36);
    EXPECT_EQ(platform::virtualKeyFromName("Left"), 37);
    EXPECT_EQ(platform::virtualKeyFromName("Up"), 38);
    EXPECT_EQ(platform::virtualKeyFromName("Right"), 39);
    EXPECT_EQ(platform::virtualKeyFromName("Down"), 40);
    EXPECT_EQ(platform::virtualKeyFromName("Delete"), 46);
}

TEST(EventsTest, LettersAndDigitsBecomeUppercaseAscii) {
    EXPECT_EQ(platform::virtualKeyFromName("A"), 'A');
    EXPECT_EQ(platform::virtualKeyFromName("Z"), 'Z');
    EXPECT_EQ(platform::virtualKeyFromName("0"), '0');
    EXPECT_EQ(platform::virtualKeyFromName("9"), '9');
    EXPECT_EQ(platform::virtualKeyFromName("F1"), 112);
    EXPECT_EQ(platform::virtualKeyFromName("Keypad 5"), 101);
}

TEST(EventsTest, UnknownKeysMapToNothing) {
    EXPECT_EQ(platform::virtualKeyFromName("no such key"), 0);
    EXPECT_EQ(platform::virtualKeyFromName("AudioMute"), 0);
}

}  // namespace
