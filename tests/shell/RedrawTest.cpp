// Drawing only when the picture changes: which events make a screen ask for a frame, which frames
// the application draws (and that updates run in every one of them), the main loop idling
// between frames while the game keeps time, and the pointer the platform shows for the cursor.
// The windowed cases run in a child process each, as the shell owns its process's one window.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <numeric>
#include <thread>
#include <vector>

#include "core/SystemSettings.h"
#include "engine/O2D.h"
#include "engine/OControl.h"
#include "engine/OTextField.h"
#include "engine/OTextStack.h"
#include "platform/Platform.h"
#include "shell/MouseCursor.h"
#include "shell/OApplication.h"
#include "shell/ORenderWindow.h"
#include "tests/engine/ControlTestKit.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestImages.h"

namespace brx {
namespace {

using controltest::keyDown;
using controltest::move;
using controltest::press;

// A square control over virtual x, y 0..100 that consumes only presses.
class Square : public OControl, public O2D {
public:
    Square() : OControl(1, false) { setSize(100, 100); }
    bool hitTest(const InputEvent& event) override {
        const VirtualPoint point = toVirtual(event.x, event.y);
        return contains(point.x, point.y);
    }
    bool handleEvent(const InputEvent& event) override { return event.type == kInputButtonDown; }
};

// A screen whose picture changes only when told, counting its updates and draws.
class StillScreen : public ORenderWindow {
public:
    explicit StillScreen(ScreenId id = kScreenMenu) : ORenderWindow(id) {}
    bool isAnimating() const override { return animating || controlsAnimating(); }
    bool changesOnlyOnInput() const override { return resting; }
    bool animatesOnlyDecoration() const override { return decorating; }
    // P stands the screen's clock still and starts it again, as a paused game does.
    bool isPaused() const override { return paused; }
    bool interceptEvent(const InputEvent& event) override {
        if (event.type != kInputKeyDown || event.key != kPauseKey) return false;
        paused = !paused;
        requestRedraw();
        return true;
    }
    ~StillScreen() override {
        if (seen.draws) *seen.draws = draws;
        if (seen.steps) *seen.steps = steps;
    }
    void update(int elapsedMs) override {
        steps.push_back(elapsedMs);
        if (stopAnimating) animating = false;
        if (switchTo != 0 && application()) application()->setActiveScreen(ScreenId(switchTo));
        if (quitAfter > 0 && int(steps.size()) == quitAfter) application()->quit();
        ORenderWindow::update(elapsedMs);
    }
    void draw() override {
        ++draws;
        ORenderWindow::draw();
    }
    bool anyControlAnimating() const { return controlsAnimating(); }

    // Where the counts go when the screen is deleted (the loop deletes it as it ends).
    struct Seen {
        int* draws = nullptr;
        std::vector<int>* steps = nullptr;
    };

