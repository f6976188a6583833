#include "screens/SelectGame.h"

#include <GL/gl.h>

#include <algorithm>
#include <memory>
#include <string>

#include "core/Random.h"
#include "core/SystemSettings.h"
#include "engine/BitmapFont.h"
#include "engine/KvIncDec.h"
#include "engine/OControl.h"
#include "engine/OTextStack.h"
#include "game/Game.h"
#include "game/GameVariables.h"
#include "game/LevelFiles.h"
#include "platform/Platform.h"
#include "screens/GameFactory.h"
#include "screens/ModeDescriptions.h"
#include "screens/ResumeStore.h"
#include "screens/ScreenDecoration.h"
#include "screens/ScreenKit.h"
#include "shell/ScreenHost.h"

namespace brx {
namespace {

struct ModeButton {
    int id;
    const char* skin;
    int y;
};
// Top to bottom; added in this order.
constexpr ModeButton kModeButtons[] = {
    {SelectGame::kRemoverId, "Games/Remover.Tga", 520},
    {SelectGame::kClassicId, "Games/Classic.Tga", 440},
    {SelectGame::kStrategyId, "Games/Strategy.Tga", 360},
    {SelectGame::kAdvancedId, "Games/Advanced.Tga", 280},
    {SelectGame::kModernId, "Games/Modern.Tga", 200},
    {SelectGame::kPuzzleId, "Games/Puzzle.Tga", 136},
};
constexpr float kModeTextScale = 1.0f;
constexpr const char* kLevelListSkin = "Interface/SelectLN.Tga";
constexpr int kLevelListY = 90;
constexpr const char* kArrowSkin = "Interface/HArrow.Tga";
constexpr const char* kStartSkin = "Interface/Start.Tga";
constexpr int kStartX = 460;
constexpr int kStartY = 68;
constexpr const char* kRandomSkin = "Interface/Random.Tga";
constexpr int kRandomX = 200;
constexpr int kRandomY = 75;

int centredX(const OTextStack& button) {
    return ORenderWindow::kVirtualWidth / 2 - button.skin().width() / 2;
}

}  // namespace

int SelectGame::lastPuzzle = 0;

SelectGame::SelectGame() : ORenderWindow(kScreenSelectGame) {
    puzzleCount_ = LevelFiles::readCounts().puzzles;
    currentGame = nullptr;
}

SelectGame::~SelectGame() = default;

bool SelectGame::isAnimating() const {
    return controlsAnimating();
}

bool SelectGame::init() {
    addModeButtons();
    addControl(makeDoneButton(fontOf(*this), kDoneId).release());
    addPuzzleChooser();
    return true;
}

void SelectGame::addModeButtons() {
    for (const ModeButton& entry : kModeButtons) {
        auto* button = new OTextStack(fontOf(*this), entry.id, false, kModeTextScale);
        button->setTexture(entry.skin);
        button->addItem(0, " ");
        button->setPosition(int16_t(centredX(*button)), int16_t(entry.y));
        button->setSounds(kHoverSound, kClickSound);
        addControl(button);
    }
}

void SelectGame::addPuzzleChooser() {
    BitmapFont* font = fontOf(*this);
    auto* list = new OTextStack(font, kLevelListId, false, kButtonTextScale);
    list->setTexture(kLevelListSkin);
    for (int level = 0; level < puzzleCount_; ++level)
        list->addItem(level, std::to_string(level + 1));
    list->setCurrent(lastPuzzle);
    list->setPosition(int16_t(centredX(*list)), int16_t(kLevelListY));
    list->setSounds(kHoverSound, kClickSound);
    levelList_ = list;
    addControl(list);

    auto* arrows = new KvIncDec(kLevelArrowsId, false);
    arrows->setAttached(list);
    arrows->setTexture(kArrowSkin);
    arrows->setSounds(kHoverSound, kClickSound);
    addControl(arrows);

    addControl(makeButton(font, kStartId, kStartSkin, kStartX, kStartY).release());
    addControl(makeButton(font, kRandomId, kRandomSkin, kRandomX, kRandomY).release());
}

void SelectGame::activate() {
    seedRandom(platform::tickCountMs());
    swallowing_ = true;
    // The button that started the last game would still glow from that visit.
    for (std::size_t i = 0; i < controlCount(); ++i) control(i)->loseHighlight();
}

bool SelectGame::swallowsPointer(const InputEvent& event) {
    if (!swallowing_) return false;
    constexpr uint16_t kAnyButton = kFlagLeftButton | kFlagRightButton | kFlagMiddleButton;
    switch (event.type) {
        case kInputButtonUp:  // the opening click ends here, unseen
            swallowing_ = false;
            return true;
        case kInputPointerMove:
            swallowing_ = (event.flags & kAnyButton) != 0;
            return swallowing_;
        case kInputButtonDown:  // a new press: the opening one is over
            swallowing_ = false;
            return false;
        default:
            return false;
    }
}

bool SelectGame::onEvent(const InputEvent& event) {
    if (swallowsPointer(event)) return true;
    if (ORenderWindow::onEvent(event)) return true;
    if (!isEscapePress(event)) return false;
    switchScreen(*this, kScreenMenu);
    return true;
}

bool SelectGame::onCommand(int controlId, int /*value*/) {
    switch (controlId) {
        case kDoneId:
            switchScreen(*this, kScreenMenu);
            break;
        case kRemoverId:
        case kClassicId:
        case kStrategyId:
        case kAdvancedId:
        case kModernId:
        case kPuzzleId:
        case kStartId:
        case kRandomId:
            startGame(controlId);
            break;
        default:
            break;
    }
    return true;
}

int SelectGame::chosenPuzzle(int controlId) const {
    if (puzzleCount_ < 1) return 0;
    if (controlId == kStartId && levelList_)
        return std::clamp(levelList_->currentKey() + 1, 1, puzzleCount_);
    return random(1, puzzleCount_);
}

void SelectGame::startGame(int controlId) {
    const bool puzzle = controlId == kPuzzleId || controlId == kStartId || controlId == kRandomId;
    const int level = puzzle ? chosenPuzzle(controlId) : 0;
    if (puzzle && level == 0) return;
    const SystemSettings& settings = SystemSettings::instance();
    difficulty = settings.difficultyLevel;
    startLevel = settings.beginLevel;
    retireCurrentGame();
    ResumeStore::discardSavedGame();
    std::unique_ptr<Game> game = makeGame(controlId, level);
    if (!game) return;
    if (puzzle) lastPuzzle = level - 1;
    Game* started = game.release();
    currentGame = started;
    started->setBackground(backgroundPicture(settings.background), "");
    ScreenHost* host = hostOf(*this);
    if (!host) {
        delete started;
        return;
    }
    host->addScreen(started);
    host->setActiveScreen(kScreenGame);
}

// The previous game is not running (this screen is), so it can go at once; it must, because the
// new game takes the same screen id.
void SelectGame::retireCurrentGame() {
    Game* old = currentGame;
    if (!old) return;
    currentGame = nullptr;
    if (ScreenHost* host = hostOf(*this)) host->removeScreen(old);
    delete old;
}

void SelectGame::draw() {
    // Nothing of the previous screen may show where the background leaves a gap.
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ORenderWindow::draw();
    beginScreen2D(*this);
    drawSideLines();
    drawCornerLogo(logo());
    drawModeDescription();
    glEnable(GL_DEPTH_TEST);
}

const OControl* SelectGame::describedModeButton() const {
    const auto isMode = [](const OControl* control) {
        return control && !ModeDescriptions::text(control->controlId()).empty();
    };
    for (std::size_t i = 0; i < controlCount(); ++i)
        if (isMode(control(i)) && control(i)->highlighted()) return control(i);
    const OControl* focus = keyboardFocus();
    return isMode(focus) ? focus : nullptr;
}

std::vector<TextLine> SelectGame::descriptionLines(const OControl* button) const {
    const auto* shape = dynamic_cast<const O2D*>(button);
    const BitmapFont* font = fontOf(*this);
    if (!shape || !font) return {};
    return ModeDescriptions::layout(button->controlId(), shape->y(), shape->y() + shape->height(),
                                    *font);
}

void SelectGame::drawModeDescription() const {
    BitmapFont* font = fontOf(*this);
    const OControl* button = describedModeButton();
    if (!font || !button) return;
    glEnable(GL_TEXTURE_2D);
    drawTextLines(*font, descriptionLines(button), true);
}

}  // namespace brx
