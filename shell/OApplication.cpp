#include "shell/OApplication.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "core/DataManifest.h"
#include "core/DataPath.h"
#include "core/ErrorLog.h"
#include "core/ResourceArchive.h"
#include "core/SystemSettings.h"
#include "engine/BitmapFont.h"
#include "engine/OCamera.h"
#include "engine/OException.h"
#include "engine/TextureCache.h"
#include "engine/TexturePrefetch.h"
#include "engine/TextureRef.h"
#include "engine/UiSound.h"
#include "platform/Platform.h"
#include "shell/MouseCursor.h"
#include "shell/ORenderWindow.h"
#include "shell/WindowIcon.h"
#include "sound/SoundManager.h"

namespace brx {
namespace {

ORenderWindow* gActiveScreen = nullptr;

// The textures start-up loads after the first screen's, in about the order it loads them: the
// preload list, then the rest the screens ask for as they are made.
std::vector<std::string> laterStartupTextures() {
    std::vector<std::string> names;
    const std::vector<std::string>& preload = DataManifest::preloadTextures();
    names.insert(names.end(), preload.begin(), preload.end());
    const std::vector<std::string>& all = DataManifest::textureNames();
    names.insert(names.end(), all.begin(), all.end());
    return names;  // names listed twice are decoded once
}

// The loading bar, in the 800 x 600 virtual space.
constexpr float kVirtualWidth = 800.0f;
constexpr float kVirtualHeight = 600.0f;
constexpr float kBarLeft = 247.0f, kBarRight = 553.0f, kBarBottom = 242.0f, kBarTop = 248.0f;
constexpr float kBarFillStart = 248.0f, kBarFillY = 245.0f, kBarFillLength = 305.0f;
constexpr float kBarAlpha = 0.75f;

constexpr uint16_t kQuitKey = 'Q';

// Ctrl+Q, the way out from every screen.
bool isQuitShortcut(const InputEvent& event) {
    return event.type == kInputKeyDown && event.key == kQuitKey && (event.flags & kFlagControl);
}

void playInterfaceSound(int sampleId) {
    SoundManager::instance().play(sampleId, 0);
}

}  // namespace

// Marks a frame or an event as running; the outermost one runs what was deferred meanwhile.
class OApplication::DispatchScope {
public:
    explicit DispatchScope(OApplication& app) : app_(app) { ++app_.dispatchDepth_; }
    ~DispatchScope() {
        if (--app_.dispatchDepth_ == 0 && app_.hasDeferredRequests()) app_.runDeferredRequests();
    }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

private:
    OApplication& app_;
};

OApplication::OApplication() {
    platform::showSystemCursor(false);
    setScreenHost(this);
}

OApplication::~OApplication() {
    TexturePrefetch::instance().stop();
    deleteScreens();
    setUiSoundPlayer(nullptr);
    if (screenHost() == this) setScreenHost(nullptr);
    platform::showSystemCursor(true);
    camera_.reset();
    cursor_.reset();
    font_.reset();
    SoundManager::instance().close();
}

ORenderWindow* OApplication::activeScreen() {
    return gActiveScreen;
}

void OApplication::prepareBeforeWindow() {
    const std::string path = DataPath::archiveFile();
    ResourceArchive& archive = ResourceArchive::instance();
    std::error_code error;
    if (!archive.isOpen() && std::filesystem::is_regular_file(path, error)) archive.open(path);
    if (archive.isOpen() && archive.path() == path) {
        // The shell's own first, then what the first screen shows; the rest once it is shown.
        std::vector<std::string> names = {DataManifest::kFontTexture, DataManifest::kCursorTexture,
                                          DataManifest::kIconTexture};
        const std::vector<std::string> first = firstScreenTextures();
        names.insert(names.end(), first.begin(), first.end());
        std::erase_if(names, [this](const std::string& name) { return skipsAtStart(name); });
        TexturePrefetch::instance().start(names);
    }
}

void OApplication::finishStartup() {
    startupFinished_ = true;
    std::vector<std::string> names = laterStartupTextures();
    std::erase_if(names, [this](const std::string& name) { return skipsAtStart(name); });
    TexturePrefetch::instance().add(names);
    loadAfterFirstFrame();
    // Pictures decoded ahead that nobody took are let go, and what start-up freed goes back to
    // the system.
    TexturePrefetch::instance().stop();
    platform::releaseFreedMemory();
}

bool OApplication::init() {
    currentMode_ = -1;
    const std::string path = DataPath::archiveFile();
    ResourceArchive& archive = ResourceArchive::instance();
    if (!archive.isOpen() || archive.path() != path) {
        TexturePrefetch::instance().stop();  // it reads the archive that closes now
        if (!archive.open(path)) throw OFileNotFound(path);
    }
    camera_ = std::make_unique<OCamera>(float(width()), float(height()), kCameraFovDegrees,
                                        kCameraNear, kCameraFar);
    try {
        font_ = std::make_unique<BitmapFont>(DataManifest::kFontTexture);
        if (!font_->build()) font_.reset();
    } catch (const OFileNotFound&) {
        font_.reset();  // the game runs on without text rather than not at all
    }
    WindowIcon::install(DataManifest::kIconTexture);
    cursor_ = std::make_unique<MouseCursor>(DataManifest::kCursorTexture);
    cursor_->load();
    cursor_->makePointer(height());
    SoundManager& sound = SoundManager::instance();
    sound.beginInit();  // the device opens in the background; the menu need not wait
    const SystemSettings& settings = SystemSettings::instance();
    sound.applySettings(settings.sound, settings.soundVolume, settings.musicVolume, settings.music);
    for (const DataManifest::Sample& sample : DataManifest::samples())
        if (sample.id < DataManifest::kFirstGameSample)
            sound.loadSample(sample.id, sample.file, sample.loop);
    setUiSoundPlayer(playInterfaceSound);
    return true;
}

void OApplication::advancePulse(int elapsedMs) {
    pulse_ += elapsedMs * pulseSpeed_;
    if (pulse_ >= kPulseHigh) {
        pulseSpeed_ = -kPulseSpeedPerMs;
        pulse_ = 1.0;
    } else if (pulse_ <= kPulseLow) {
        pulseSpeed_ = kPulseSpeedPerMs;
        pulse_ = kPulseLow;
    }
}

void OApplication::serveFullScreenRequest() {
    if (!takeFullScreenRequest()) return;
    SystemSettings& settings = SystemSettings::instance();
    const bool wasFullScreen = settings.fullScreen;
    // A mode that could not be made is not saved: the next start would fail the same way.
    if (!setFullScreen(true)) settings.fullScreen = wasFullScreen;
    settings.save();
}

bool OApplication::setFullScreen(bool on) {
    SystemSettings& settings = SystemSettings::instance();
    settings.fullScreen = on;
    setFullScreenFlag(on);
    recreateWindow();
    // A mode the display cannot show windowed (as large as the desktop) stays full screen.
    setFullScreenFlag(settings.fullScreen);
    return hasContext();
}

void OApplication::frame(int elapsedMs) {
    // Without a screen there is no first picture to wait for: start-up ends at once.
    if (!startupFinished_ && !gActiveScreen) finishStartup();
    SoundManager::instance().serviceStreamEnd();
    advancePulse(elapsedMs);
    serveFullScreenRequest();
    frameDrawn_ = false;
    if (!hasContext()) return;  // a failed re-creation has asked the loop to end
    {
        DispatchScope scope(*this);
        // The pass in which an animation ends must still draw, or its last moving picture
        // would stay on screen instead of the settled one.
        // A paused screen's clock stands, so what it shows does not move on by itself.
        const bool wasAnimating = gActiveScreen && gActiveScreen->animatesNow();
        if (isActive() && gActiveScreen) gActiveScreen->advance(elapsedMs);
        msSinceDrawn_ = std::min(msSinceDrawn_ + elapsedMs, kDecorationFrameMs);
        const bool ended = wasAnimating && !(gActiveScreen && gActiveScreen->animatesNow());
        frameDrawn_ = takeDrawingDue() || ended;
        if (frameDrawn_) {
            msSinceDrawn_ = 0;
            drawFrame();
        }
    }
    if (frameDrawn_) swapBuffers();
    // The first screen is on view: the rest of start-up runs behind it.
    if (!startupFinished_ && frameDrawn_ && gActiveScreen) finishStartup();
}

bool OApplication::takeDrawingDue() {
    const bool asked = std::exchange(redrawPending_, false);
    if (!gActiveScreen) return true;  // the splash: no screen to say what changes
    // Always taken, so a request is never left over for a later frame.
    const bool screenAsked = gActiveScreen->takeRedrawRequest();
    if (asked || screenAsked) return true;
    return gActiveScreen->animatesNow() &&
           (!gActiveScreen->animatesOnlyDecoration() || decorationDue());
}

bool OApplication::decorationDue() const {
    return msSinceDrawn_ >= kDecorationFrameMs;
}

bool OApplication::restsUntilInput() const {
    if (redrawPending_ || !gActiveScreen) return false;
    return gActiveScreen->isPaused() ||
           (gActiveScreen->changesOnlyOnInput() && !gActiveScreen->isAnimating());
}

void OApplication::requestRedraw() {
    redrawPending_ = true;
}

void OApplication::repaint() {
    redrawPending_ = true;
}

void OApplication::idle() {
    SoundManager::instance().serviceStreamEnd();
}

void OApplication::drawFrame() {
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    if (gActiveScreen) {
        gActiveScreen->present();
    } else {
        drawIdle();
    }
    if (camera_) camera_->apply2D(float(width()), float(height()));
    if (cursor_) cursor_->draw(height());  // nothing when the platform's pointer shows it
}

void OApplication::drawIdle() {
    glViewport(0, 0, width(), height());
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void OApplication::resize() {
    for (ORenderWindow* screen : screens_) screen->resize(width(), height());
    if (cursor_ && cursor_->isPointer()) cursor_->makePointer(height());
    redrawPending_ = true;
}

void OApplication::deleteScreens() {
    std::vector<ORenderWindow*> screens;
    screens.swap(screens_);
    gActiveScreen = nullptr;
    pendingSwitches_.clear();
    pendingRetires_.clear();
    for (ORenderWindow* screen : screens) delete screen;
}

void OApplication::shutdown() {
    deleteScreens();
}

void OApplication::endRun() {
    if (!std::exchange(savedBeforeQuit_, true)) saveBeforeQuit();
    shutdown();
}

void OApplication::focusLost() {
    DispatchScope scope(*this);
    if (gActiveScreen) gActiveScreen->loseFocus();
}

bool OApplication::onEvent(InputEvent& event) {
    if (cursor_) cursor_->moveTo(event.x, event.y);
    // Keys and buttons may change anything; a bare move shows only when the cursor is drawn,
    // otherwise the screen asks for a frame if the move changed its picture (a highlight).
    const bool drawnCursor = cursor_ && !cursor_->isPointer();
    if (event.type != kInputPointerMove || drawnCursor) redrawPending_ = true;
    if (isQuitShortcut(event)) {
        quit();
        return true;
    }
    // A key or a button never reaches a screen before start-up has made every screen it may
    // switch to (the pointer entering the window moves it before the first picture).
    if (!startupFinished_ && gActiveScreen && event.type != kInputPointerMove) finishStartup();
    DispatchScope scope(*this);
    if (gActiveScreen) {
        const bool wasPaused = gActiveScreen->isPaused();
        const bool taken = gActiveScreen->dispatchEvent(event) || runShortcut(event);
        // The time the game stood still up to this event is not the game's.
        if (wasPaused && gActiveScreen && !gActiveScreen->isPaused()) restartStep();
        return taken;
    }
    // With no screen to take it, Escape leaves the bare shell.
    if (event.type == kInputKeyDown && event.key == kKeyEscape) {
        quit();
        return true;
    }
    return false;
}

// Shortcuts act only where the screen left the key alone and no dialog or entry holds it.
bool OApplication::runShortcut(const InputEvent& event) {
    // A held key repeats: a shortcut acts once per press (F11 held must not flicker the screen).
    const bool repeat = (event.flags & kFlagRepeat) != 0;
    if (event.type != kInputKeyDown || repeat || !gActiveScreen ||
        gActiveScreen->shortcutsBlocked())
        return false;
    if (event.key == kKeyF11) {
        toggleFullScreen();
        return true;
    }
    const bool control = (event.flags & kFlagControl) != 0;
    if (control && event.key == kKeyN && gActiveScreen->id() != kScreenSelectGame) {
        setActiveScreen(kScreenSelectGame);
        return true;
    }
    return false;
}

void OApplication::toggleFullScreen() {
    SystemSettings& settings = SystemSettings::instance();
    setFullScreen(!settings.fullScreen);
    if (!settings.save()) BRX_LOG_ERROR("Settings could not be saved to Data/System.Cfg");
    for (ORenderWindow* screen : screens_) screen->displayModeChanged();
    redrawPending_ = true;
}

void OApplication::addScreen(ORenderWindow* screen) {
    if (!screen || std::find(screens_.begin(), screens_.end(), screen) != screens_.end()) return;
    screens_.push_back(screen);
    screen->setApplication(this, camera_.get());
    screen->resize(width(), height());
    screen->init();
}

ORenderWindow* OApplication::removeScreen(ORenderWindow* screen) {
    const auto it = std::find(screens_.begin(), screens_.end(), screen);
    if (it == screens_.end()) return nullptr;
    screens_.erase(it);
    return screen;
}

bool OApplication::setActiveScreen(ScreenId id) {
    const bool known =
        std::any_of(screens_.begin(), screens_.end(),
                    [id](const ORenderWindow* screen) { return screen->id() == id; });
    if (dispatchDepth_ > 0) {
        pendingSwitches_.push_back(id);
        return known;
    }
    switchScreen(id);
    return known;
}

void OApplication::switchScreen(ScreenId id) {
    if (gActiveScreen) gActiveScreen->deactivate();
    // A screen on its way out is never switched to: a new game asked for while the old one
    // awaits retirement finds the new one.
    const auto it = std::find_if(screens_.begin(), screens_.end(), [&](ORenderWindow* screen) {
        return screen->id() == id && std::find(pendingRetires_.begin(), pendingRetires_.end(),
                                               screen) == pendingRetires_.end();
    });
    gActiveScreen = it == screens_.end() ? nullptr : *it;
    // Every screen opens with nothing focused; the first navigation key focuses its first control.
    if (gActiveScreen) gActiveScreen->clearFocus();
    if (gActiveScreen) gActiveScreen->activate();
    redrawPending_ = true;
}

void OApplication::retireScreen(ORenderWindow* screen) {
    if (!screen) return;
    if (dispatchDepth_ > 0) {
        if (std::find(pendingRetires_.begin(), pendingRetires_.end(), screen) ==
            pendingRetires_.end())
            pendingRetires_.push_back(screen);
        return;
    }
    deleteScreen(screen);
}

void OApplication::deleteScreen(ORenderWindow* screen) {
    if (!removeScreen(screen)) return;  // not ours (or already gone): never delete twice
    if (gActiveScreen == screen) {
        screen->deactivate();
        gActiveScreen = nullptr;
    }
    delete screen;
}

void OApplication::runDeferredRequests() {
    // A screen activated here may ask for more (the score screen retires the game): those run
    // in the same pass, so nothing waits for another frame.
    DispatchScope scope(*this);
    while (!pendingSwitches_.empty() || !pendingRetires_.empty()) {
        if (!pendingSwitches_.empty()) {
            const ScreenId id = pendingSwitches_.front();
            pendingSwitches_.erase(pendingSwitches_.begin());
            switchScreen(id);
            continue;
        }
        ORenderWindow* screen = pendingRetires_.front();
        pendingRetires_.erase(pendingRetires_.begin());
        deleteScreen(screen);
    }
}

void OApplication::quit() {
    platform::postQuit(0);
}

void OApplication::releaseGLResources() {
    TextureCache::instance().releaseAll();
    releaseSceneLists();
    if (font_) font_->releaseLists();
}

void OApplication::recreateWindow() {
    // The new window takes the colour depth the settings ask for now (the options change it).
    setColorBits(SystemSettings::instance().colorDepth);
    releaseGLResources();
    releaseContext();
    destroyWindow();
    if (!openWindow() || !setupPixelFormat()) {
        // No context to draw with: end the run instead of calling GL without one.
        platform::postQuit(kExitNoWindow);
        return;
    }
    resize();
    if (cursor_) cursor_->makePointer(height());
    drawLoadingProgress(25, nullptr);
    platform::raiseWindow();
    drawLoadingProgress(30, nullptr);
    TextureCache::instance().restoreAll();
    drawLoadingProgress(30, nullptr);
    if (font_) font_->build();
    drawLoadingProgress(45, nullptr);
    restoreSceneLists();
    drawLoadingProgress(80, nullptr);
    drawLoadingProgress(100, nullptr);
}

void OApplication::beginVirtual2D() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, kVirtualWidth, 0.0, kVirtualHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
}

void OApplication::drawLoadingProgress(float percent, const TextureRef* image) {
    const double nowMs = platform::preciseTimeMs();
    if (percent < 100.0f && nowMs - lastProgressMs_ < platform::refreshIntervalMs()) return;
    lastProgressMs_ = nowMs;
    glViewport(0, 0, width(), height());
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    beginVirtual2D();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (image && *image) {
        glEnable(GL_TEXTURE_2D);
        image->draw(kVirtualWidth / 2 - image->width() / 2.0f,
                    kVirtualHeight / 2 - image->height() / 2.0f);
    }
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, kBarAlpha);
    glLineWidth(1.0f);
    glBegin(GL_LINE_LOOP);
    glVertex2f(kBarLeft, kBarBottom);
    glVertex2f(kBarRight, kBarBottom);
    glVertex2f(kBarRight, kBarTop);
    glVertex2f(kBarLeft, kBarTop);
    glEnd();
    glColor4f(1.0f, 0.0f, 0.0f, kBarAlpha);
    glLineWidth(SystemSettings::instance().screenRes != 0 ? 5.0f : 4.0f);
    glBegin(GL_LINES);
    glVertex2f(kBarFillStart, kBarFillY);
    glVertex2f(kBarFillStart + std::floor(percent * kBarFillLength / 100.0f), kBarFillY);
    glEnd();
    glLineWidth(1.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    // Shown at once: loading must never wait on the display's refresh.
    platform::swapWindowNow();
}

}  // namespace brx