    static constexpr uint16_t kPauseKey = 'P';
    bool animating = false;
    bool resting = false;
    bool paused = false;
    bool decorating = false;
    bool stopAnimating = false;  // the motion ends in the next update
    Seen seen;
    int switchTo = 0;
    int quitAfter = 0;
    std::vector<int> steps;
    int draws = 0;
};

// --- routing without a window ---------------------------------------------------------------

TEST(RedrawTest, OnlyEventsThatMoveTheHighlightOrAreTakenAskForAFrame) {
    StillScreen screen;
    screen.resize(800, 600);
    screen.addControl(new Square());
    screen.takeRedrawRequest();

    screen.onEvent(move(700, 500));  // far from the square
    EXPECT_FALSE(screen.takeRedrawRequest());
    screen.onEvent(move(50, 50));  // onto it: the highlight moves
    EXPECT_TRUE(screen.takeRedrawRequest());
    screen.onEvent(move(60, 60));  // within it: nothing changes
    EXPECT_FALSE(screen.takeRedrawRequest());
    screen.onEvent(press(60, 60));  // taken by the control
    EXPECT_TRUE(screen.takeRedrawRequest());
    screen.onEvent(move(700, 500));  // off again: the highlight goes
    EXPECT_TRUE(screen.takeRedrawRequest());
    EXPECT_FALSE(screen.takeRedrawRequest()) << "a request is taken once";
}

TEST(RedrawTest, ABareTextEchoAndAFocusedCaretAnimateUntilTheyEnd) {
    StillScreen screen;
    screen.resize(800, 600);
    auto* text = new OTextStack(nullptr, 2, false, 1.0f);
    text->addItem(0, "Go");
    text->setPosition(400, 300);
    screen.addControl(text);
    auto* field = new OTextField(nullptr, "", 3, false);
    screen.addControl(field);
    EXPECT_FALSE(screen.anyControlAnimating());

    text->gainHighlight();  // starts the growing echo
    EXPECT_TRUE(screen.anyControlAnimating());
    text->setHidden(true);
    EXPECT_FALSE(screen.anyControlAnimating()) << "a hidden control shows no animation";
    text->setHidden(false);
    for (int frame = 0; frame < 200 && text->pulsing(); ++frame) screen.update(16);
    EXPECT_FALSE(screen.anyControlAnimating());

    field->gainHighlight();  // its caret blinks
    EXPECT_TRUE(screen.anyControlAnimating());
    field->loseHighlight();
    EXPECT_FALSE(screen.anyControlAnimating());
    EXPECT_TRUE(ORenderWindow(kScreenHelp).isAnimating()) << "a screen that does not say animates";
}

// --- frames in a real window ------------------------------------------------------------------

class CountingShell : public OApplication {
public:
    void swapBuffers() override {
        ++swaps;
        OApplication::swapBuffers();
    }
    // What the window server sends that may ask for a picture: the window uncovered or resized,
    // and input.
    void repaint() override {
        ++serverAsks;
        OApplication::repaint();
    }
    void resize() override {
        ++serverAsks;
        OApplication::resize();
    }
    bool onEvent(InputEvent& event) override {
        ++serverAsks;
        return OApplication::onEvent(event);
    }
    // Each pass's step as the loop hands it over, the time the pass began, and then whatever
    // the test does between passes.
    void frame(int elapsedMs) override {
        passSteps.push_back(elapsedMs);
        passStarts.push_back(platform::preciseTimeMs());
        OApplication::frame(elapsedMs);
        if (betweenPasses) betweenPasses(*this);
    }
    int swaps = 0;
    int serverAsks = 0;
    std::vector<int> passSteps;
    std::vector<double> passStarts;
    std::function<void(CountingShell&)> betweenPasses;
};

// Opens the shell over a small archive (font and cursor); exit code 10 and up on failure.
int openShell(testsupport::TempDir& folder, CountingShell& shell) {
    testsupport::ArchiveBuilder archive;
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 64; ++i) pixels.insert(pixels.end(), {255, 255, 255, uint8_t(i * 4)});
    const std::string square = testsupport::makeTga(2, 32, 8, 8, pixels);
    archive.add("Data/Textures/Font.Tga", square).add("Data/Textures/Cursor.Tga", square);
    if (!archive.install(folder)) return 10;
    folder.enter();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SystemSettings::instance() = SystemSettings{};
    if (!shell.create("3D", "redraw", 800, 600)) return 11;
    shell.init();
    return 0;
}

// Swaps made by one frame of 16 ms.
int swapsOfOneFrame(CountingShell& shell) {
    const int before = shell.swaps;
    shell.frame(16);
    return shell.swaps - before;
}

int framesDrawOnlyWhatChanged() {
    testsupport::TempDir folder;
    CountingShell shell;
    if (const int failed = openShell(folder, shell)) return failed;
    auto* still = new StillScreen();
    still->addControl(new Square());
    shell.addScreen(still);
    shell.setActiveScreen(kScreenMenu);
    if (swapsOfOneFrame(shell) != 1) return 20;  // a new screen is drawn once
    for (int i = 0; i < 5; ++i)
        if (swapsOfOneFrame(shell) != 0) return 21;
    if (still->steps.size() != 6 ||
        std::accumulate(still->steps.begin(), still->steps.end(), 0) != 96)
        return 22;  // updates run in every frame, drawn or not

    if (!shell.cursor()->isPointer()) return 23;  // X makes colour pointers
    InputEvent event = move(700, 500);
    shell.onEvent(event);
    if (swapsOfOneFrame(shell) != 0) return 24;  // the pointer moves by itself
    event = move(50, 50);
    shell.onEvent(event);
    if (swapsOfOneFrame(shell) != 1) return 25;  // the highlight moved
    event = keyDown(kKeyTab);
    shell.onEvent(event);
    if (swapsOfOneFrame(shell) != 1) return 26;
    still->requestRedraw();
    if (swapsOfOneFrame(shell) != 1 || swapsOfOneFrame(shell) != 0) return 27;
    shell.repaint();  // uncovered
    if (swapsOfOneFrame(shell) != 1) return 28;

    shell.cursor()->dropPointer();  // a drawn cursor: every move shows
    event = move(700, 500);
    shell.onEvent(event);
    if (platform::hasColorCursor() || swapsOfOneFrame(shell) != 1) return 29;
    still->animating = true;
    if (swapsOfOneFrame(shell) != 1 || swapsOfOneFrame(shell) != 1) return 30;
    return 0;
}

// Decoration alone (a block turning by itself, a passing trail) is drawn every other frame
// at 60 Hz while every frame still updates; what is asked for, the settled picture when the
// motion ends, and any other motion are drawn at once.
int decorationAloneIsDrawnEveryOtherFrame() {
    testsupport::TempDir folder;
    CountingShell shell;
    if (const int failed = openShell(folder, shell)) return failed;
    auto* still = new StillScreen();
    shell.addScreen(still);
    shell.setActiveScreen(kScreenMenu);
    if (swapsOfOneFrame(shell) != 1) return 20;
    still->animating = true;
    still->decorating = true;
    int swaps = 0;
    for (int i = 0; i < 12; ++i) swaps += swapsOfOneFrame(shell);
    if (swaps != 6) return 21;
    if (still->steps.size() != 13 ||
        std::accumulate(still->steps.begin(), still->steps.end(), 0) != 13 * 16)
        return 22;           // the clock runs in every frame, drawn or not
    still->requestRedraw();  // the tray took a block: shown at once
    if (swapsOfOneFrame(shell) != 1 || swapsOfOneFrame(shell) != 0) return 23;
    still->stopAnimating = true;  // the turn ends: its settled picture shows at once
    if (swapsOfOneFrame(shell) != 1 || swapsOfOneFrame(shell) != 0) return 24;
    still->stopAnimating = false;
    still->animating = true;
    still->decorating = false;  // the player's blocks fall: every frame
    for (int i = 0; i < 3; ++i)
        if (swapsOfOneFrame(shell) != 1) return 25;
    return 0;
}

int aSwitchAskedInAnUpdateDrawsTheNewScreenNext() {
    testsupport::TempDir folder;
    CountingShell shell;
    if (const int failed = openShell(folder, shell)) return failed;
    auto* menu = new StillScreen(kScreenMenu);
    auto* help = new StillScreen(kScreenHelp);
    shell.addScreen(menu);
    shell.addScreen(help);
    shell.setActiveScreen(kScreenMenu);
    shell.frame(16);
    menu->switchTo = kScreenHelp;
    if (swapsOfOneFrame(shell) != 0 || menu->draws != 1) return 20;
    menu->switchTo = 0;
    if (swapsOfOneFrame(shell) != 1 || help->draws != 1) return 21;
    auto* plain = new ORenderWindow(kScreenCredits);  // says nothing: drawn every frame
    shell.addScreen(plain);
    shell.setActiveScreen(kScreenCredits);
    for (int i = 0; i < 3; ++i)
        if (swapsOfOneFrame(shell) != 1) return 22;
    return 0;
}

// The loop with a still screen: the game's clock runs on in every pass, and a frame is drawn
// only when the screen is shown and each time the window server asks for the picture (a busy
// machine may be asked more than once), never because a pass ran.
int theLoopKeepsTimeWithoutDrawing() {
    constexpr int kPasses = 30;
    testsupport::TempDir folder;
    CountingShell shell;
    if (const int failed = openShell(folder, shell)) return failed;
    auto* still = new StillScreen();
    still->quitAfter = kPasses;
    shell.addScreen(still);
    shell.setActiveScreen(kScreenMenu);
    int draws = 0;
    std::vector<int> steps;
    still->seen = {&draws, &steps};
    shell.serverAsks = 0;
    if (shell.run() != 0) return 20;  // the loop deletes the screen as it ends
    if (int(steps.size()) != kPasses) return 21;
    // Every picture drawn is shown; a picture the window server asked for again (uncovered,
    // resized) may be shown without a new draw.
    if (shell.swaps < draws || shell.swaps > draws + shell.serverAsks) return 24;
    if (draws < 1 || draws > 1 + shell.serverAsks || draws >= kPasses) return 23;
    for (int step : steps)
        if (step < 1 || step > 100) return 22;  // every step within the clamp
    return 0;
}

// A still screen that changes only on input: the loop runs its passes several refreshes apart,
// each step the whole time waited (under the stall clamp, so game time stays exact). Only the
// first pass and a pass the window server woke may come at the display's rhythm.
int aScreenThatChangesOnlyOnInputRestsTheLoop() {
    constexpr int kPasses = 12;
    testsupport::TempDir folder;
    CountingShell shell;
    if (const int failed = openShell(folder, shell)) return failed;
    auto* still = new StillScreen();
    still->resting = true;
    still->quitAfter = kPasses;
    shell.addScreen(still);
    shell.setActiveScreen(kScreenMenu);
    std::vector<int> steps;
    int draws = 0;
    still->seen = {&draws, &steps};
    shell.serverAsks = 0;
    if (shell.run() != 0) return 20;
    if (int(steps.size()) != kPasses) return 21;
    int quick = 0;
    for (int step : steps) {
        if (step < 1 || step > 100) return 22;
        if (step < OGLWindow::kRestingPassMs / 2) ++quick;
    }
    if (quick > 2 + shell.serverAsks) return 23;
    return 0;
}

// Passes that came at the display's rhythm rather than resting (a step under half the rest).
int quickPasses(const std::vector<int>& steps) {
    int quick = 0;
    for (int step : steps)
        if (step < OGLWindow::kRestingPassMs / 2) ++quick;
    return quick;
}

// A paused screen whose picture was moving when it paused (a turning block, the trail): its
// clock stands, so it is drawn once and the loop rests as on a still screen, never updating it.
int aPausedScreenRestsTheLoopAndIsDrawnOnce() {
    constexpr std::size_t kPasses = 12;
    testsupport::TempDir folder;
    CountingShell shell;
    if (const int failed = openShell(folder, shell)) return failed;
    auto* paused = new StillScreen();
    paused->animating = true;
    paused->paused = true;
    shell.addScreen(paused);
    shell.setActiveScreen(kScreenMenu);
    std::vector<int> steps;
    int draws = 0;
    paused->seen = {&draws, &steps};
    shell.serverAsks = 0;
    shell.betweenPasses = [](CountingShell& self) {
        if (self.passSteps.size() == kPasses) self.quit();
    };
    if (shell.run() != 0) return 20;
    if (!steps.empty()) return 21;  // its clock stood: no update at all
    if (draws < 1 || draws > 1 + shell.serverAsks) return 22;
    if (shell.passSteps.size() != kPasses) return 23;
    if (quickPasses(shell.passSteps) > 2 + shell.serverAsks) return 24;
    return 0;
}

// Resuming: the first step the screen gets counts from the resume, not from the pass before
// it, so the time spent paused (however long the loop rested) never reaches the game.
int resumingHandsOverOnlyTheTimeSinceTheResume() {
    constexpr std::size_t kResumeAfterPass = 3;
    constexpr std::size_t kPasses = 6;
    constexpr auto kPlayerWaits = std::chrono::milliseconds(30);
    testsupport::TempDir folder;
    CountingShell shell;
    if (const int failed = openShell(folder, shell)) return failed;
    auto* screen = new StillScreen();
    screen->paused = true;
    shell.addScreen(screen);
    shell.setActiveScreen(kScreenMenu);
    std::vector<int> steps;
    int draws = 0;
    screen->seen = {&draws, &steps};
    double resumedAt = 0.0;
    shell.betweenPasses = [&](CountingShell& self) {
        if (self.passSteps.size() == kResumeAfterPass) {
            std::this_thread::sleep_for(kPlayerWaits);  // the player presses P a little later
            resumedAt = platform::preciseTimeMs();
            InputEvent event = keyDown(StillScreen::kPauseKey);
            self.onEvent(event);
        }
        if (self.passSteps.size() == kPasses) self.quit();
    };
    if (shell.run() != 0) return 20;
    if (steps.size() != kPasses - kResumeAfterPass) return 21;  // updated only once resumed
    const double sinceResume = shell.passStarts[kResumeAfterPass] - resumedAt;
    // A step under a millisecond is handed over as one.
    if (steps.front() > std::max(1.0, sinceResume)) return 22;
    if (steps.front() != shell.passSteps[kResumeAfterPass]) return 23;
    return 0;
}

class RedrawWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testsupport::ensureGLContext()) GTEST_SKIP() << "no display for an OpenGL context";
        GTEST_FLAG_SET(death_test_style, "threadsafe");
    }
};

