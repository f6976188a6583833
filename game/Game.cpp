#include "game/Game.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "core/ConfigFile.h"
#include "core/ErrorLog.h"
#include "core/Random.h"
#include "core/ResourceArchive.h"
#include "core/SystemSettings.h"
#include "engine/BitmapFont.h"
#include "engine/OException.h"
#include "engine/OTextStack.h"
#include "game/BonusChooser.h"
#include "game/GameMessageDrawing.h"
#include "game/HintFinder.h"
#include "game/MoveCheck.h"
#include "game/ScoreTextList.h"
#include "game/SnapshotKeeper.h"
#include "objects/EffectList.h"
#include "objects/Material.h"
#include "objects/SplineTrail.h"
#include "shell/ScreenHost.h"
#include "sound/MusicPlaylist.h"
#include "sound/SoundManager.h"

namespace brx {
namespace {

constexpr const char* kDifficultFile = "Data/Difficult.Cfg";
constexpr const char* kEffectsFile = "Data/Effects.Cfg";
constexpr const char* kSpeedKeys[] = {"EasySpeed", "NormalSpeed", "HardSpeed", "VeryHardSpeed"};
constexpr const char* kBoardModels[] = {"12x16.Asvm", "12x16.Asvm", "14x16.Asvm", "16x18.Asvm"};
constexpr const char* kTrayModels[] = {"C12x16.Asvm", "C12x16.Asvm", "C14x16.Asvm", "C16x18.Asvm"};
constexpr int kBoardColumns[] = {12, 12, 14, 16};
constexpr int kBoardRows[] = {16, 16, 16, 18};
constexpr int kDefaultColumns = 12;
constexpr int kDefaultRows = 16;
constexpr int kDefaultMinGroup = 3;
// Where the +100 sign of a full row of score blocks rises from: in front of the row's end.
const Vector3 kRowBonusRise(0.0f, 0.0f, 1.0f);
constexpr float kBoardModelY = -0.125f;
constexpr float kTrayBelowBottomRow = 0.75f;  // units below the bottom row's centre line
// Bonus spacing at the start of a game: random(0, 50) + 50 blocks.
constexpr int kFirstBonusSpread = 50;
constexpr int kFirstBonusBase = 50;
// A timing key that is missing reads as 0 (logged): no pause between spins, no game-over
// picture time, no intro or outro; every use below copes with that.
constexpr int kMissingTimeMs = 0;
// The decorative trail: run-wide interval bounds (ms), and where it passes (units).
constexpr int kTrailMinMs = 10000;
constexpr int kTrailMaxMs = 35000;
constexpr float kTrailNear = 12.0f;
constexpr float kTrailFar = 16.0f;
constexpr float kTrailDepth = 0.75f;
// A removed group flies off: launch ranges (units per ms before the scale) and gravity.
constexpr float kLaunchX = 0.05f;
constexpr float kLaunchYMin = 0.025f;
constexpr float kLaunchYMax = 0.05f;
constexpr float kLaunchZMin = 0.0125f;
constexpr float kLaunchZMax = 0.025f;
constexpr float kLaunchScale = 0.25f;
constexpr float kLaunchGravity = -0.00025f * 0.5f;
constexpr float kQuietTextHeight = 1000.0f;  // out of view
// Board lighting: light 0 sits this far in front of the board (units).
constexpr float kLightDepth = 26.0f;
constexpr float kShakeAmplitude = 0.25f;
// Side panel layout in the 800 x 600 space.
constexpr float kPanelLeftX = 70.0f;
constexpr float kPanelRightX = 700.0f;
constexpr float kPanelUpperY = 515.0f;
constexpr float kPanelLowerY = 415.0f;
constexpr float kPanelTop = 590.0f;
constexpr float kPracticeMarkY = 365.0f;  // below the left panel
constexpr float kMenuButtonX = 70.0f;
constexpr int16_t kMenuButtonY = 16;
constexpr const char* kMenuButtonPicture = "MainMenu/MenuBig.Tga";
// The undo and redo buttons sit side by side on the right, level with the menu button.
constexpr float kUndoButtonX = 667.0f;
constexpr float kRedoButtonX = 733.0f;
constexpr const char* kUndoButtonPicture = "Interface/Undo.Tga";
constexpr const char* kRedoButtonPicture = "Interface/Redo.Tga";

ConfigFile readTuningFile(const char* name) {
    ConfigFile config;
    const ResourceBuffer buffer = ResourceArchive::instance().readFile(name);
    if (!buffer || config.loadBuffer(buffer.text(), buffer.size) != 0)
        BRX_LOG_ERROR("Tuning file %s is missing or unreadable; defaults are used", name);
    return config;
}

int readInt(ConfigFile& config, const char* file, const char* key, int fallback) {
    if (config.has(key)) return config.getInt(key, fallback);
    BRX_LOG_ERROR("%s: key %s is missing; %d is used", file, key, fallback);
    return fallback;
}

float readFloat(ConfigFile& config, const char* file, const char* key, float fallback) {
    if (config.has(key)) return config.getFloat(key, fallback);
    BRX_LOG_ERROR("%s: key %s is missing; %g is used", file, key, double(fallback));
    return fallback;
}

Vector3 readVector(ConfigFile& config, const char* file, const char* key) {
    const std::vector<float> numbers = config.getFloatList(key, ' ');
    if (numbers.size() >= 3) return {numbers[0], numbers[1], numbers[2]};
    BRX_LOG_ERROR("%s: key %s does not hold three numbers; (0, 0, 0) is used", file, key);
    return {};
}

int difficultyIndex() {
    return std::clamp(difficulty, int(Difficulty::Easy), int(Difficulty::Impossible));
}

float signedTrailCoordinate() {
    const float value = randomReal(kTrailNear, kTrailFar);
    return random(0, 1) == 1 ? -value : value;
}

// The run-wide timer of the decorative trail and its interval, drawn once per run.
int gTrailElapsedMs = 0;
int gTrailIntervalMs = -1;

}  // namespace

// --- construction ----------------------------------------------------------------------------

Game::Game() : ORenderWindow(kScreenGame), board(*this) {
    columns = kDefaultColumns;
    rows = kDefaultRows;
    minGroup = kDefaultMinGroup;
    gameState = GameState::Playing;
    linePhase = LinePhase::Idle;
    resumeState = ResumeState::Normal;
    readDifficultTuning();
    columns = kBoardColumns[difficultyIndex()];
    rows = kBoardRows[difficultyIndex()];
    board.setCentreFromColumns();
    cameraDistance = difficulty >= Difficulty::Impossible ? kWideCameraDistance : kCameraDistance;
    blocksSinceBonus = 0;
    nextBonusAfter = random(0, kFirstBonusSpread) + kFirstBonusBase;
    readEffectTuning();
    board.clear();
    loadPicture(gameOverPicture, "GameOver.Tga");
    loadPicture(levelCompletePicture, "LevelCompl.Tga");
    loadPicture(pausedPicture, PauseState::kPicture);
    loadBoardModel();
}

Game::~Game() {
    // Only the game's own loop stops here; the music belongs to whichever screen shows next.
    if (levelSoundChannel > 0) SoundManager::instance().stop(levelSoundChannel);
    levelSoundChannel = -1;
    ScoreTextList::instance().clear();
    flying.clear();
    board.clear();
    blockPrototypes.release();
    if (currentGame == this) currentGame = nullptr;
}

void Game::readDifficultTuning() {
    ConfigFile config = readTuningFile(kDifficultFile);
    const char* key = kSpeedKeys[difficultyIndex()];
    speedTable = config.getIntList(key, ' ');
    if (speedTable.empty()) BRX_LOG_ERROR("%s: key %s holds no speeds", kDifficultFile, key);
}

void Game::readEffectTuning() {
    ConfigFile config = readTuningFile(kEffectsFile);
    spinLower = readInt(config, kEffectsFile, "RotatingATime", kMissingTimeMs);
    spinUpper = readInt(config, kEffectsFile, "RotatingBTime", kMissingTimeMs);
    spinTimer = random(spinLower, spinUpper);
    gameOverTime = readInt(config, kEffectsFile, "GameOverTime", kMissingTimeMs);
    fillTimer = 0;
    gameOverTimer = 0;
    closing_ = false;
    levelSoundChannel = -1;
}

void Game::readIntroKeys(bool reversed) {
    ConfigFile config = readTuningFile(kEffectsFile);
    const Vector3 source = readVector(config, kEffectsFile, "SourcePos");
    const Vector3 destination = readVector(config, kEffectsFile, "DestPos");
    const float sourceAngle = readFloat(config, kEffectsFile, "SourceAngle", 0.0f);
    const float destinationAngle = readFloat(config, kEffectsFile, "DestAngle", 0.0f);
    introDuration = readInt(config, kEffectsFile, "MxATime", kMissingTimeMs);
    fromPosition = reversed ? destination : source;
    toPosition = reversed ? source : destination;
    fromAngle = reversed ? destinationAngle : sourceAngle;
    toAngle = reversed ? sourceAngle : destinationAngle;
}

void Game::loadPicture(TextureRef& picture, const char* name, bool mipmaps) {
    try {
        picture.load(name, mipmaps);
    } catch (const OException&) {
        // Logged by the loader; the game goes on without the picture.
    }
}

void Game::loadBoardModel() {
    boardModel = std::make_unique<KvModel>();
    boardModel->load(kBoardModels[boardModelIndex()]);
    boardModel->buildDisplayList();
    boardModel->setPosition({0.0f, kBoardModelY, 0.0f});
}

void Game::loadTrayModel() {
    trayModel = std::make_unique<KvModel>();
    trayModel->load(kTrayModels[boardModelIndex()]);
    trayModel->buildDisplayList();
    trayModel->setPosition({0.0f, rows / 2.0f - (rows - 1) - kTrayBelowBottomRow, 0.0f});
    trayModel->computeBounds();
}

int Game::boardModelIndex() const {
    for (int i = int(Difficulty::Impossible); i >= 0; --i)
        if (kBoardColumns[i] == columns && kBoardRows[i] == rows) return i;
    return difficultyIndex();
}

bool Game::init() {
    ORenderWindow::init();
    lastBonusKind = BonusChooser::instance().choose(random(0, 99));
    loadPicture(infoPicture, "Interface/Info.Tga");
    setupPrototypes();
    effects = std::make_unique<EffectRegistry>();
    effects->loadTextures();
    ownCamera =
        std::make_unique<OCamera>(width(), height(), kFieldOfViewDegrees, kNearPlane, kFarPlane);
    placeCamera();
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    loadTrayModel();
    newBoard();
    boardCursor.reset(columns, rows);
    createMenuButton();
    createHistoryButtons();
    return true;
}

void Game::setupPrototypes() {
    blockPrototypes.setUp(this, bonusBuilder);
}

void Game::createMenuButton() {
    BitmapFont* font = screenHost() ? screenHost()->font() : nullptr;
    auto button = std::make_unique<OTextStack>(font, kMenuButtonId, false, 1.0f);
    button->setTexture(kMenuButtonPicture);
    button->addItem(0, " ");
    button->setPosition(int16_t(kMenuButtonX - button->width() / 2.0f), kMenuButtonY);
    addControl(button.release());
}

// --- screen operations -----------------------------------------------------------------------

void Game::activate() {
    ORenderWindow::activate();
    shaking_ = false;
    shakeTime = 0;
    shakePhase = 0.0;
    restartGameMusic();
    closing_ = false;
    leaving_ = false;
    introElapsed = 0;
    readIntroKeys(false);
    gameState = GameState::Intro;
}

void Game::deactivate() {
    ORenderWindow::deactivate();
    closing_ = true;
    introElapsed = 0;
    readIntroKeys(true);
    gameState = GameState::Outro;
}

void Game::restartGameMusic() {
    SoundManager& sound = SoundManager::instance();
    sound.pauseAll(false);
    sound.selectPlaylist(SoundManager::kPlaylistGame);
    if (MusicPlaylist* music = sound.currentPlaylist()) music->resume();
}

bool Game::onEvent(const InputEvent& event) {
    if (ORenderWindow::onEvent(event)) return true;
    switch (event.type) {
        case kInputButtonDown:
            // The pointer takes over from the board cursor: its own block is clicked.
            if (boardCursor.hide() && !anyMoving()) updateHover();
            if (!anyMoving() && gameState == GameState::Playing) click();
            afterClick();
            break;
        case kInputPointerMove:
            mouseX = event.x;
            mouseY = event.y;
            if (boardCursor.hide()) requestRedraw();
            break;
        case kInputKeyDown:
            if (handleGameKey(event)) return true;
            if (event.key == kKeyEscape) return requestLeave();
            if (event.key == kKeySpace) startShake();
            return onBoardKey(event);
        default:
            break;
    }
    return false;
}

bool Game::onBoardKey(const InputEvent& event) {
    if ((event.flags & kFlagControl) != 0) {
        if (event.key != kKeyN) return false;
        // A finished game goes to the high scores first, as Escape does, so no result is lost.
        if (gameState == GameState::GameOver || linePhase == LinePhase::Finished)
            return requestLeave();
        leaveTo(kScreenSelectGame);
        return true;
    }
    int dColumn = 0, dRow = 0;
    if (BoardCursor::arrowStep(event.key, &dColumn, &dRow)) {
        if (boardCursor.move(dColumn, dRow, columns, rows)) requestRedraw();
        return true;
    }
    if (event.key == kKeyEnter) {
        clickAtCursor();
        return true;
    }
    if (event.key != kKeyN) return false;
    takeNextLine();
    requestRedraw();
    return true;
}

// The cursor must show first: an Enter while it is hidden only brings it back.
void Game::clickAtCursor() {
    if (!boardCursor.shown()) {
        boardCursor.move(0, 0, columns, rows);
        requestRedraw();
        return;
    }
    if (!anyMoving()) hoverCursorCell();
    if (!anyMoving() && gameState == GameState::Playing) click();
    afterClick();
    requestRedraw();
}

bool Game::onCommand(int controlId, int /*value*/) {
    if (controlId == kMenuButtonId) requestLeave();
    if (controlId == kUndoButtonId) undoMove();
    if (controlId == kRedoButtonId) redoMove();
    return true;
}

// Esc and the menu button: a finished game goes to the high scores at once (true: consumed),
// a running one starts its outro unless that runs already.
bool Game::requestLeave() {
    if (gameState == GameState::GameOver || linePhase == LinePhase::Finished) {
        leaveTo(kScreenHighScores);
        return true;
    }
    if (!closing_) deactivate();
    return false;
}

void Game::leaveTo(ScreenId screen) {
    stopGameSounds();
    leaving_ = true;
    if (ScreenHost* host = screenHost()) host->setActiveScreen(screen);
}

void Game::stopGameSounds() {
    stopFillSound();
    SoundManager::instance().stopAll();
}

void Game::startFillSound() {
    if (fillSoundRunning_) return;
    // Marked as running even when no channel was free, so a failed start is not retried (and
    // the music paused again) in every frame of the fill.
    fillSoundRunning_ = true;
    SoundManager& sound = SoundManager::instance();
    levelSoundChannel = sound.play(kSoundFillLoop, 0);
    if (MusicPlaylist* music = sound.currentPlaylist()) music->setPaused(true);
}

void Game::stopFillSound() {
    if (!fillSoundRunning_) return;
    fillSoundRunning_ = false;
    SoundManager& sound = SoundManager::instance();
    if (MusicPlaylist* music = sound.currentPlaylist()) music->setPaused(false);
    if (levelSoundChannel > 0) sound.stop(levelSoundChannel);
    levelSoundChannel = -1;
}

// --- pausing ---------------------------------------------------------------------------------

bool Game::canPause() const {
    return !closing_ && !leaving_ && gameState != GameState::GameOver &&
           linePhase != LinePhase::Finished;
}

bool Game::interceptEvent(const InputEvent& event) {
    const bool wasPaused = pauseState.paused();
    const bool taken = pauseState.take(event, canPause());
    if (pauseState.paused() != wasPaused) requestRedraw();
    return taken;
}

void Game::loseFocus() {
    if (pauseState.paused() || !canPause()) return;
    pauseState.pause(true);
    requestRedraw();
}

void Game::drawPaused() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawBackground();
    drawHud();
    if (ownCamera) ownCamera->apply2D(kVirtualWidth, kVirtualHeight);
    drawCentredPicture(pausedPicture);
    drawControls();
}

