#include "screens/ScreenKit.h"

#include <GL/gl.h>

#include <iterator>

#include "engine/OTextStack.h"
#include "shell/ORenderWindow.h"
#include "shell/ScreenHost.h"

namespace brx {
namespace {

constexpr const char* kDoneSkin = "Interface/Done.Tga";
constexpr int kDoneX = 475;
constexpr int kDoneY = 20;
constexpr const char* kBackgroundPictures[] = {"Nature.Jpg", "Space.Jpg", "Dune.Jpg"};

}  // namespace

ScreenHost* hostOf(const ORenderWindow& screen) {
    return screen.application() ? screen.application() : screenHost();
}

BitmapFont* fontOf(const ORenderWindow& screen) {
    ScreenHost* host = hostOf(screen);
    return host ? host->font() : nullptr;
}

bool switchScreen(const ORenderWindow& screen, ScreenId id) {
    ScreenHost* host = hostOf(screen);
    return host && host->setActiveScreen(id);
}

std::unique_ptr<OTextStack> makeButton(BitmapFont* font, int commandId, const std::string& skin,
                                       int x, int y) {
    auto button = std::make_unique<OTextStack>(font, commandId, false, kButtonTextScale);
    button->setTexture(skin);
    button->setPosition(int16_t(x), int16_t(y));
    button->setSounds(kHoverSound, kClickSound);
    return button;
}

std::unique_ptr<OTextStack> makeDoneButton(BitmapFont* font, int commandId) {
    return makeButton(font, commandId, kDoneSkin, kDoneX, kDoneY);
}

std::string backgroundPicture(int background) {
    const bool known = background >= 0 && background < int(std::size(kBackgroundPictures));
    return kBackgroundPictures[known ? background : 0];
}

void beginScreen2D(const ORenderWindow& screen) {
    glViewport(0, 0, screen.width(), screen.height());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, ORenderWindow::kVirtualWidth, 0.0, ORenderWindow::kVirtualHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
}

}  // namespace brx
