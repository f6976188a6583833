#include "screens/Menu.h"

#include <GL/gl.h>

#include "engine/BitmapFont.h"
#include "engine/OTextStack.h"
#include "game/GameVariables.h"
#include "screens/MenuMusic.h"
#include "screens/ResumeStore.h"
#include "screens/ScreenDecoration.h"
#include "screens/ScreenKit.h"
#include "shell/ScreenHost.h"
#include "sound/SoundManager.h"

namespace brx {
namespace {

struct MenuButton {
    int id;
    const char* skin;
    int y;  // lower edge in the virtual space
};
// Top to bottom, 42 units apart; added in this order.
constexpr MenuButton kButtons[] = {
    {Menu::kContinueId, "MainMenu/Continue.Tga", 431},
    {Menu::kNewGameId, "MainMenu/NewGame.Tga", 389},
    {Menu::kOptionsId, "MainMenu/Options.Tga", 347},
    {Menu::kScoreId, "MainMenu/Score.Tga", 305},
    {Menu::kHelpId, "MainMenu/Help.Tga", 263},
    {Menu::kCreditsId, "MainMenu/Credits.Tga", 221},
    {Menu::kExitId, "MainMenu/Exit.Tga", 179},
};
constexpr float kMenuTextScale = 1.0f;
constexpr const char* kTitleTexture = "Brixeler3D.Tga";
constexpr const char* kLogoTexture = "PLogo.Tga";  // the corner logo every screen draws
constexpr float kTitleTopGap = 8.0f;               // between the title picture and the top edge
// The first-start invitation: centred below the buttons.
constexpr float kInvitationY = 140.0f;
constexpr float kInvitationScale = 0.7f;

}  // namespace

bool Menu::invitePlayer = false;

Menu::Menu() : ORenderWindow(kScreenMenu) {}

Menu::~Menu() = default;

std::vector<std::string> Menu::textureNames() {
    std::vector<std::string> names;
    for (const MenuButton& entry : kButtons) names.emplace_back(entry.skin);
    names.emplace_back(kTitleTexture);
    names.emplace_back(kLogoTexture);
    return names;
}

bool Menu::init() {
    BitmapFont* font = fontOf(*this);
    for (const MenuButton& entry : kButtons) {
        auto* button = new OTextStack(font, entry.id, false, kMenuTextScale);
        button->setTexture(entry.skin);
        button->addItem(0, " ");
        button->setPosition(int16_t(kVirtualWidth / 2 - button->skin().width() / 2),
                            int16_t(entry.y));
        button->setSounds(kHoverSound, kClickSound);
        if (entry.id == kContinueId) continue_ = button;
        addControl(button);
    }
    title_.load(kTitleTexture, true);
    return true;
}

void Menu::activate() {
    SoundManager::instance().pauseAll(true);
    resumeMenuMusic();
    refreshContinue();
}

void Menu::refreshContinue() {
    savedGameWaiting_ = ResumeStore::savedGameWaiting();
    enableContinue();
}

void Menu::enableContinue() {
    const bool enabled = currentGame != nullptr || savedGameWaiting_;
    if (!continue_ || continue_->enabled() == enabled) return;
    continue_->setEnabled(enabled);
    requestRedraw();
}

void Menu::update(int elapsedMs) {
    ORenderWindow::update(elapsedMs);
    enableContinue();
}

void Menu::draw() {
    // Nothing of the previous screen may show where the background leaves a gap.
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ORenderWindow::draw();
    beginScreen2D(*this);
    drawSideLines();
    if (title_) {
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        title_.draw(kVirtualWidth / 2.0f - float(title_.width()) / 2.0f,
                    float(kVirtualHeight) - kTitleTopGap - float(title_.height()));
        glDisable(GL_BLEND);
    }
    drawCornerLogo(logo());
    if (invitePlayer) drawInvitation();
    glEnable(GL_DEPTH_TEST);
}

void Menu::drawInvitation() const {
    BitmapFont* font = fontOf(*this);
    if (!font) return;
    const float width = float(font->textWidth(kInvitation)) * kInvitationScale;
    glEnable(GL_TEXTURE_2D);
    font->setColour(1.0f, 1.0f, 0.0f, 1.0f);
    font->drawText(kVirtualWidth / 2.0f - width / 2.0f, kInvitationY, kInvitation, true,
                   kInvitationScale);
    font->setColour(1.0f, 1.0f, 1.0f, 1.0f);
}

bool Menu::isAnimating() const {
    return controlsAnimating();
}

bool Menu::onEvent(const InputEvent& event) {
    enableContinue();  // before the buttons see the event
    if (ORenderWindow::onEvent(event)) return true;
    if (event.type == kInputKeyDown && event.key == kKeyF1) return onCommand(kHelpId, 0);
    return event.key == kKeyEscape;
}

bool Menu::onCommand(int controlId, int /*value*/) {
    switch (controlId) {
        case kContinueId:
            // The game of this run, else the saved one; otherwise nothing (and dimmed).
            if (currentGame) {
                switchScreen(*this, kScreenGame);
            } else if (ScreenHost* host = hostOf(*this);
                       host && ResumeStore::loadSavedGame(*host)) {
                switchScreen(*this, kScreenGame);
            } else {
                refreshContinue();
            }
            break;
        case kNewGameId:
            switchScreen(*this, kScreenSelectGame);
            break;
        case kOptionsId:
            switchScreen(*this, kScreenOptions);
            break;
        case kScoreId:
            switchScreen(*this, kScreenHighScores);
            break;
        case kHelpId:
            invitePlayer = false;
            switchScreen(*this, kScreenHelp);
            break;
        case kCreditsId:
            switchScreen(*this, kScreenCredits);
            break;
        case kExitId:
            if (ScreenHost* host = hostOf(*this)) host->quit();
            break;
        default:
            break;
    }
    return true;
}

}  // namespace brx