// --- per-frame rules -------------------------------------------------------------------------

void Game::update(int elapsedMs) {
    // A still board is drawn again only when the pointer picks another group or the score moves.
    const Board::Selection selectedBefore = selection;
    const int scoreBefore = score_;
    const bool still = gameState == GameState::Playing && !anyMoving() && board.blockCount() > 0;
    const bool stuck = still && GameMessages::watchesForNoMoves(modeNumber()) &&
                       !hasMove(board, columns, rows, minGroup);
    // A practice game is never filed, so it is never told of a rank (a score of 0 has none).
    messages.observe({gameState, levelNumber(), modeNumber(), practice_ ? 0 : score_, stuck});
    messages.update(elapsedMs);
    updateRules(elapsedMs);
    // The same group picked from another of its blocks lists its cells in another order.
    const bool sameGroup = selection == selectedBefore ||
                           std::is_permutation(selection.begin(), selection.end(),
                                               selectedBefore.begin(), selectedBefore.end());
    if (!sameGroup || score_ != scoreBefore) requestRedraw();
}

bool Game::isAnimating() const {
    return movesBeyondDecoration() || anyBlockTurning() || SplineTrail::instance().isRunning();
}

bool Game::animatesOnlyDecoration() const {
    return !movesBeyondDecoration() && (anyBlockTurning() || SplineTrail::instance().isRunning());
}

