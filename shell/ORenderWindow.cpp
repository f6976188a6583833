#include "shell/ORenderWindow.h"

#include <GL/gl.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "core/ErrorLog.h"
#include "engine/BitmapFont.h"
#include "engine/OCamera.h"
#include "engine/OControl.h"
#include "engine/OException.h"
#include "engine/OTextField.h"
#include "engine/OTextStack.h"
#include "engine/TextureRef.h"
#include "shell/ScreenHost.h"

namespace brx {

namespace {

constexpr const char* kLogoName = "PLogo.Tga";
// The overlay is laid half-transparent over the middle band that holds the menus (units).
constexpr float kOverlayLeft = 150.0f;
constexpr float kOverlayRight = 650.0f;
constexpr float kOverlayAlpha = 0.5f;
// Overlay names shorter than this mean "keep the current overlay".
constexpr std::size_t kMinOverlayName = 2;

bool isKeyEvent(const InputEvent& event) {
    return event.type == kInputCharacter || event.type == kInputKeyDown ||
           event.type == kInputKeyUp;
}

bool isPointerEvent(const InputEvent& event) {
    return event.type == kInputPointerMove || event.type == kInputButtonDown ||
           event.type == kInputButtonUp;
}

// A focus-on-press control only takes the highlight from a button press.
bool takesHighlightFrom(const OControl& control, const InputEvent& event) {
    return control.focusMode() == kFocusFollowsPointer || event.type == kInputButtonDown;
}

// Loads a texture, or logs and answers null when the file is missing or damaged: a screen then
// simply draws without that layer.
std::unique_ptr<TextureRef> loadLayer(const std::string& name) {
    auto texture = std::make_unique<TextureRef>();
    try {
        texture->load(name, true);
    } catch (const OFileNotFound&) {
        BRX_LOG_ERROR("Screen picture \"%s\" could not be loaded", name.c_str());
        return nullptr;
    }
    return texture;
}

void drawQuad(float left, float bottom, float right, float top, float z) {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(left, bottom, z);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(right, bottom, z);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(right, top, z);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(left, top, z);
    glEnd();
}

}  // namespace

ORenderWindow::ORenderWindow(ScreenId id) : id_(id) {}

ORenderWindow::~ORenderWindow() = default;

void ORenderWindow::activate() {}

void ORenderWindow::deactivate() {}

void ORenderWindow::draw() {
    drawBackground();
    drawControls();
}

void ORenderWindow::update(int elapsedMs) {
    for (const auto& control : controls_) control->update(elapsedMs);
}

bool ORenderWindow::init() {
    return true;
}

bool ORenderWindow::onEvent(const InputEvent& event) {
    const std::size_t before = routingState();
    const bool consumed = route(event);
    if (consumed || routingState() != before) requestRedraw();
    return consumed;
}

bool ORenderWindow::route(const InputEvent& event) {
    if (tabCount_ == 0) return routePointerOnly(event);
    if (isKeyEvent(event)) return routeKeyToTabStop(event);
    if (isPointerEvent(event)) return routePointerWithTabStops(event);
    return false;
}

std::size_t ORenderWindow::routingState() const {
    std::size_t state = std::hash<const void*>()(hot_);
    const auto mix = [&state](std::size_t value) {
        state ^= value + 0x9e3779b97f4a7c15ull + (state << 6) + (state >> 2);
    };
    mix(std::hash<const void*>()(focused_));
    mix(std::size_t(uint16_t(focusIndex_)));
    for (const auto& control : controls_) mix(control->highlighted() ? 1u : 2u);
    return state;
}

bool ORenderWindow::isAnimating() const {
    return true;
}

bool ORenderWindow::takeRedrawRequest() {
    return std::exchange(redrawRequested_, false);
}

bool ORenderWindow::controlsAnimating() const {
    for (const auto& control : controls_) {
        if (!control->visible() || control->hidden()) continue;
        // Skinned buttons show no echo; bare text does while its pulse runs.
        if (const auto* text = dynamic_cast<const OTextStack*>(control.get()))
            if (text->pulsing() && !text->hasSkin()) return true;
        if (dynamic_cast<const OTextField*>(control.get()) && control->highlighted()) return true;
    }
    return false;
}

bool ORenderWindow::onCommand(int /*controlId*/, int /*value*/) {
    return false;
}

void ORenderWindow::resize(int16_t width, int16_t height) {
    width_ = width;
    height_ = height;
    requestRedraw();
}

bool ORenderWindow::setBackground(const std::string& backgroundName,
                                  const std::string& overlayName) {
    background_ = loadLayer(backgroundName);
    bool loaded = background_ != nullptr;
    if (overlayName.size() >= kMinOverlayName) {
        overlay_ = loadLayer(overlayName);
        loaded = loaded && overlay_ != nullptr;
    }
    return loaded;
}

void ORenderWindow::clearBackground() {
    background_.reset();
    overlay_.reset();
}

const TextureRef& ORenderWindow::logo() {
    if (!logo_) {
        auto logo = std::make_unique<TextureRef>();
        logo->load(kLogoName, true);
        logo_ = std::move(logo);
    }
    return *logo_;
}

bool ORenderWindow::addControl(OControl* control) {
    if (control == nullptr || contains(control)) return false;
    controls_.emplace_back(control);
    control->setOwner(this);
    control->attached();
    if (control->tabStop()) control->setTabIndex(tabCount_++);
    return true;
}

OControl* ORenderWindow::removeControl(OControl* control) {
    const std::size_t index = indexOf(control);
    if (index == controls_.size()) return nullptr;
    OControl* removed = controls_[index].release();
    controls_.erase(controls_.begin() + static_cast<std::ptrdiff_t>(index));
    // A hot control that is gone must not be touched again, tab stop or not.
    if (hot_ == removed) hot_ = nullptr;
    if (!removed->tabStop()) return removed;
    if (focused_ == removed) focused_ = nullptr;
    // Later tab stops close the gap, so Tab keeps cycling without holes.
    tabCount_ = removed->tabIndex();
    for (std::size_t i = index; i < controls_.size(); ++i) {
        if (controls_[i]->tabStop()) controls_[i]->setTabIndex(tabCount_++);
    }
    focusIndex_ = focused_ != nullptr ? static_cast<int16_t>(focused_->tabIndex()) : -1;
    return removed;
}

void ORenderWindow::setFocus(OControl* control) {
    if (!contains(control)) return;
    OControl* previous = focused_ != nullptr ? focused_ : hot_;
    if (previous != nullptr) previous->loseHighlight();
    control->gainHighlight();
    if (control->tabStop()) {
        focused_ = control;
        focusIndex_ = static_cast<int16_t>(control->tabIndex());
    }
    hot_ = control;
}

bool ORenderWindow::contains(const OControl* control) const {
    return indexOf(control) != controls_.size();
}

void ORenderWindow::setApplication(ScreenHost* application, OCamera* camera) {
    application_ = application;
    camera_ = camera;
}

std::size_t ORenderWindow::indexOf(const OControl* control) const {
    const auto found =
        std::find_if(controls_.begin(), controls_.end(),
                     [control](const auto& owned) { return owned.get() == control; });
    return static_cast<std::size_t>(found - controls_.begin());
}

// No tab stops: the pointer alone decides, the control added last getting the first say.
// A focus-on-press control that holds the highlight still hears events it is not under.
bool ORenderWindow::routePointerOnly(const InputEvent& event) {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        OControl* control = it->get();
        if (!control->visible()) continue;
        if (!control->hitTest(event)) {
            if (control->highlighted() && control->focusMode() == kFocusFollowsPointer)
                control->loseHighlight();
            continue;
        }
        if (takesHighlightFrom(*control, event) && !control->highlighted()) {
            if (hot_ != nullptr) hot_->loseHighlight();
            hot_ = control;
            control->gainHighlight();
        }
        if (control->handleEvent(event)) return true;
    }
    return hot_ != nullptr && hot_->focusMode() == kFocusOnPress && hot_->handleEvent(event);
}