TEST_F(RedrawWindowTest, FramesDrawOnlyWhatChangedAndUpdatesRunInEvery) {
    EXPECT_EXIT(std::exit(framesDrawOnlyWhatChanged()), ::testing::ExitedWithCode(0), "");
}

TEST_F(RedrawWindowTest, DecorationAloneIsDrawnEveryOtherFrame) {
    EXPECT_EXIT(std::exit(decorationAloneIsDrawnEveryOtherFrame()), ::testing::ExitedWithCode(0),
                "");
}

TEST_F(RedrawWindowTest, ASwitchAskedInAnUpdateDrawsTheNewScreenNext) {
    EXPECT_EXIT(std::exit(aSwitchAskedInAnUpdateDrawsTheNewScreenNext()),
                ::testing::ExitedWithCode(0), "");
}

TEST_F(RedrawWindowTest, TheLoopKeepsTimeWithoutDrawing) {
    EXPECT_EXIT(std::exit(theLoopKeepsTimeWithoutDrawing()), ::testing::ExitedWithCode(0), "");
}

TEST_F(RedrawWindowTest, AScreenThatChangesOnlyOnInputRestsTheLoop) {
    EXPECT_EXIT(std::exit(aScreenThatChangesOnlyOnInputRestsTheLoop()),
                ::testing::ExitedWithCode(0), "");
}