bool Game::movesBeyondDecoration() const {
    if (gameState != GameState::Playing) return true;  // intro, outro, fills, pictures
    return anyMoving() || shaking_ || !flying.empty() || hintLeftMs_ > 0 || notice_.active() ||
           !EffectList::instance().empty() || ScoreTextList::instance().size() != 0 ||
           controlsAnimating() || messages.active();
}

bool Game::anyBlockTurning() const {
    for (int c = 0; c < columns && c < kMaxColumns; ++c)
        for (int r = 0; r < rows && r < kMaxRows; ++r)
            if (cells[c][r] && cells[c][r]->spinning) return true;
    return false;
}

void Game::updateRules(int elapsedMs) {
    ORenderWindow::update(elapsedMs);
    updateShake(elapsedMs);
    updateTrailTimer(elapsedMs);
    EffectList::instance().updateAll(elapsedMs);
    if (gameState == GameState::Playing) updatePlaying(elapsedMs);
    if (gameState == GameState::CloseUp) {
        closeUp();
        gameState = GameState::Playing;
    }
    if (gameState == GameState::Intro || gameState == GameState::Outro) {
        introElapsed += elapsedMs;
        if (introFinished()) finishIntroOrOutro();
    }
    updateFlying(elapsedMs);
    updateHint(elapsedMs);
    updateHistoryButtons();
    if (!anyMoving()) updateHover();
    if (gameState == GameState::LevelComplete) levelCompleteTick();
    updateListener();
}

