#include "screens/Score.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "core/SystemSettings.h"
#include "engine/BitmapFont.h"
#include "engine/OTextStack.h"
#include "game/Game.h"
#include "game/GameMessages.h"
#include "game/GameVariables.h"
#include "screens/NameField.h"
#include "screens/ResumeStore.h"
#include "screens/ScreenDecoration.h"
#include "screens/ScreenKit.h"
#include "shell/ScreenHost.h"

namespace brx {
namespace {

constexpr const char* kPrevSkin = "Interface/Prev.Tga";
constexpr const char* kNextSkin = "Interface/Next.Tga";
constexpr int kPrevX = 190;
constexpr int kNextBaseX = 185;  // Next stands this far right of where Prev's width ends
constexpr int kPagingY = 10;
// The name field (virtual units).
constexpr int16_t kFieldX = 250;
constexpr int16_t kFieldY = 125;
constexpr int16_t kFieldWidth = 300;
constexpr int16_t kFieldHeight = 23;
// The rows: the first at y 475, one every 24 units; columns and text scales.
constexpr float kFirstRowY = 475.0f;
constexpr float kRowStep = 24.0f;
constexpr float kRankX = 160.0f;
constexpr float kRankRaise = 4.0f;
constexpr float kRankScale = 0.5f;
constexpr float kNameX = 184.0f;
constexpr float kDifficultyX = 406.0f;
constexpr float kScoreX = 544.0f;
constexpr float kRowScale = 0.75f;
constexpr float kGrey = 0.75f;
// Rows below this never show (the buttons live there).
constexpr float kLowestRowY = 40.0f;
constexpr float kIconY = 500.0f;
// The result line above the name field (and where a result that stays out is told).
constexpr float kResultY = 160.0f;
constexpr float kResultScale = 0.75f;
constexpr int kStateEnded = 8;  // gameState, linePhase or resumeState: the game is over

bool gameEnded() {
    return gameState == kStateEnded || linePhase == kStateEnded || resumeState == kStateEnded;
}

}  // namespace

bool Score::resultEntered = false;

// A running game asks these tables whether its result will enter one, to say so as it ends.
Score::Score(std::vector<ScoreTable>& tables) : ORenderWindow(kScreenHighScores), tables_(tables) {
    GameMessages::setRankLookup([this](int mode, int score) {
        if (tables_.empty()) return 0;
        return tables_[size_t(std::clamp(mode, 0, lastMode()))].rankFor(score);
    });
}

Score::~Score() {
    GameMessages::setRankLookup({});
}

bool Score::init() {
    BitmapFont* font = fontOf(*this);
    addControl(makeDoneButton(font, kDoneId).release());
    auto prev = makeButton(font, kPrevId, kPrevSkin, kPrevX, kPagingY);
    const int nextX = kNextBaseX + prev->skin().width();
    prev_ = prev.get();
    addControl(prev.release());
    auto next = makeButton(font, kNextId, kNextSkin, nextX, kPagingY);
    next_ = next.get();
    addControl(next.release());
    return true;
}

void Score::activate() {
    resultEntered = false;
    closedField_ = false;
    resultShown_ = false;
    if (currentGame && gameEnded()) {
        takeFinishedGame();
        return;
    }
    pendingScore_ = 0;
    currentMode_ = 0;
    showPaging(true);
}

// The game has ended: its result is taken, the game retired, and the name asked for when the
// result enters the table.
void Score::takeFinishedGame() {
    Game* game = currentGame;
    // A practice game (undo or hints used) is played out but never filed.
    const bool practice = game->isPractice();
    const int finalScore = game->score();
    pendingScore_ = practice ? 0 : finalScore;
    pendingDifficulty_ = difficulty;
    currentMode_ = std::clamp(game->modeNumber(), 0, lastMode());
    currentGame = nullptr;
    ResumeStore::discardSavedGame();
    if (ScreenHost* host = hostOf(*this)) host->retireScreen(game);
    // The music stays as the game left it; the menu brings its own back.
    if (pendingScore_ != 0 && !tables_.empty() && currentTable().qualifies(pendingScore_)) {
        openNameField();
        return;
    }
    // It stays out: the player sees it (and what the table needs, or that it was practice)
    // before game selection.
    shownPractice_ = practice;
    shownScore_ = finalScore;
    resultShown_ = true;
    pendingScore_ = 0;
    showPaging(false);
}

void Score::deactivate() {
    // Left without Done (a shortcut to another screen): the result is filed all the same.
    commitResult();
    resultShown_ = false;
    if (nameField_) {
        delete removeControl(nameField_);
        nameField_ = nullptr;
        resultEntered = false;
    }
    closedField_ = false;
}

void Score::openNameField() {
    nameField_ = new NameField(fontOf(*this), playerName_, kNameFieldId);
    nameField_->setPosition(kFieldX, kFieldY);
    nameField_->setSize(kFieldWidth, kFieldHeight);
    addControl(nameField_);
    setFocus(nameField_);
    showPaging(false);
}

void Score::showPaging(bool on) {
    for (OTextStack* button : {prev_, next_}) {
        if (!button) continue;
        button->setVisible(on);
        button->setHidden(!on);
    }
}

void Score::commitResult() {
    if (pendingScore_ == 0 || tables_.empty()) return;
    resultEntered = true;
    std::string name;
    if (nameField_ && nameField_->text().find_first_not_of(' ') != std::string::npos) {
        name = ScoreTable::typedName(nameField_->text());
        playerName_ = name;
    }
    currentTable().insert(name, pendingScore_, ScoreTable::difficultyName(pendingDifficulty_));
    showPaging(true);
    pendingScore_ = 0;
}

void Score::leave() {
    commitResult();
    switchScreen(*this, resultEntered || resultShown_ ? kScreenSelectGame : kScreenMenu);
}

void Score::fileBeforeQuit() {
    if (pendingScore_ != 0) {
        commitResult();
        return;
    }
    if (currentGame && gameEnded()) fileUntakenGame();
}

void Score::fileUntakenGame() {
    const Game* game = currentGame;
    const int mode = game->modeNumber();
    // A practice game (undo or hints used) is never filed, on this path either.
    if (game->isPractice() || game->score() == 0 || mode < 0 || mode > lastMode()) return;
    ScoreTable& table = tables_[std::size_t(mode)];
    if (!table.qualifies(game->score())) return;
    table.insert(playerName_, game->score(), ScoreTable::difficultyName(difficulty));
}

int Score::rankOf(int score) const {
    if (tables_.empty()) return 1;
    const ScoreTable& table = currentTable();
    int rank = 1;
    for (std::size_t i = 0; i < table.count(); ++i)
        if (table.entry(i).score >= score) ++rank;
    return rank;
}

int Score::pointsToEnter() const {
    if (tables_.empty()) return 1;
    const ScoreTable& table = currentTable();
    if (int(table.count()) < table.size() || table.count() == 0) return 1;
    return table.entry(std::size_t(table.size()) - 1).score + 1;
}

bool Score::onCommand(int controlId, int /*value*/) {
    switch (controlId) {
        case kDoneId:
            leave();
            break;
        case kPrevId:
            currentMode_ = std::max(currentMode_ - 1, 0);
            break;
        case kNextId:
            currentMode_ = std::min(currentMode_ + 1, lastMode());
            break;
        case kNameFieldId:
            commitResult();
            closeNameField();
            resultEntered = true;
            break;
        default:
            break;
    }
    return true;
}

// Called from inside the field's own notification: it is only hidden here.
void Score::closeNameField() {
    if (!nameField_) return;
    nameField_->setVisible(false);
    nameField_->setHidden(true);
    closedField_ = true;
}

void Score::deleteClosedField() {
    if (!closedField_ || !nameField_) return;
    delete removeControl(nameField_);
    nameField_ = nullptr;
    closedField_ = false;
}

bool Score::onEvent(const InputEvent& event) {
    bool consumed = ORenderWindow::onEvent(event);
    deleteClosedField();
    if (!consumed && isEscapePress(event)) {
        leave();
        consumed = true;
    }
    return consumed;
}

bool Score::isAnimating() const {
    return controlsAnimating();
}

void Score::update(int elapsedMs) {
    deleteClosedField();
    ORenderWindow::update(elapsedMs);
}

int Score::lastMode() const {
    return std::max(0, std::min(kHighestMode, int(tables_.size()) - 1));
}

ScoreTable& Score::currentTable() const {
    return tables_[std::size_t(currentMode_)];
}

void Score::draw() {
    // Nothing of the previous screen may show where the background leaves a gap.
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ORenderWindow::draw();
    beginScreen2D(*this);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    drawRows();
    drawResultLine();
    drawIcon();
    drawCornerLogo(logo());
    glEnable(GL_DEPTH_TEST);
}

void Score::drawRows() const {
    BitmapFont* font = fontOf(*this);
    if (!font || tables_.empty()) return;
    const ScoreTable& table = currentTable();
    char text[32];
    for (std::size_t i = 0; i < table.count(); ++i) {
        const float y = kFirstRowY - kRowStep * float(i);
        if (y < kLowestRowY) break;
        const ScoreEntry& row = table.entry(i);
        std::snprintf(text, sizeof text, "%2.0f", double(i + 1));
        font->setColour(1.0f, 1.0f, 1.0f, 1.0f);
        font->drawText(kRankX, y + kRankRaise, text, true, kRankScale);
        font->drawText(kNameX, y, row.name, true, kRowScale);
        if (currentMode_ != kHighestMode) {
            font->setColour(kGrey, kGrey, kGrey, 1.0f);
            font->drawText(kDifficultyX, y, row.difficulty, true, kRowScale);
        }
        std::snprintf(text, sizeof text, "%i", row.score);
        font->setColour(1.0f, 1.0f, 0.0f, 1.0f);
        font->drawText(kScoreX, y, text, true, kRowScale);
    }
    font->setColour(1.0f, 1.0f, 1.0f, 1.0f);
}

// The upper half of the mode's picture (its normal state) centred above the rows.
void Score::drawIcon() const {
    if (tables_.empty()) return;
    const TextureRef& icon = currentTable().icon();
    if (!icon) return;
    icon.bind();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    const float width = float(icon.width());
    const float half = float(icon.height()) / 2.0f;
    glPushMatrix();
    glTranslatef((float(kVirtualWidth) - width) / 2.0f, kIconY, 0.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.5f);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(1.0f, 0.5f);
    glVertex2f(width, 1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(width, half);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(1.0f, half);
    glEnd();
    glPopMatrix();
    glDisable(GL_BLEND);
}

void Score::drawResultLine() const {
    BitmapFont* font = fontOf(*this);
    if (!font || (pendingScore_ == 0 && !resultShown_)) return;
    char text[96];
    if (pendingScore_ != 0)
        std::snprintf(text, sizeof text, "Your score: %i    Rank %i", pendingScore_,
                      rankOf(pendingScore_));
    else if (shownPractice_)
        std::snprintf(text, sizeof text, "Your score: %i    Practice game, not filed", shownScore_);
    else
        std::snprintf(text, sizeof text, "Your score: %i    The table needs %i", shownScore_,
                      pointsToEnter());
    const float x = (float(kVirtualWidth) - font->textWidth(text) * kResultScale) / 2.0f;
    font->setColour(1.0f, 1.0f, 0.0f, 1.0f);
    font->drawText(x, kResultY, text, true, kResultScale);
    font->setColour(1.0f, 1.0f, 1.0f, 1.0f);
}

}  // namespace brx
