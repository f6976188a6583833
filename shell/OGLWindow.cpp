#include "shell/OGLWindow.h"

#include <algorithm>
#include <cstdio>

#include "core/ErrorLog.h"
#include "core/SystemSettings.h"
#include "engine/GLExtensions.h"
#include "engine/OException.h"
#include "shell/GraphicsDriver.h"
#include "shell/InputTranslator.h"

namespace brx {
namespace {

constexpr const char* kErrorCaption = "Error";
constexpr const char* kShutdownCaption = "SHUTDOWN ERROR";
constexpr int kMinModeHeight = 480;
constexpr int kPreferredModeBits = 16;
constexpr const char* kNoWindowText = "Can't create window";
constexpr const char* kNoContextText = "Can't create rendering content";
// What start-up falls back to when the saved mode cannot be made: 800 x 600 in a window, at
// each colour depth the game offers.
constexpr int kFallbackResolution = 1;
constexpr int kFallbackColorBits[] = {32, 16};
constexpr std::array<std::pair<int, int>, OGLWindow::kResolutionCount> kSizes = {
    {{640, 480}, {800, 600}, {1024, 768}}};

void errorBox(const char* text) {
    platform::showMessageBox(kErrorCaption, text, platform::BoxIcon::error);
}

void shutdownBox(const char* text) {
    platform::showMessageBox(kShutdownCaption, text, platform::BoxIcon::information);
}

bool isInputMessage(platform::EventType type) {
    using T = platform::EventType;
    return type == T::keyDown || type == T::keyUp || type == T::character ||
           type == T::pointerMove || type == T::buttonDown || type == T::buttonUp;
}

}  // namespace

OGLWindow::OGLWindow() = default;

OGLWindow::~OGLWindow() {
    releaseContext();
    destroyWindow();
}

void OGLWindow::swapBuffers() {
    platform::swapWindow();
}
void OGLWindow::frame(int) {}
void OGLWindow::resize() {}
bool OGLWindow::init() {
    return true;
}
void OGLWindow::shutdown() {}
bool OGLWindow::onEvent(InputEvent&) {
    return false;
}

std::array<DisplayResolution, OGLWindow::kResolutionCount> OGLWindow::enumerateDisplayModes(
    const std::vector<platform::DisplayMode>& modes) {
    std::array<DisplayResolution, kResolutionCount> resolutions;
    for (size_t i = 0; i < resolutions.size(); ++i) {
        DisplayResolution& resolution = resolutions[i];
        resolution.width = kSizes[i].first;
        resolution.height = kSizes[i].second;
        const auto collect = [&](bool anyDepth) {
            for (const platform::DisplayMode& mode : modes) {
                if (mode.width != resolution.width || mode.height != resolution.height ||
                    mode.height < kMinModeHeight)
                    continue;
                if (anyDepth || mode.bitsPerPixel == kPreferredModeBits)
                    resolution.refreshRatesHz.push_back(mode.refreshHz);
            }
        };
        collect(false);
        // Desktops of today often report 24/32-bit modes only; a size offered at no 16-bit
        // mode is then taken at whatever depth it is offered, so full screen still works.
        if (resolution.refreshRatesHz.empty()) collect(true);
    }
    return resolutions;
}

bool OGLWindow::create(const std::string& className, const std::string& title, int width,
                       int height) {
    platform::catchEndSignals();  // before the video starts, so SDL leaves them to us
    prepareBeforeWindow();
    SystemSettings& settings = SystemSettings::instance();
    className_ = className;
    title_ = title;
    fullScreen_ = settings.fullScreen;
    setClientSize(width, height);
    std::string noDisplay;
    if (!platform::initVideo(&noDisplay)) {
        // Said first on the terminal: without a display the box below cannot show.
        std::fprintf(stderr, "%s\n", noDisplay.c_str());
        BRX_LOG_ERROR("%s", noDisplay.c_str());
        errorBox("Can't register window class");
        return false;
    }
    resolutions_ = enumerateDisplayModes(platform::listDisplayModes());
    colorBits_ = settings.colorDepth;
    if (settings.screenRes < 0 || settings.screenRes >= kResolutionCount) {
        settings.screenRes = 0;
        colorBits_ = 16;
    }
    if (!openDisplay()) return false;
    platform::raiseWindow();
    return true;
}

const char* OGLWindow::tryOpenDisplay() {
    if (!openWindowQuietly()) return kNoWindowText;
    if (makeContext()) return nullptr;
    destroyWindow();
    return kNoContextText;
}

bool OGLWindow::openDisplay() {
    SystemSettings& settings = SystemSettings::instance();
    const DisplayChoice saved{settings.screenRes, settings.fullScreen, colorBits_};
    const char* failure = tryOpenDisplay();
    if (!failure) return true;
    // The saved mode may be one this display cannot make (another monitor, another depth): the
    // game still starts, in a plain window. The settings file keeps what the player chose.
    for (int bits : kFallbackColorBits) {
        const DisplayChoice fallback{kFallbackResolution, false, bits};
        if (fallback == saved) continue;
        settings.screenRes = fallback.resolution;
        settings.fullScreen = fullScreen_ = false;
        settings.colorDepth = colorBits_ = bits;
        failure = tryOpenDisplay();
        if (failure) continue;
        BRX_LOG_ERROR(
            "The display mode %d x %d, %d bits%s could not be made; the game runs in "
            "%d x %d windowed, %d bits",
            resolutions_[size_t(saved.resolution)].width,
            resolutions_[size_t(saved.resolution)].height, saved.colorBits,
            saved.fullScreen ? ", full screen" : "", width_, height_, bits);
        return true;
    }
    errorBox(failure);
    return false;
}

bool OGLWindow::tryFullScreenMode(const DisplayResolution& resolution) {
    const int bits = SystemSettings::instance().colorDepth;
    for (auto rate = resolution.refreshRatesHz.rbegin(); rate != resolution.refreshRatesHz.rend();
         ++rate) {
        if (platform::canSetDisplayMode({resolution.width, resolution.height, bits, *rate})) {
            refreshHz_ = *rate;
            displayModeSet_ = true;
            return true;
        }
    }
    return false;
}

bool OGLWindow::setDisplayMode() {
    SystemSettings& settings = SystemSettings::instance();
    const DisplayResolution& resolution = resolutions_[size_t(settings.screenRes)];
    refreshHz_ = 0;
    displayModeSet_ = false;
    if (!fullScreen_) {
        const platform::DisplayMode desktop = platform::desktopMode();
        if (resolution.width >= desktop.width && resolution.height >= desktop.height)
            settings.fullScreen = fullScreen_ = true;
    }
    if (fullScreen_ && !tryFullScreenMode(resolution)) return false;
    setClientSize(resolution.width, resolution.height);
    if (fullScreen_) settings.fullScreen = true;
    return true;
}

bool OGLWindow::openWindow() {
    if (openWindowQuietly()) return true;
    errorBox(kNoWindowText);
    return false;
}

bool OGLWindow::openWindowQuietly() {
    if (!setDisplayMode()) {
        SystemSettings::instance().screenRes = 0;
        setDisplayMode();
    }
    platform::WindowDesc desc;
    desc.title = title_;
    desc.width = width_;
    desc.height = height_;
    desc.colorBits = colorBits_;
    desc.depthBits = colorBits_;
    desc.fullScreen = fullScreen_ && displayModeSet_;
    desc.refreshHz = refreshHz_;
    // Full screen without a mode of that size: a bare window at the origin, as the game
    // always made it.
    desc.borderless = fullScreen_ && !displayModeSet_;
    std::string error;
    windowOpen_ = platform::createWindow(desc, &error);
    return windowOpen_;
}

bool OGLWindow::setupPixelFormat() {
    if (makeContext()) return true;
    errorBox(kNoContextText);
    return false;
}

bool OGLWindow::makeContext() {
    std::string error;
    hasContext_ = platform::createContext(&error);
    if (!hasContext_) return false;
    if (GraphicsDriver::isSoftwareRenderer(platform::glRenderer())) throw OSoftwareGL();
    // Entry points belong to the context: fetch them anew for every one. Without
    // multitexturing the models fall back to their first texture layer.
    initExtension(kMultitextureExtension);
    sizeFromWindow();
    return true;
}

void OGLWindow::releaseContext() {
    if (!hasContext_) return;
    releaseExtensions();
    if (!platform::releaseContext()) shutdownBox("Release Of DC And RC Failed.");
    hasContext_ = false;
}

void OGLWindow::destroyWindow() {
    if (!windowOpen_) return;
    platform::destroyWindow();
    windowOpen_ = false;
}

void OGLWindow::setClientSize(int width, int height) {
    width_ = int16_t(width);
    height_ = int16_t(height);
}

void OGLWindow::sizeFromWindow() {
    int width = 0, height = 0;
    platform::windowSize(&width, &height);
    if (width > 0 && height > 0) setClientSize(width, height);
}

bool OGLWindow::takeFullScreenRequest() {
    if (!fullScreenRequest_ || fullScreen_) return false;
    fullScreenRequest_ = false;
    return true;
}

void OGLWindow::handleMessage(const platform::Event& message) {
    using T = platform::EventType;
    InputEvent event;
    if (isInputMessage(message.type)) {
        if (!InputTranslator::instance().translate(message, &event)) return;
        if (event.type == kInputButtonDown) platform::setPointerCapture(true);
        if (event.type == kInputButtonUp) platform::setPointerCapture(false);
        onEvent(event);
        return;
    }
    switch (message.type) {
        case T::minimized:
            active_ = false;
            focusLost();
            return;
        case T::focusLost:
            focusLost();
            return;
        case T::maximized:
            fullScreenRequest_ = true;
            [[fallthrough]];
        case T::restored:
            active_ = true;
            sizeFromWindow();
            resize();
            return;
        case T::resized:
            setClientSize(message.x, message.y);
            resize();
            return;
        case T::closeRequested:
            platform::postQuit(0);
            return;
        case T::endSignal:
            BRX_LOG_LINE("Ending on signal %d", message.key);
            platform::postQuit(0);
            return;
        case T::exposed:
            repaint();
            return;
        default:
            return;
    }
}

int OGLWindow::run() {
    clock_.start(platform::preciseTimeMs());
    nextPassMs_ = 0.0;  // the first frame is due at once
    platform::Event message;
    for (;;) {
        if (takeMessage(&message)) {
            if (message.type == platform::EventType::quit) break;
            handleMessage(message);
            // Input may have changed the picture: a resting loop shows it at the next refresh.
            nextPassMs_ = std::min(nextPassMs_, refreshPassMs_);
            continue;
        }
        runPass();
    }
    endRun();
    return message.exitCode;
}

bool OGLWindow::takeMessage(platform::Event* message) {
    if (!active_) return platform::waitEvent(message, kMinimisedWaitMs);
    for (;;) {
        if (platform::pollEvent(message)) return true;
        const double waitMs = nextPassMs_ - platform::preciseTimeMs();
        if (waitMs <= 0.0) return false;
        if (platform::waitEvent(message, int(waitMs + 0.999))) return true;
    }
}

void OGLWindow::restartStep() {
    clock_.start(platform::preciseTimeMs());
}

void OGLWindow::runPass() {
    const double startMs = platform::preciseTimeMs();
    const int stepMs = clock_.takeStep(startMs);
    clock_.countFrame(stepMs);
    if (!active_) {
        idle();
        return;
    }
    frame(stepMs);
    const bool drawn = drewLastFrame();
    refreshPassMs_ = nextPassTime(startMs, drawn);
    nextPassMs_ = !drawn && restsUntilInput() ? std::max(refreshPassMs_, startMs + kRestingPassMs)
                                              : refreshPassMs_;
}

double OGLWindow::nextPassTime(double startMs, bool drawn) const {
    if (!platform::swapPacing()) return startMs;  // as fast as frames can be made
    // A driver that syncs has already waited for the refresh in the swap.
    if (drawn && platform::swapWaitsForRefresh()) return startMs;
    const double intervalMs = platform::refreshIntervalMs();
    const double next = nextPassMs_ + intervalMs;
    // Behind by more than a refresh (a slow frame, a stall): start the rhythm afresh.
    return next < startMs ? startMs + intervalMs : next;
}

}  // namespace brx