void Game::updateShake(int elapsedMs) {
    if (!shaking_) return;
    shakeTime += elapsedMs;
    shakePhase += kShakePhasePerMs * elapsedMs;
    if (shakeTime > kShakeMs) {
        shaking_ = false;
        shakeTime = 0;
        shakePhase = 0.0;
    }
}

void Game::updateTrailTimer(int elapsedMs) {
    if (gTrailIntervalMs < 0) gTrailIntervalMs = random(kTrailMinMs, kTrailMaxMs);
    gTrailElapsedMs += elapsedMs;
    if (gTrailElapsedMs <= gTrailIntervalMs) return;
    gTrailElapsedMs = 0;
    const float y = signedTrailCoordinate();
    const float x = signedTrailCoordinate();
    SplineTrail::instance().spawn({x, y, kTrailDepth});
}

void Game::updatePlaying(int elapsedMs) {
    board.moveBlocks(elapsedMs);
    if (gameState != GameState::LevelComplete && !anyMoving()) gameState = GameState::CloseUp;
    spinTimer -= elapsedMs;
    if (spinTimer < 0) runRandomSpin();
}

bool Game::introFinished() const {
    return introDuration <= 0 || introElapsed > introDuration;
}

double Game::introProgress() const {
    if (introDuration <= 0) return 1.0;
    return std::min(1.0, double(introElapsed) / introDuration);
}

void Game::finishIntroOrOutro() {
    if (gameState == GameState::Intro) {
        gameState = resumeState == ResumeState::LevelComplete ? int(GameState::LevelComplete)
                                                              : int(GameState::Playing);
        return;
    }
    if (leaving_) return;  // asked once; the host switches after this frame
    leaveTo(linePhase == LinePhase::Finished ? kScreenHighScores : kScreenMenu);
}

void Game::updateFlying(int elapsedMs) {
    for (auto& block : flying) block->move(elapsedMs);
    std::erase_if(flying, [](const std::unique_ptr<Box>& block) { return block->life < 0; });
}

void Game::updateListener() {
    if (!ownCamera) return;
    SoundManager& sound = SoundManager::instance();
    sound.setListener(ownCamera->position(), -ownCamera->axisZ(), ownCamera->axisY());
    sound.updateTracked();
    sound.update3D();
}

void Game::runRandomSpin() {
    spinTimer = random(spinLower, spinUpper);
    const int count = board.blockCount();
    const int k = random(0, count);
    if (count < 4) return;
    if (Box* block = board.spinCandidate(k)) block->startSpin();
}

void Game::placeCamera() {
    if (!ownCamera) return;
    double sway = 0.0;
    if (shaking_)
        sway = std::sin(shakePhase) * std::max(0.0, double(kShakeMs - shakeTime) / kShakeMs) *
               kShakeAmplitude;
    ownCamera->resetOrientation();
    ownCamera->setPosition({0.0f, 0.0f, float(cameraDistance)});
    ownCamera->rotateTowards({float(sway), 0.0f, 0.0f}, -ownCamera->axisZ());
    ownCamera->setSize(width(), height());
}

