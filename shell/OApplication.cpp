#include "shell/OApplication.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "shell/MouseCursor.h"
#include "shell/ORenderWindow.h"
#include "core/ResourceArchive.h"
#include "sound/SoundManager.h"
#include "core/SystemSettings.h"
#include "engine/BitmapFont.h"
#include "engine/OCamera.h"
#include "engine/OException.h"
#include "engine/TextureCache.h"
#include "engine/TextureRef.h"
#include "engine/UiSound.h"
#include "platform/Platform.h"

namespace brx {
namespace {

ORenderWindow* gActiveScreen = nullptr;

constexpr const char* kArchivePath = "Data/Resource.Kvr";
constexpr const char* kFontTexture = "Font.Tga";
constexpr const char* kCursorTexture = "Cursor.Tga";
constexpr int kSampleMouseOver = 1;
constexpr int kSampleMouseClick = 2;

// The loading bar, in the 800 x 600 virtual space.
constexpr float kVirtualWidth = 800.0f;
constexpr float kVirtualHeight = 600.0f;
constexpr float kBarLeft = 247.0f, kBarRight = 553.0f, kBarBottom = 242.0f, kBarTop = 248.0f;
constexpr float kBarFillStart = 248.0f, kBarFillY = 245.0f, kBarFillLength = 305.0f;
constexpr float kBarAlpha = 0.75f;

void playInterfaceSound(int sampleId) {
    SoundManager::instance().play(sampleId, 0);
}

}  // namespace

OApplication::OApplication() {
    platform::showSystemCursor(false);
    setScreenHost(this);
}

OApplication::~OApplication() {
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

bool OApplication::init() {
    currentMode_ = -1;
    if (!ResourceArchive::instance().open(kArchivePath)) throw OFileNotFound(kArchivePath);
    camera_ = std::make_unique<OCamera>(float(width()), float(height()), kCameraFovDegrees,
                                        kCameraNear, kCameraFar);
    try {
        font_ = std::make_unique<BitmapFont>(kFontTexture);
        if (!font_->build()) font_.reset();
    } catch (const OFileNotFound&) {
        font_.reset();  // the game runs on without text rather than not at all
    }
    cursor_ = std::make_unique<MouseCursor>(kCursorTexture);
    cursor_->load();
    SoundManager& sound = SoundManager::instance();
    sound.init();
    const SystemSettings& settings = SystemSettings::instance();
    sound.applySettings(settings.sound, settings.soundVolume, settings.musicVolume, settings.music);
    sound.loadSample(kSampleMouseOver, "Data/Sounds/Interface/MsOver.Wav", false);
    sound.loadSample(kSampleMouseClick, "Data/Sounds/Interface/MsClik.Wav", false);
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
    settings.fullScreen = true;
    setFullScreen(true);
    recreateWindow();
    setFullScreen(settings.fullScreen);
    settings.save();
}

void OApplication::frame(int elapsedMs) {
    SoundManager::instance().serviceStreamEnd();
    advancePulse(elapsedMs);
    serveFullScreenRequest();
    if (!hasContext()) return;  // a failed re-creation has asked the loop to end
    if (isActive() && gActiveScreen) gActiveScreen->update(elapsedMs);
    drawFrame();
    swapBuffers();
}

void OApplication::drawFrame() {
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    if (gActiveScreen) {
        gActiveScreen->draw();
    } else {
        drawIdle();
    }
    if (camera_) camera_->apply2D(float(width()), float(height()));
    if (cursor_) cursor_->draw(height());
}

void OApplication::drawIdle() {
    glViewport(0, 0, width(), height());
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void OApplication::resize() {
    for (ORenderWindow* screen : screens_) screen->resize(width(), height());
}

void OApplication::deleteScreens() {
    std::vector<ORenderWindow*> screens;
    screens.swap(screens_);
    gActiveScreen = nullptr;
    for (ORenderWindow* screen : screens) delete screen;
}

void OApplication::shutdown() {
    deleteScreens();
}

bool OApplication::onEvent(InputEvent& event) {
    if (cursor_) cursor_->moveTo(event.x, event.y);
    if (gActiveScreen) return gActiveScreen->onEvent(event);
    // With no screen to take it, Escape leaves the bare shell.
    if (event.type == kInputKeyDown && event.key == kKeyEscape) {
        platform::postQuit(0);
        return true;
    }
    return false;
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
    if (gActiveScreen) gActiveScreen->deactivate();
    const auto it = std::find_if(screens_.begin(), screens_.end(),
                                 [id](const ORenderWindow* screen) { return screen->id() == id; });
    gActiveScreen = it == screens_.end() ? nullptr : *it;
    if (gActiveScreen) gActiveScreen->activate();
    return gActiveScreen != nullptr;
}

void OApplication::releaseGLResources() {
    TextureCache::instance().releaseAll();
    releaseSceneLists();
    if (font_) font_->releaseLists();
}

void OApplication::recreateWindow() {
    releaseGLResources();
    releaseContext();
    destroyWindow();
    if (!openWindow() || !setupPixelFormat()) {
        // No context to draw with: end the run instead of calling GL without one.
        platform::postQuit(kExitNoWindow);
        return;
    }
    resize();
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
    swapBuffers();
}

}  // namespace brx
