// The shell's rules that need no window: the time step, the frame counter, the display-mode
// table and the judgement of the OpenGL driver.
#include <gtest/gtest.h>

#include "shell/FrameClock.h"
#include "shell/GraphicsDriver.h"
#include "shell/OGLWindow.h"

namespace brx {
namespace {

TEST(FrameClockTest, StepIsClampedToOneToHundredWithStallsAsFifty) {
    EXPECT_EQ(FrameClock::clampStep(0.0), 1);
    EXPECT_EQ(FrameClock::clampStep(-5.0), 1);
    EXPECT_EQ(FrameClock::clampStep(0.4), 1) << "no frame advances by nothing";
    EXPECT_EQ(FrameClock::clampStep(16.7), 16);
    EXPECT_EQ(FrameClock::clampStep(100.0), 100);
    EXPECT_EQ(FrameClock::clampStep(100.5), 50);
    EXPECT_EQ(FrameClock::clampStep(101.0), 50);
    EXPECT_EQ(FrameClock::clampStep(60000.0), 50);
}

// A fake clock ticking at a display's rate: over ten minutes of frames the game's steps add up
// to the time that passed (less than a millisecond apart), whatever the rate.
TEST(FrameClockTest, StepsAddUpToTheElapsedTimeAtEveryRefreshRate) {
    for (const double hz : {60.0, 144.0, 1000.0, 75.0, 59.94}) {
        FrameClock clock;
        const double startMs = 123456.789;
        clock.start(startMs);
        const int frames = int(hz * 600.0);
        long long totalMs = 0;
        for (int i = 1; i <= frames; ++i) totalMs += clock.takeStep(startMs + i * 1000.0 / hz);
        EXPECT_NEAR(double(totalMs), frames * 1000.0 / hz, 1.0) << hz << " Hz";
    }
}

TEST(FrameClockTest, StallsAndShortPassesKeepTheirClampedStepsAndCarryNothing) {
    FrameClock clock;
    clock.start(0.0);
    EXPECT_EQ(clock.takeStep(10.6), 10);
    EXPECT_EQ(clock.takeStep(5000.0), 50) << "a stall advances by 50 ms only";
    EXPECT_EQ(clock.takeStep(5000.2), 1) << "a pass under a millisecond still moves by 1";
    EXPECT_EQ(clock.takeStep(5016.2), 16)
        << "nothing carried over from the stall or the short pass";
}

TEST(FrameClockTest, RateIsMeasuredOverEachFullSecond) {
    FrameClock clock;
    for (int i = 0; i < 39; ++i) clock.countFrame(25);
    EXPECT_EQ(clock.framesPerSecond(), 0.0f);
    clock.countFrame(25);
    EXPECT_FLOAT_EQ(clock.framesPerSecond(), 40.0f);
    for (int i = 0; i < 9; ++i) clock.countFrame(100);
    EXPECT_FLOAT_EQ(clock.framesPerSecond(), 40.0f) << "unchanged until the next full second";
    clock.countFrame(100);
    EXPECT_FLOAT_EQ(clock.framesPerSecond(), 10.0f);
}

TEST(DisplayModesTest, SixteenBitModesOfTheThreeSizesAreCollected) {
    const std::vector<platform::DisplayMode> modes = {
        {800, 600, 16, 60},  {800, 600, 32, 75},   {800, 600, 16, 85}, {640, 480, 16, 60},
        {1024, 768, 16, 70}, {1280, 1024, 16, 60}, {640, 400, 16, 70}};
    const auto table = OGLWindow::enumerateDisplayModes(modes);
    EXPECT_EQ(table[0].width, 640);
    EXPECT_EQ(table[0].refreshRatesHz, std::vector<int>({60}));
    EXPECT_EQ(table[1].height, 600);
    EXPECT_EQ(table[1].refreshRatesHz, std::vector<int>({60, 85})) << "the 32-bit mode is left out";
    EXPECT_EQ(table[2].refreshRatesHz, std::vector<int>({70}));
}

TEST(DisplayModesTest, ASizeOfferedOnlyAtOtherDepthsIsTakenAtThose) {
    const std::vector<platform::DisplayMode> modes = {
        {1024, 768, 32, 60}, {1024, 768, 24, 75}, {800, 600, 16, 60}, {800, 600, 32, 60}};
    const auto table = OGLWindow::enumerateDisplayModes(modes);
    EXPECT_TRUE(table[0].refreshRatesHz.empty()) << "a size nobody offers stays empty";
    EXPECT_EQ(table[1].refreshRatesHz, std::vector<int>({60}));
    EXPECT_EQ(table[2].refreshRatesHz, std::vector<int>({60, 75}));
}

TEST(GraphicsDriverTest, MesaSoftwareRasterizersAreRefusedLlvmpipeIsNot) {
    EXPECT_TRUE(GraphicsDriver::isSoftwareRenderer("softpipe"));
    EXPECT_TRUE(GraphicsDriver::isSoftwareRenderer("Mesa X11 Software Rasterizer"));
    EXPECT_TRUE(GraphicsDriver::isSoftwareRenderer("Mesa DRI swrast"));
    EXPECT_FALSE(GraphicsDriver::isSoftwareRenderer("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_FALSE(GraphicsDriver::isSoftwareRenderer("NVIDIA GeForce RTX 3060/PCIe/SSE2"));
    EXPECT_FALSE(GraphicsDriver::isSoftwareRenderer(""));
}

TEST(GraphicsDriverTest, DriverPageFollowsTheVendorGroupsInOrder) {
    EXPECT_STREQ(GraphicsDriver::driverPage("NVIDIA Corporation", "x"),
                 GraphicsDriver::kNvidiaPage);
    EXPECT_STREQ(GraphicsDriver::driverPage("x", "RIVA TNT2/AGP"), GraphicsDriver::kNvidiaPage);
    EXPECT_STREQ(GraphicsDriver::driverPage("ATI Technologies Inc.", "x"),
                 GraphicsDriver::kAtiPage);
    EXPECT_STREQ(GraphicsDriver::driverPage("x", "AMD Radeon RX 580"), GraphicsDriver::kAtiPage);
    EXPECT_STREQ(GraphicsDriver::driverPage("x", "RAGE 128"), GraphicsDriver::kAtiPage);
    EXPECT_STREQ(GraphicsDriver::driverPage("Intel", "Intel 815"), GraphicsDriver::kIntel815Page);
    EXPECT_STREQ(GraphicsDriver::driverPage("Intel", "Intel 845G"), GraphicsDriver::kIntel845Page);
    EXPECT_STREQ(GraphicsDriver::driverPage("Mesa", "softpipe"), GraphicsDriver::kGeneralPage);
    EXPECT_STREQ(GraphicsDriver::driverPage("nvidia", "radeon 815"), GraphicsDriver::kNvidiaPage)
        << "the first group that matches wins";
}

TEST(GraphicsDriverTest, AtiCountsOnlyAsAWordOfItsOwn) {
    // "Corporation" and "Accelerated" hold the letters too; those drivers are not ATI's.
    EXPECT_STREQ(GraphicsDriver::driverPage("Intel Corporation", "Intel 845G"),
                 GraphicsDriver::kIntel845Page);
    EXPECT_STREQ(GraphicsDriver::driverPage("VMware, Inc.", "Accelerated renderer"),
                 GraphicsDriver::kGeneralPage);
    EXPECT_STREQ(GraphicsDriver::driverPage("ati", ""), GraphicsDriver::kAtiPage);
}

}  // namespace
}  // namespace brx