void Game::updateHover() {
    if (boardCursor.shown()) {
        hoverCursorCell();
        return;
    }
    if (!ownCamera) return;
    placeCamera();
    const Vector3 start = ownCamera->position();
    const Vector3 direction = ownCamera->pickRay(float(mouseX), float(mouseY)).normalized();
    const Board::Cell hit = board.pick(start, direction);
    if (hit.column < 0) {
        board.clearSelection();
    } else {
        hoverColour = board.at(hit.column, hit.row)->colour;
        hover(hit.column, hit.row, hoverColour);
    }
    const bool over = gameState == GameState::LevelComplete || gameState == GameState::NextLevel ||
                      gameState == GameState::GameOver;
    board.markSelection(!over);
    markHint();
}

void Game::hoverCursorCell() {
    const int column = boardCursor.column(columns);
    const int row = boardCursor.row(rows);
    if (const Box* block = board.at(column, row)) {
        hoverColour = block->colour;
        hover(column, row, hoverColour);
    } else {
        board.clearSelection();
    }
    const bool over = gameState == GameState::LevelComplete || gameState == GameState::NextLevel ||
                      gameState == GameState::GameOver;
    board.markSelection(!over);
}

// --- rules -----------------------------------------------------------------------------------

void Game::clearBoard() {
    board.clear();
}

std::unique_ptr<Box> Game::newBlock(bool firstThree) {
    int colour = random(Box::kRed, Box::kYellow);
    if (firstThree) {
        colour = random(Box::kRed, Box::kGreen);
    } else if (difficulty == Difficulty::Easy) {
        colour = random(Box::kRed, Box::kGreen);
    } else if (difficulty == Difficulty::Normal) {
        colour = random(Box::kRed, Box::kWhite);
    } else if (difficulty == Difficulty::Hard) {
        colour = random(Box::kRed, Box::kYellow);
    }
    std::unique_ptr<Box> block = blockPrototypes.cloneBlock(BlockPrototypes::kPlainKey);
    if (!block) block = std::make_unique<Box>();  // no prototypes yet: a bare block
    block->colour = colour;
    block->game = this;
    return block;
}

bool Game::anyMoving() const {
    return board.anyMoving();
}

bool Game::click() {
    if (gameState != GameState::Playing) return false;
    hinted_.clear();
    if (selection.size() == 1) {
        const Board::Cell cell = selection.front();
        Box* block = board.at(cell.column, cell.row);
        if (block && block->isBonus) {
            recordMove();
            fireBonus(cell);
            return false;
        }
    }
    const int n = static_cast<int>(selection.size());
    if (n < minGroup) return false;
    recordMove();
    addScoreText(n);
    launchSelected();
    score_ += groupScore(n);
    selection.clear();
    fall();
    linePhase = LinePhase::MoveMade;
    SoundManager::instance().play(kSoundRemoved, 0);
    return true;
}

// A single bonus block: it destroys its targets; what it left in its cell goes (the big bomb
// stays put, the others have launched themselves). The bonus plays its own sound.
void Game::fireBonus(Board::Cell cell) {
    Box* block = board.at(cell.column, cell.row);
    block->game = this;
    block->activate();
    board.take(cell.column, cell.row);
    selection.clear();
    fall();
    linePhase = LinePhase::MoveMade;
}

void Game::addScoreText(int n) {
    Vector3 where(0.0f, kQuietTextHeight, 0.0f);
    if (n > kQuietGroupSize) {
        const Board::Cell last = selection.back();
        if (const Box* block = board.at(last.column, last.row)) where = block->position();
    }
    BitmapFont* font = screenHost() ? screenHost()->font() : nullptr;
    ScoreTextList::instance().add(ScoreText(groupScore(n), where, font));
}

void Game::launchSelected() {
    for (const Board::Cell& cell : selection) {
        std::unique_ptr<Box> block = board.take(cell.column, cell.row);
        if (!block) continue;
        block->motion = Box::kFlyingAway;
        block->spinning = false;
        // Drawn z first: the order of the draws is part of a seeded game.
        const float z = randomReal(kLaunchZMin, kLaunchZMax);
        const float y = randomReal(kLaunchYMin, kLaunchYMax);
        const float x = randomReal(-kLaunchX, kLaunchX);
        block->velocity = Vector3(x, y, z) * kLaunchScale;
        block->acceleration = {0.0f, kLaunchGravity, 0.0f};
        const float axisZ = randomReal(-1.0f, 1.0f);
        const float axisY = randomReal(-1.0f, 1.0f);
        const float axisX = randomReal(-1.0f, 1.0f);
        block->tumbleAxis = {axisX, axisY, axisZ};
        block->tumbleSpeed = Box::kTumbleSpeed;
        addFlying(std::move(block));
    }
}

void Game::launchBlock(int column, int row) {
    std::unique_ptr<Box> block = board.take(column, row);
    if (!block) return;
    score_ += 1;
    block->flyAway();
    addFlying(std::move(block));
}

void Game::addFlying(std::unique_ptr<Box> block) {
    if (!block) return;
    block->selected = false;
    flying.push_back(std::move(block));
}

void Game::startShake() {
    shaking_ = true;
    shakeTime = 0;
    shakePhase = 0.0;
}

void Game::fall() {
    board.fall();
}

int Game::hover(int column, int row, int colour) {
    bool changed = false;
    const int size = board.hover(column, row, colour, &changed);
    if (changed) SoundManager::instance().play(kSoundGroupChanged, 0);
    return size;
}

void Game::floodFill(int column, int row, int colour) {
    board.floodFill(column, row, colour);
}

void Game::snapshotColours() {
    board.snapshotColours();
}

int Game::groupScore(int n) {
    return Board::groupScore(n);
}

void Game::closeUp() {
    board.closeUp();
}

void Game::placeBlock(int column, int row, std::unique_ptr<Box> block) {
    if (block) block->game = this;
    board.place(column, row, std::move(block));
}