bool ORenderWindow::routeKeyToTabStop(const InputEvent& event) {
    const bool tabPress = event.type == kInputKeyDown && event.key == kKeyTab;
    if (tabPress) focusIndex_ = static_cast<int16_t>((focusIndex_ + 1) % tabCount_);
    for (const auto& owned : controls_) {
        OControl* control = owned.get();
        if (!control->visible() || !control->tabStop() || control->tabIndex() != focusIndex_)
            continue;
        if (!control->highlighted()) {
            hot_ = nullptr;
            if (focused_ != nullptr) focused_->loseHighlight();
            focused_ = control;
            control->gainHighlight();
        }
        return tabPress || control->handleEvent(event);
    }
    return false;
}

bool ORenderWindow::routePointerWithTabStops(const InputEvent& event) {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        OControl* control = it->get();
        if (!control->visible()) continue;
        if (!control->hitTest(event)) {
            if (control == hot_ && control->focusMode() == kFocusFollowsPointer) {
                control->loseHighlight();
                if (control->tabStop()) focusIndex_ = -1;
            }
            continue;
        }
        if (!takesHighlightFrom(*control, event)) continue;
        if (control->tabStop()) {
            if (focused_ != nullptr && focused_ != control) focused_->loseHighlight();
            focused_ = control;
            focusIndex_ = static_cast<int16_t>(control->tabIndex());
        }
        // Only an actual entry highlights: the hover sound must not repeat on every move.
        if (!control->highlighted()) control->gainHighlight();
        hot_ = control;
        if (control->handleEvent(event)) return true;
    }
    return false;
}

void ORenderWindow::drawBackground(float brightness) {
    if (camera_ != nullptr) camera_->apply(width_, height_);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, kVirtualWidth, 0.0, kVirtualHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    drawLayers(brightness);
    BitmapFont* font = application_ != nullptr ? application_->font() : nullptr;
    if (font != nullptr) font->setColour(1.0f, 1.0f, 1.0f, 1.0f);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
}

void ORenderWindow::drawLayers(float brightness) const {
    glEnable(GL_TEXTURE_2D);
    glColor4f(brightness, brightness, brightness, 1.0f);
    if (background_ != nullptr) {
        background_->bind();
        // A dimmed background sits behind a game drawn every frame: plain bilinear filtering
        // halves its cost on software GL, and the dimming hides the difference.
        GLint minifying = GL_LINEAR;
        const bool dimmed = brightness < 1.0f;
        if (dimmed) {
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minifying);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        }
        drawQuad(0.0f, 0.0f, kVirtualWidth, kVirtualHeight, 1.0f);
        if (dimmed) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minifying);
    }
    if (overlay_ != nullptr) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(brightness, brightness, brightness, kOverlayAlpha);
        overlay_->bind();
        drawQuad(kOverlayLeft, 0.0f, kOverlayRight, kVirtualHeight, 0.0f);
        glDisable(GL_BLEND);
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void ORenderWindow::drawControls() {
    for (const auto& control : controls_) control->draw();
}

}  // namespace brx