TEST_F(RedrawWindowTest, APausedScreenRestsTheLoopAndIsDrawnOnce) {
    EXPECT_EXIT(std::exit(aPausedScreenRestsTheLoopAndIsDrawnOnce()), ::testing::ExitedWithCode(0),
                "");
}

TEST_F(RedrawWindowTest, ResumingHandsOverOnlyTheTimeSinceTheResume) {
    EXPECT_EXIT(std::exit(resumingHandsOverOnlyTheTimeSinceTheResume()),
                ::testing::ExitedWithCode(0), "");
}

// --- the cursor's pointer picture ---------------------------------------------------------------

// A width x height RGBA image whose pixel (x, row) holds 10 x, 10 row, 0, 20 row (row 0 at the
// bottom).
DecodedImage gradientImage(int width, int height) {
    DecodedImage decoded;
    decoded.width = uint32_t(width);
    decoded.height = uint32_t(height);
    decoded.format = GL_RGBA;
    decoded.components = 4;
    decoded.bytesPerPixel = 4;
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x)
            decoded.pixels.insert(decoded.pixels.end(),
                                  {uint8_t(x * 10), uint8_t(row * 10), 0, uint8_t(row * 20)});
    return decoded;
}

TEST(MouseCursorPictureTest, ShrinksByAveragingAndPutsTheTopRowFirst) {
    const auto image = gradientImage(4, 4);
    const std::vector<uint8_t> picture = MouseCursor::pointerPicture(image, 2);
    ASSERT_EQ(picture.size(), 2u * 2u * 4u);
    // Top-left output pixel: source columns 0-1 of rows 2-3 (the top of the image).
    EXPECT_EQ(picture[0], 5);   // (0 + 10) / 2
    EXPECT_EQ(picture[1], 25);  // (20 + 30) / 2
    EXPECT_EQ(picture[3], 50);  // (40 + 60) / 2
    // Bottom-right output pixel: columns 2-3 of rows 0-1.
    EXPECT_EQ(picture[12], 25);
    EXPECT_EQ(picture[13], 5);
    EXPECT_EQ(picture[15], 10);
}