// --- operations the modes override -----------------------------------------------------------

void Game::newBoard() {}

void Game::afterClick() {}

void Game::takeNextLine() {}

bool Game::checkEnd() {
    return false;
}

Vector3 Game::cellPosition(int column, int row) const {
    return {column + 0.5f - columns / 2.0f, rows / 2.0f - row - 0.5f, 0.0f};
}

int Game::closeUpRight(int column) {
    return board.closeUpRightDefault(column);
}

int Game::closeUpLeft(int column) {
    return board.closeUpLeftDefault(column);
}

bool Game::columnIsOpen(int column) {
    return board.columnIsOpenDefault(column);
}

void Game::levelCompleteTick() {}

void Game::drawLevelComplete() {}

void Game::spareHook() {}

void Game::levelDone() {
    gameState = GameState::LevelComplete;
    resumeState = ResumeState::LevelComplete;
}

int Game::linesForLevel(int n) const {
    return 6 * n + 25;
}

int Game::modeNumber() const {
    return GameMode::None;
}

int Game::levelNumber() const {
    return levelIndex + 1;
}

// --- drawing ---------------------------------------------------------------------------------

void Game::draw() {
    beginScene();
    drawBoardForState();
    drawFlyingAndEffects();
    drawStatePicture(false);
    drawHud();
    drawMessages();
    drawControls();
}

void Game::beginScene() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // The background comes after the opaque board (drawBoard), which hides most of it.
    if (hasBackground() && camera()) camera()->apply(width(), height());
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LEQUAL);
    placeCamera();
    if (ownCamera) ownCamera->apply(width(), height());
    setBoardLighting(0.0f);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
}

void Game::setBoardLighting(float offset) const {
    static const float kAmbient[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    static const float kFull[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const float position[4] = {0.0f, offset, kLightDepth, 1.0f};
    glEnable(GL_LIGHTING);
    glDisable(GL_LIGHT1);
    glDisable(GL_LIGHT2);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_AMBIENT, kAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kFull);
    glLightfv(GL_LIGHT0, GL_SPECULAR, kFull);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glEnable(GL_NORMALIZE);
    glDisable(GL_COLOR_MATERIAL);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_FALSE);
}

void Game::drawBoardForState() {
    if (gameState != GameState::Intro && gameState != GameState::Outro) {
        drawBoard();
        drawAfterBoard();
        drawBoardCursor();
        return;
    }
    const float t = float(introProgress());
    const Vector3 at = fromPosition + (toPosition - fromPosition) * t;
    glPushMatrix();
    glTranslatef(at.x, at.y, at.z);
    glRotatef(fromAngle + (toAngle - fromAngle) * t, 1.0f, 0.0f, 0.0f);
    drawBoard();
    glPopMatrix();
}

void Game::drawAfterBoard() {}

void Game::drawBoardCursor() const {
    if (!boardCursor.shown() || gameState != GameState::Playing) return;
    boardCursor.draw(cellPosition(boardCursor.column(columns), boardCursor.row(rows)));
}

void Game::drawBoard() {
    bindSkin();
    const bool flyingIn = gameState == GameState::Intro || gameState == GameState::Outro;
    for (int r = 0; r < rows && r < kMaxRows; ++r) {
        const float offset = flyingIn ? 0.0f : rowLightOffset(r);
        if (offset != 0.0f) setBoardLighting(offset);
        for (int c = 0; c < columns && c < kMaxColumns; ++c) {
            Box* block = cells[c][r].get();
            if (!block || block->selected) continue;
            if (flyingIn) {
                block->drawDetailed();
            } else {
                block->draw();
            }
        }
        if (offset != 0.0f) setBoardLighting(0.0f);
    }
    // The board model brings no material of its own: without this it would take the colour
    // of whichever block happened to be drawn last.
    static const Material kBoardMaterial;
    kBoardMaterial.apply();
    if (boardModel) boardModel->draw();
    drawBackdrop();
    // Last, over the board: a translucent group writes no depth, so anything opaque drawn
    // after it (the board's back wall) would paint over it.
    drawSelectedBlocks();
    drawSymbols([this](auto&& draw) {
        for (int c = 0; c < columns && c < kMaxColumns; ++c)
            for (int r = 0; r < rows && r < kMaxRows; ++r)
                if (cells[c][r]) draw(*cells[c][r]);
    });
}

// The chosen background, dimmed so that the blocks stay the brightest thing on screen, into
// the pixels the opaque board left empty; then the board's light and skin again.
void Game::drawBackdrop() {
    if (!hasBackground()) return;
    drawBackgroundBehind(kBackdropBrightness);
    glEnable(GL_LIGHTING);
    bindSkin();
}

// The rows around the middle get the light raised or lowered a little, so the board shows a
// soft band of light across its centre.
float Game::rowLightOffset(int row) const {
    const int fromMiddle = row - rows / 2;
    switch (fromMiddle) {
        case -2:
            return -5.0f;
        case -1:
            return -4.0f;
        case 0:
            return -3.0f;
        case 1:
            return 3.0f;
        case 2:
            return 4.0f;
        default:
            return 0.0f;
    }
}

void Game::bindSkin() {
    const int index = SystemSettings::instance().skinIndex;
    const std::string name = std::to_string(index) + ".Tga";
    if (skin_.name() != name) loadPicture(skin_, name.c_str(), true);
    glEnable(GL_TEXTURE_2D);
    skin_.bind();
}

