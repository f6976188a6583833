// Game controllers through SDL's virtual game controller (real SDL, no stand-in): plugged in
// and out while events are read, every button as its key, the D-pad and the left stick as
// arrows with a dead zone, a held direction repeating until it is let go, and nothing left
// repeating once the pad is gone. Waits poll with generous time-outs; no duration is asserted.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Platform.h"

namespace {

using platform::Event;
using platform::EventType;

constexpr double kPatienceMs = 20000.0;

class Controllers : public ::testing::Test {
protected:
    void SetUp() override {
        if (!platform::initVideo()) GTEST_SKIP() << "no display";
        drain();
        handle = platform::attachVirtualController();
        if (handle < 0) GTEST_SKIP() << "SDL makes no virtual game controller here";
        ASSERT_TRUE(waitFor([] { return platform::controllerCount() == 1; }))
            << "the plugged pad was not opened";
    }
    void TearDown() override {
        if (handle >= 0) platform::detachVirtualController(handle);
        platform::quitVideo();
    }

    // Reads events until the condition holds; false after the time-out.
    template <class Condition>
    bool waitFor(Condition done) {
        const double end = platform::preciseTimeMs() + kPatienceMs;
        Event event;
        while (!done()) {
            if (platform::preciseTimeMs() > end) return false;
            platform::waitEvent(&event, 10);
        }
        return true;
    }
    // The next key event (other events skipped); type none after the time-out.
    Event nextKey() {
        const double end = platform::preciseTimeMs() + kPatienceMs;
        Event event;
        while (platform::preciseTimeMs() < end) {
            if (!platform::waitEvent(&event, 10)) continue;
            if (event.type == EventType::keyDown || event.type == EventType::keyUp) return event;
        }
        return Event{};
    }
    void drain() {
        Event event;
        while (platform::pollEvent(&event)) {
        }
    }
    void expectKey(EventType type, int key, uint16_t state = 0) {
        const Event event = nextKey();
        EXPECT_EQ(event.type, type);
        EXPECT_EQ(event.key, key);
        EXPECT_EQ(event.state, state);
    }
    void tap(int button, int key, uint16_t state = 0) {
        SCOPED_TRACE(button);
        ASSERT_TRUE(platform::setVirtualControllerButton(handle, button, true));
        expectKey(EventType::keyDown, key, state);
        ASSERT_TRUE(platform::setVirtualControllerButton(handle, button, false));
        expectRelease(key, state);
    }
    // The key comes up; repeats of it made before the release may come first.
    void expectRelease(int key, uint16_t state = 0) {
        Event event = nextKey();
        while (event.type == EventType::keyDown && event.key == key) event = nextKey();
        EXPECT_EQ(event.type, EventType::keyUp);
        EXPECT_EQ(event.key, key);
        EXPECT_EQ(event.state, state);
    }

    int handle = -1;
};

TEST_F(Controllers, EveryButtonSpeaksAsItsKey) {
    tap(platform::kPadA, 13);
    tap(platform::kPadB, 27);
    tap(platform::kPadX, 'Z', platform::kStateControl);
    tap(platform::kPadY, 'Y', platform::kStateControl);
    tap(platform::kPadStart, 19);
    tap(platform::kPadLeftShoulder, 'N');
    tap(platform::kPadRightShoulder, 'N');
    tap(platform::kPadUp, 38);
    tap(platform::kPadDown, 40);
    tap(platform::kPadLeft, 37);
    tap(platform::kPadRight, 39);
}

TEST_F(Controllers, AHeldDirectionRepeatsUntilItIsLetGo) {
    ASSERT_TRUE(platform::setVirtualControllerButton(handle, platform::kPadLeft, true));
    expectKey(EventType::keyDown, 37);
    // The repeats, once their delay is over, marked as such (shortcuts ignore them).
    expectKey(EventType::keyDown, 37, platform::kStateRepeat);
    expectKey(EventType::keyDown, 37, platform::kStateRepeat);
    ASSERT_TRUE(platform::setVirtualControllerButton(handle, platform::kPadLeft, false));
    expectRelease(37);
    ASSERT_TRUE(platform::setVirtualControllerButton(handle, platform::kPadA, true));
    expectKey(EventType::keyDown, 13);  // the next key is A, not another Left
}

TEST_F(Controllers, TheLeftStickIsTheArrowsPastItsDeadZone) {
    ASSERT_TRUE(platform::setVirtualControllerAxis(handle, platform::kPadLeftX, 6000));
    ASSERT_TRUE(platform::setVirtualControllerAxis(handle, platform::kPadLeftX, -30000));
    expectKey(EventType::keyDown, 37);  // the small push before it was inside the dead zone
    // Back a little stays pushed; only near the middle is the stick let go.
    ASSERT_TRUE(platform::setVirtualControllerAxis(handle, platform::kPadLeftX, -12000));
    ASSERT_TRUE(platform::setVirtualControllerAxis(handle, platform::kPadLeftX, 0));
    expectRelease(37);
    ASSERT_TRUE(platform::setVirtualControllerAxis(handle, platform::kPadLeftY, 32767));
    expectKey(EventType::keyDown, 40);
    ASSERT_TRUE(platform::setVirtualControllerAxis(handle, platform::kPadLeftY, 0));
    expectRelease(40);
}

TEST_F(Controllers, APadUnpluggedWhileHeldLeavesNothingRepeatingAndCanComeBack) {
    ASSERT_TRUE(platform::setVirtualControllerButton(handle, platform::kPadRight, true));
    expectKey(EventType::keyDown, 39);
    platform::detachVirtualController(handle);
    handle = -1;
    ASSERT_TRUE(waitFor([] { return platform::controllerCount() == 0; }));
    drain();
    handle = platform::attachVirtualController();
    ASSERT_GE(handle, 0);
    ASSERT_TRUE(waitFor([] { return platform::controllerCount() == 1; }));
    ASSERT_TRUE(platform::setVirtualControllerButton(handle, platform::kPadB, true));
    expectKey(EventType::keyDown, 27);  // no Right repeating after the pad went
}

}  // namespace
