// The key mapping of the backend: keys arrive as the Windows virtual-key numbers the screens
// and controls test for.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

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

namespace {

// Waiting for the next frame: a posted event ends the wait at once; with none the wait ends by
// itself, false.
TEST(EventsTest, WaitingHandsOverAPostedEventOrEndsEmpty) {
    if (!platform::initVideo()) GTEST_SKIP() << "no display";
    platform::Event event;
    while (platform::pollEvent(&event)) {
    }
    EXPECT_FALSE(platform::waitEvent(&event, 20));
    platform::postQuit(7);
    ASSERT_TRUE(platform::waitEvent(&event, 60000));
    EXPECT_EQ(event.type, platform::EventType::quit);
    EXPECT_EQ(event.exitCode, 7);
    platform::quitVideo();
}

TEST(EventsTest, AColourPointerIsMadeFromPixelsAndDroppedAgain) {
    if (!platform::initVideo()) GTEST_SKIP() << "no display";
    std::vector<uint8_t> pixels(8 * 8 * 4, 0);
    for (size_t at = 0; at < pixels.size(); at += 4) pixels[at] = pixels[at + 3] = 200;
    EXPECT_FALSE(platform::setColorCursor(pixels.data(), 0, 8, 0, 0));
    EXPECT_FALSE(platform::setColorCursor(nullptr, 8, 8, 0, 0));
    EXPECT_FALSE(platform::hasColorCursor());
    ASSERT_TRUE(platform::setColorCursor(pixels.data(), 8, 8, 0, 0));
    EXPECT_TRUE(platform::hasColorCursor());
    EXPECT_TRUE(platform::setColorCursor(pixels.data(), 4, 4, 1, 1)) << "a new size replaces it";
    platform::clearColorCursor();
    EXPECT_FALSE(platform::hasColorCursor());
    EXPECT_TRUE(platform::setColorCursor(pixels.data(), 8, 8, 0, 0));
    platform::quitVideo();  // drops it with the video
    EXPECT_FALSE(platform::hasColorCursor());
}

}  // namespace