// Selected blocks twice, inner faces first, so a translucent group shows its back walls.
void Game::drawSelectedBlocks() {
    for (GLenum culled : {GL_FRONT, GL_BACK}) {
        glCullFace(culled);
        for (int c = 0; c < columns && c < kMaxColumns; ++c)
            for (int r = 0; r < rows && r < kMaxRows; ++r)
                if (cells[c][r] && cells[c][r]->selected) cells[c][r]->draw();
    }
    glCullFace(GL_BACK);
}

void Game::drawFlyingAndEffects() {
    for (auto& block : flying) block->draw();
    SplineTrail::instance().draw();
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    EffectList::instance().drawAll();
    glDepthMask(GL_TRUE);
    ScoreTextList::instance().drawAll();
}

void Game::drawStatePicture(bool levelCompleteOverPicture) {
    const bool over = gameState == GameState::GameOver;
    const bool won = gameState == GameState::LevelComplete;
    if (!over && !won) return;
    if (ownCamera) ownCamera->apply2D(kVirtualWidth, kVirtualHeight);
    if (won && !levelCompleteOverPicture) drawLevelComplete();
    drawCentredPicture(over ? gameOverPicture : levelCompletePicture);
    if (won && levelCompleteOverPicture) drawLevelComplete();
}

void Game::drawCentredPicture(const TextureRef& picture) const {
    if (!picture) return;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    picture.draw(kVirtualWidth / 2.0f - picture.width() / 2.0f, kVirtualHeight / 2.0f);
    glDisable(GL_BLEND);
}

void Game::drawHud() {
    drawSidePanel(levelIndex + 1, linesLeft, score_);
}

void Game::drawSidePanel(int levelNumber, int lines, int points) {
    if (ownCamera) ownCamera->apply2D(kVirtualWidth, kVirtualHeight);
    if (infoPicture) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        infoPicture.draw(-1.0f, kPanelTop - infoPicture.height());
        glDisable(GL_BLEND);
    }
    BitmapFont* font = screenHost() ? screenHost()->font() : nullptr;
    if (!font) return;
    font->setColour(1.0f, 1.0f, 1.0f, 1.0f);
    const auto centred = [font](float x, float y, const std::string& text) {
        font->drawText(x - font->textWidth(text) / 2.0f, y, text);
    };
    centred(kPanelLeftX, kPanelUpperY, std::to_string(levelNumber));
    centred(kPanelLeftX, kPanelLowerY, lines < 0 ? std::string("-") : std::to_string(lines));
    centred(kPanelRightX, kPanelUpperY, std::to_string(points));
    centred(kPanelRightX, kPanelLowerY,
            std::to_string(groupScore(static_cast<int>(selection.size()))));
    drawPracticeMark(font);
    notice_.draw(font);
}

void Game::drawMessages() {
    BitmapFont* font = screenHost() ? screenHost()->font() : nullptr;
    if (!font || !messages.active()) return;
    if (ownCamera) ownCamera->apply2D(kVirtualWidth, kVirtualHeight);
    drawGameMessages(messages, *font);
}

void Game::updateScoreTextsAndTrail(int elapsedMs) {
    ScoreTextList::instance().updateAll(elapsedMs);
    SplineTrail::instance().update(elapsedMs);
}

// --- hints and practice games ---------------------------------------------------------------

bool Game::handleGameKey(const InputEvent& event) {
    const bool control = (event.flags & kFlagControl) != 0;
    const bool shift = (event.flags & kFlagShift) != 0;
    if (event.key == kKeyHint && !control) {
        showHint();
    } else if (control && event.key == kKeyUndo && !shift) {
        undoMove();
    } else if (control && (event.key == kKeyRedo || event.key == kKeyUndo)) {
        redoMove();
    } else {
        return false;
    }
    return true;
}

// --- undo and redo ---------------------------------------------------------------------------

bool Game::historyMayAct() const {
    if (anyMoving() || closing_ || leaving_ || pauseState.paused()) return false;
    if (gameState == GameState::Playing) return true;
    return gameState == GameState::GameOver && modeNumber() == GameMode::Puzzle;
}

bool Game::canUndo() const {
    return history_.canUndo() && historyMayAct();
}

bool Game::canRedo() const {
    return history_.canRedo() && historyMayAct();
}

void Game::recordMove() {
    if (gameState != GameState::Playing || anyMoving()) return;
    history_.record(captureSnapshot());
}

bool Game::undoMove() {
    if (!canUndo()) return false;
    const std::optional<GameSnapshot> back = history_.undo(captureSnapshot());
    if (!back) return false;
    restoreSnapshot(*back);
    afterHistoryStep();
    return true;
}

bool Game::redoMove() {
    if (!canRedo()) return false;
    const std::optional<GameSnapshot> forward = history_.redo(captureSnapshot());
    if (!forward) return false;
    restoreSnapshot(*forward);
    afterHistoryStep();
    return true;
}

ResumeSection Game::historySection() const {
    return {UndoHistory::kResumeTag, history_.encode()};
}

bool Game::restoreHistory(const std::vector<ResumeSection>& sections) {
    history_.clear();
    for (const ResumeSection& section : sections) {
        if (section.tag != UndoHistory::kResumeTag) continue;
        std::string why;
        std::optional<UndoHistory> read = UndoHistory::decode(section.bytes, &why);
        if (!read) {
            BRX_LOG_ERROR("The saved game's undo history is damaged (%s); it starts empty",
                          why.c_str());
            return false;
        }
        history_ = std::move(*read);
        updateHistoryButtons();
        return true;
    }
    return false;
}

void Game::afterHistoryStep() {
    markPractice();
    hinted_.clear();
    hintLeftMs_ = 0;
    updateHistoryButtons();
    requestRedraw();
}

