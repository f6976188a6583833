// The end signals (SIGTERM, SIGINT, SIGHUP) once caught: none ends the process, each is handed
// out once as an event ahead of the rest, and one sent while the loop waits ends the wait. Each
// case runs in a child process, so the test runner keeps its own signal handling.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/Platform.h"

namespace {

// Exit code 0 when every end signal raised comes back as one event carrying its number.
int eachSignalBecomesOneEvent() {
    platform::catchEndSignals();
    platform::Event event;
    int code = 10;
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        if (raise(number) != 0) return code;  // would have ended the process uncaught
        if (!platform::pollEvent(&event) || event.type != platform::EventType::endSignal)
            return code + 1;
        if (event.key != number) return code + 2;
        if (platform::pollEvent(&event)) return code + 3;  // handed out once
        code += 10;
    }
    return 0;
}

// Exit code 0 when a signal sent by another thread during a long wait ends that wait with it.
int aSignalEndsAWait() {
    if (!platform::initVideo()) return 0;  // no display: nothing to wait on
    platform::catchEndSignals();
    platform::Event event;
    while (platform::pollEvent(&event)) {
    }
    std::thread sender([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        kill(getpid(), SIGTERM);
    });
    // A minute: only the signal ends this wait early.
    const bool got = platform::waitEvent(&event, 60000);
    sender.join();
    platform::quitVideo();
    if (!got) return 20;
    return event.type == platform::EventType::endSignal && event.key == SIGTERM ? 0 : 21;
}

class EndSignalTest : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(EndSignalTest, EachSignalBecomesOneEventInsteadOfEndingTheProcess) {
    EXPECT_EXIT(std::exit(eachSignalBecomesOneEvent()), ::testing::ExitedWithCode(0), "");
}

TEST_F(EndSignalTest, ASignalDuringAWaitEndsTheWait) {
    EXPECT_EXIT(std::exit(aSignalEndsAWait()), ::testing::ExitedWithCode(0), "");
}

}  // namespace
