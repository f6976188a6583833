#include "shell/ORenderWindow.h"

#include <GL/gl.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "core/ErrorLog.h"
#include "engine/BitmapFont.h"
#include "engine/KvIncDec.h"
#include "engine/O2D.h"
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
    const bool consumed = routeNavigationKey(event) || route(event);
    syncFocusFlags();
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
    if (offersKeyboardFocus() && control->takesKeyboardFocus()) control->setTabStop(true);
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
    syncFocusFlags();
}

void ORenderWindow::clearFocus() {
    if (focused_ != nullptr && focused_ != hot_) focused_->loseHighlight();
    focused_ = nullptr;
    focusIndex_ = -1;
    syncFocusFlags();
}

OControl* ORenderWindow::keyboardFocus() const {
    if (focused_ == nullptr || focusIndex_ < 0 || !focused_->tabStop()) return nullptr;
    if (focused_->tabIndex() != uint16_t(focusIndex_) || !focused_->canTakeFocus()) return nullptr;
    return focused_;
}

void ORenderWindow::syncFocusFlags() {
    const OControl* focus = keyboardFocus();
    for (const auto& control : controls_) control->setFocused(control.get() == focus);
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

namespace {

bool isNavigationKey(uint16_t key) {
    return key == kKeyTab || key == kKeyUp || key == kKeyDown || key == kKeyEnter ||
           key == kKeyLeft || key == kKeyRight;
}

// Where a control sits for the reading order: its box, or nothing for a control without one.
struct ReadingBox {
    OControl* control;
    float centreY;
    float height;
    float x;
};

ReadingBox readingBoxOf(OControl* control) {
    if (const auto* box = dynamic_cast<const O2D*>(control))
        return {control, box->y() + box->height() / 2.0f, float(box->height()), float(box->x())};
    return {control, -1e9f, 0.0f, 0.0f};  // no place on screen: visited last
}

}  // namespace

std::vector<OControl*> ORenderWindow::readingOrder() const {
    std::vector<ReadingBox> boxes;
    for (const auto& control : controls_)
        if (control->tabStop() && control->canTakeFocus())
            boxes.push_back(readingBoxOf(control.get()));
    // Top to bottom first; controls whose middles lie within half the smaller height of the
    // row's first control share its row and are read left to right.
    std::stable_sort(boxes.begin(), boxes.end(), [](const ReadingBox& a, const ReadingBox& b) {
        return a.centreY > b.centreY;
    });
    std::vector<OControl*> order;
    for (std::size_t start = 0; start < boxes.size();) {
        std::size_t end = start + 1;
        while (end < boxes.size() && boxes[start].centreY - boxes[end].centreY <
                                         std::min(boxes[start].height, boxes[end].height) / 2.0f)
            ++end;
        std::stable_sort(boxes.begin() + std::ptrdiff_t(start), boxes.begin() + std::ptrdiff_t(end),
                         [](const ReadingBox& a, const ReadingBox& b) { return a.x < b.x; });
        for (std::size_t i = start; i < end; ++i) order.push_back(boxes[i].control);
        start = end;
    }
    return order;
}

// Tab, Shift+Tab, Down and Up move the focus; Enter, Left and Right act on the focused control.
// A text field keeps Enter, Left and Right for itself (they reach it through the key routing).
bool ORenderWindow::routeNavigationKey(const InputEvent& event) {
    if (event.type != kInputKeyDown || tabCount_ == 0 || !isNavigationKey(event.key)) return false;
    const std::vector<OControl*> order = readingOrder();
    if (order.empty()) return false;
    OControl* focus = keyboardFocus();
    if (focus == nullptr) return moveFocusTo(order.front());
    const bool moves = event.key == kKeyTab || event.key == kKeyUp || event.key == kKeyDown;
    if (moves) {
        const bool backwards =
            event.key == kKeyUp || (event.key == kKeyTab && (event.flags & kFlagShift) != 0);
        const auto at = std::find(order.begin(), order.end(), focus);
        const std::size_t index = static_cast<std::size_t>(at - order.begin());
        const std::size_t count = order.size();
        const std::size_t next = at == order.end() ? 0
                                 : backwards       ? (index + count - 1) % count
                                                   : (index + 1) % count;
        return moveFocusTo(order[next]);
    }
    if (focus->focusMode() == kFocusOnPress) return false;
    if (event.key == kKeyEnter) return focus->onKey(event);
    return stepFocused(focus, event);
}

// Left and Right: through the arrows that step the control when it has any, else the control.
bool ORenderWindow::stepFocused(OControl* focused, const InputEvent& event) {
    for (const auto& owned : controls_) {
        auto* arrows = dynamic_cast<KvIncDec*>(owned.get());
        if (arrows != nullptr && arrows->attachedControl() == focused && arrows->visible())
            return arrows->step(event.key == kKeyRight);
    }
    return focused->onKey(event);
}

bool ORenderWindow::moveFocusTo(OControl* control) {
    if (focused_ != nullptr && focused_ != control) focused_->loseHighlight();
    if (hot_ != nullptr && hot_ != control && hot_ != focused_) hot_->loseHighlight();
    hot_ = nullptr;
    focused_ = control;
    focusIndex_ = static_cast<int16_t>(control->tabIndex());
    if (!control->highlighted()) control->gainHighlight();
    return true;
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
                if (control->tabStop() && control == focused_) focusIndex_ = -1;
            }
            continue;
        }
        if (!takesHighlightFrom(*control, event)) continue;
        if (control->tabStop() && !entryKeepsFocus(control, event)) {
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

// A text entry holding the focus keeps it while the pointer only passes over other controls
// (they light up, but the typing goes on into the entry); a press moves the focus.
bool ORenderWindow::entryKeepsFocus(const OControl* control, const InputEvent& event) const {
    return event.type != kInputButtonDown && focused_ != nullptr && focused_ != control &&
           focused_->focusMode() == kFocusOnPress && focused_->canTakeFocus() &&
           focusIndex_ == int16_t(focused_->tabIndex());
}

void ORenderWindow::drawBackground(float brightness) {
    if (camera_ != nullptr) camera_->apply(width_, height_);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    drawLayersFlat(brightness);
    glEnable(GL_DEPTH_TEST);
}

// The opaque board covers over half of the window: drawn after it and rejected by the depth
// test, the background costs only the pixels still showing. Depth 1 everywhere passes the
// cleared depth (GL_LEQUAL) and fails wherever anything was drawn.
void ORenderWindow::drawBackgroundBehind(float brightness) {
    glDisable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glDepthRange(1.0, 1.0);
    drawLayersFlat(brightness);
    glDepthRange(0.0, 1.0);
    glDepthMask(GL_TRUE);
}

// The layers over the whole virtual screen, the caller's matrices kept; the font is left white.
void ORenderWindow::drawLayersFlat(float brightness) const {
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