TEST(MouseCursorPictureTest, ThirdsAreWeightedAndGreyOrOpaqueImagesGainAlpha) {
    const auto image = gradientImage(3, 3);
    const std::vector<uint8_t> halves = MouseCursor::pointerPicture(image, 2);
    // Output column 0 covers source columns 0 and half of 1: (0 * 1 + 10 * 0.5) / 1.5.
    EXPECT_EQ(halves[0], 3);
    const std::vector<uint8_t> same = MouseCursor::pointerPicture(image, 3);
    EXPECT_EQ(same[0], 0);
    EXPECT_EQ(same[1], 20);  // the top row first

    DecodedImage grey;
    grey.width = grey.height = 2;
    grey.format = GL_LUMINANCE;
    grey.components = grey.bytesPerPixel = 1;
    grey.pixels = {10, 20, 30, 40};
    const std::vector<uint8_t> one = MouseCursor::pointerPicture(grey, 1);
    EXPECT_EQ(one, std::vector<uint8_t>({25, 25, 25, 255}));
    EXPECT_TRUE(MouseCursor::pointerPicture(DecodedImage(), 4).empty());
    grey.pixels.pop_back();  // shorter than its sizes say
    EXPECT_TRUE(MouseCursor::pointerPicture(grey, 1).empty());
    EXPECT_EQ(MouseCursor::sideFor(600), 38);  // 600 / 1024 * 64 = 37.5
    EXPECT_EQ(MouseCursor::sideFor(768), 48);
    EXPECT_EQ(MouseCursor::sideFor(1), 1);
}

}  // namespace
}  // namespace brx