void Game::showHint() {
    if (gameState != GameState::Playing || anyMoving()) return;
    const Hint hint = modeNumber() == GameMode::Puzzle ? HintFinder::puzzleHint(board)
                                                       : HintFinder::bestGroup(board);
    markPractice();
    hinted_.clear();
    hintLeftMs_ = 0;
    if (hint.outcome == Hint::Outcome::NoSolution) notice_.show(kNoSolutionText);
    if (hint.outcome == Hint::Outcome::NotFound) notice_.show(kNoHintText);
    if (hint.outcome != Hint::Outcome::Found) return;
    for (const Board::Cell& cell : hint.cells)
        if (const Box* block = board.at(cell.column, cell.row)) hinted_.push_back(block);
    hintLeftMs_ = kHintMs;
    markHint();
    requestRedraw();
}

void Game::markPractice() {
    if (practice_) return;
    practice_ = true;
    notice_.show(kPracticeText);
}

void Game::updateHint(int elapsedMs) {
    notice_.update(elapsedMs);
    if (hintLeftMs_ <= 0) return;
    hintLeftMs_ -= elapsedMs;
    if (hintLeftMs_ <= 0) hinted_.clear();
}

// Lit as on hover, except in the dark beats of the blinking at the start.
void Game::markHint() {
    if (hinted_.empty() || gameState != GameState::Playing) return;
    const int shownMs = kHintMs - hintLeftMs_;
    const bool dark = shownMs < kHintBlinkingMs && (shownMs / kHintBlinkMs) % 2 == 1;
    for (int c = 0; c < columns && c < kMaxColumns; ++c)
        for (int r = 0; r < rows && r < kMaxRows; ++r)
            if (Box* block = cells[c][r].get();
                block && std::find(hinted_.begin(), hinted_.end(), block) != hinted_.end())
                block->selected = !dark;
}

void Game::createHistoryButtons() {
    BitmapFont* font = screenHost() ? screenHost()->font() : nullptr;
    const std::pair<int, const char*> buttons[] = {{kUndoButtonId, kUndoButtonPicture},
                                                   {kRedoButtonId, kRedoButtonPicture}};
    for (const auto& [id, picture] : buttons) {
        auto button = std::make_unique<OTextStack>(font, id, false, 1.0f);
        button->setTexture(picture);
        button->addItem(0, " ");
        const float centre = id == kUndoButtonId ? kUndoButtonX : kRedoButtonX;
        button->setPosition(int16_t(centre - button->width() / 2.0f), kMenuButtonY);
        (id == kUndoButtonId ? undoButton_ : redoButton_) = button.get();
        addControl(button.release());
    }
    updateHistoryButtons();
}

void Game::updateHistoryButtons() {
    if (undoButton_) undoButton_->setEnabled(canUndo());
    if (redoButton_) redoButton_->setEnabled(canRedo());
}

void Game::drawPracticeMark(BitmapFont* font) const {
    if (!practice_ || !font) return;
    const std::string text = "Practice";
    font->setColour(1.0f, 0.75f, 0.3f, 1.0f);
    font->drawText(kPanelLeftX - font->textWidth(text) / 2.0f, kPracticeMarkY, text, true);
    font->setColour(1.0f, 1.0f, 1.0f, 1.0f);
}

// --- the finishing fill, shared by Classic and Remover --------------------------------------

// One score block into the first empty cell of rows 1 to rows - 2; false when none is left (or
// no score block can be made, which ends the fill the same way).
bool Game::placeScoreBlock(int elapsedMs) {
    for (int r = 1; r <= rows - 2; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (Box* block = blockAt(c, r)) {
                block->frameTime = elapsedMs;
                continue;
            }
            std::unique_ptr<Box> scoreBlock = prototypes().cloneBlock(BlockPrototypes::kScoreKey);
            if (!scoreBlock) return false;
            scoreBlock->frameTime = elapsedMs;
            placeBlock(c, r, std::move(scoreBlock));
            fillTimer = 0;
            addScore(1);
            if (c == columns - 1) awardFullRow(r);
            return true;
        }
    }
    return false;
}

void Game::awardFullRow(int row) {
    for (int c = 0; c < columns; ++c) {
        const Box* block = blockAt(c, row);
        if (!block || block->colour != Box::kNoColour) return;
    }
    SoundManager::instance().play(kSoundRowFilled, 0);
    addScore(kRowFilledPoints);
    const EffectRegistry* registry = effectRegistry();
    if (!registry) return;
    std::unique_ptr<KvBaseBound> sign = registry->create(EffectRegistry::kBonus100);
    if (!sign) return;
    sign->position = blockAt(columns - 1, row)->position() + kRowBonusRise;
    sign->start();
    EffectList::instance().add(std::move(sign));
}

// --- snapshot ----------------------------------------------------------------------------------

void Game::settleForSnapshot() {
    SnapshotKeeper::settle(*this);
}

GameSnapshot Game::captureSnapshot() const {
    return SnapshotKeeper::capture(*this);
}

void Game::restoreSnapshot(const GameSnapshot& snapshot) {
    SnapshotKeeper::restore(*this, snapshot);
}

bool Game::fitsSnapshot(const GameSnapshot& snapshot, std::string* why) const {
    return SnapshotKeeper::fits(*this, snapshot, why);
}

void Game::trailTiming(int* elapsedMs, int* intervalMs) {
    *elapsedMs = gTrailElapsedMs;
    *intervalMs = gTrailIntervalMs;
}

void Game::setTrailTiming(int elapsedMs, int intervalMs) {
    gTrailElapsedMs = elapsedMs;
    gTrailIntervalMs = intervalMs;
}

void Game::captureModeState(GameSnapshot& /*snapshot*/) const {}

void Game::restoreModeState(const GameSnapshot& /*snapshot*/) {}

void Game::settleModeState() {}

}  // namespace brx
