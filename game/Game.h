// The screen a game is played on and the base of the six game modes. It owns the board, the
// block prototypes, the flying blocks, the camera and the intro and outro; it runs the rules
// all modes share and the state machine from intro to game over. The modes override the
// virtual operations below to fill the board, add lines and decide when a level is won or lost.
//
// Design note: the rules live in Board (no GL) and Game forwards to it; Game adds what needs the
// screen: picking through its camera, sound, drawing and the screen switches. A switch asked for
// from inside update, draw, an event or a control's handler goes through the host's deferred
// setActiveScreen, so the high-score screen may delete the game once that code has unwound.
// Members the modes and the bonus blocks read and write are public or protected by name; the
// board's grids are references into the board so that `cells[c][r]` reads as everywhere else.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/OCamera.h"
#include "engine/TextureRef.h"
#include "engine/Vector3.h"
#include "game/Board.h"
#include "game/BoardCursor.h"
#include "game/BoardHooks.h"
#include "game/GameMessages.h"
#include "game/GameNotice.h"
#include "game/GameSnapshot.h"
#include "game/GameVariables.h"
#include "game/PauseState.h"
#include "game/ResumeFile.h"
#include "game/UndoHistory.h"
#include "objects/BlockPrototypes.h"
#include "objects/Box.h"
#include "objects/EffectRegistry.h"
#include "objects/KvModel.h"
#include "objects/SymbolDecal.h"
#include "shell/ORenderWindow.h"

namespace brx {

class OTextStack;

class Game : public ORenderWindow, public BoardHooks {
    friend class SnapshotKeeper;  // reads and writes the whole state for a snapshot

public:
    static constexpr int kMaxColumns = Board::kMaxColumns;
    static constexpr int kMaxRows = Board::kMaxRows;
    static constexpr int kMenuButtonId = 9513;
    static constexpr int kUndoButtonId = 9514;
    static constexpr int kRedoButtonId = 9515;
    // Sounds the rules play.
    static constexpr int kSoundRemoved = 100;       // a group or a bonus went
    static constexpr int kSoundGroupChanged = 101;  // the pointer moved onto another group
    static constexpr int kSoundLinePushed = 102;
    static constexpr int kSoundRowFilled = 103;  // finishing fill: a full row, +100
    static constexpr int kRowFilledPoints = 100;
    static constexpr int kSoundFillLoop = 104;  // looping during the finishing fill
    static constexpr int kSoundNextBlock = 105;
    static constexpr int kSoundFewLinesLeft = 109;
    // Camera distance from the board (units).
    static constexpr double kCameraDistance = 22.0;
    static constexpr double kWideCameraDistance = 25.0;  // on Impossible
    static constexpr float kFieldOfViewDegrees = 45.0f;
    static constexpr float kNearPlane = 1.0f;
    static constexpr float kFarPlane = 256.0f;
    // Camera shake: its length (ms) and phase speed (rad per ms).
    static constexpr int kShakeMs = 500;
    static constexpr double kShakePhasePerMs = 0.025;
    // The background behind the board is drawn at this share of its brightness.
    static constexpr float kBackdropBrightness = 0.3f;
    // Score text points at or below this many blocks are created out of view.
    static constexpr int kQuietGroupSize = 9;
    // A hint lights its group this long (ms), blinking every kHintBlinkMs while fresh.
    static constexpr int kHintMs = 2400;
    static constexpr int kHintBlinkingMs = 1200;
    static constexpr int kHintBlinkMs = 150;
    // The game's own keys (virtual-key codes): H a hint, Ctrl+Z undo, Ctrl+Y or Ctrl+Shift+Z redo.
    static constexpr uint16_t kKeyHint = 'H';
    static constexpr uint16_t kKeyUndo = 'Z';
    static constexpr uint16_t kKeyRedo = 'Y';
    static constexpr const char* kNoSolutionText = "No solution from here: undo";
    static constexpr const char* kNoHintText = "No hint found";
    static constexpr const char* kPracticeText = "Practice game: this result will not be filed";

    // Base construction: board size from the difficulty, tuning from "Data/Difficult.Cfg" and
    // "Data/Effects.Cfg", pictures and the board model. Needs the resource archive (and GL for
    // the pictures, which stay empty without a context).
    Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // --- operations of a screen, in their fixed order ------------------------------------------
    // Releases everything the game holds and stops the sounds it started.
    ~Game() override;
    // Starts the intro.
    void activate() override;
    // Starts the outro (Esc and the menu button call it too).
    void deactivate() override;
    // The shared game drawing: board, flying blocks, effects, score texts, pictures, side panel.
    void draw() override;
    // The per-frame rules shared by every mode; modes call it inside their own update.
    void update(int elapsedMs) override;
    // Builds the screen's resources (prototypes, effects, camera, tray, menu button) and calls
    // newBoard(); true on success.
    bool init() override;
    // Mouse buttons click, pointer moves are remembered (and hide the board cursor), Esc
    // leaves, Space shakes; the arrows move the board cursor, Enter clicks its block, N takes
    // the next line, Ctrl+N goes to game selection.
    bool onEvent(const InputEvent& event) override;
    // The game's buttons answer their own keys; the arrows and Enter belong to the board.
    bool offersKeyboardFocus() const override { return false; }
    // The menu button leaves the game. Always true.
    bool onCommand(int controlId, int value) override;
    // Still only while the game is played and nothing on it moves: no block falls, slides or
    // turns, nothing flies, no effect, trail, score text or shake runs, no control animates.
    bool isAnimating() const override;
    // Only a block turning by itself or the trail moves.
    bool animatesOnlyDecoration() const override;
    // --- pausing (PauseState): P or Pause, a lost focus; P or a click resumes -------------------
    bool isPaused() const override { return pauseState.paused(); }
    // The background, the side panel and the "Paused" picture; the board stays hidden.
    void drawPaused() override;
    void loseFocus() override;
    bool interceptEvent(const InputEvent& event) override;
    // Neither over nor on its way out.
    bool canPause() const;

    // --- operations of a game, in their fixed order --------------------------------------------
    // The board's resting blocks and the board model, the dimmed background behind them, then
    // the selected blocks highlighted and the symbols.
    virtual void drawBoard();
    // Fills the board for a new game or level; empty here.
    virtual void newBoard();
    // Runs after every mouse-button press, clicked or not; nothing here.
    virtual void afterClick();
    // What a click on the tray does (the N key asks for it too); nothing here.
    virtual void takeNextLine();
    // True when the game is lost (and the state set accordingly); false here.
    virtual bool checkEnd();
    // The side panel: level, lines left, score and the points of the hovered group.
    virtual void drawHud();
    // x = column + 0.5 - columns / 2, y = rows / 2 - row - 0.5, z = 0.
    Vector3 cellPosition(int column, int row) const override;
    // The close-up of the right half, from column q outward; returns where the pass goes on.
    int closeUpRight(int column) override;
    // The close-up of the left half, from column q outward; returns where the pass goes on.
    int closeUpLeft(int column) override;
    // True when the column holds no block or its lowest block is fixed.
    bool columnIsOpen(int column) override;
    // Called every frame in LevelComplete; nothing here.
    virtual void levelCompleteTick();
    // Drawn while the level-complete picture shows; nothing here.
    virtual void drawLevelComplete();
    // Kept free for later use; nothing here.
    virtual void spareHook();
    // gameState := LevelComplete, resumeState := LevelComplete.
    virtual void levelDone();
    // Lines of the level with index n: 6n + 25.
    virtual int linesForLevel(int n) const;
    // The mode number the score tables file results under; -1 for the bare base.
    virtual int modeNumber() const;
    // The level number the side panel shows (the puzzle number in Puzzle): levelIndex + 1 here.
    virtual int levelNumber() const;

    // --- rules shared by the modes -----------------------------------------------------------
    // Destroys every block on the board and empties the grid and the selection.
    void clearBoard();
    // A plain block of a random colour for the difficulty (1 to 3 with firstThree).
    std::unique_ptr<Box> newBlock(bool firstThree);
    // True when a block on the board falls or slides.
    bool anyMoving() const;
    // Removes the selected group (or fires a single bonus); true when a group went.
    bool click();
    // Lets every block above a gap fall.
    void fall();
    // The group rule for the block at (column, row); the size of the new selection. Plays the
    // hover sound when the pointer moved onto another removable group.
    int hover(int column, int row, int colour);
    // Appends the group of colour around (column, row) to the selection.
    void floodFill(int column, int row, int colour);
    // colourGrid := every cell's colour, -1 where empty.
    void snapshotColours();
    // Points for a group of n blocks (0 below minGroup; groups above 97 score as 97).
    static int groupScore(int n);
    // One close-up pass toward the middle (the CloseUp step).
    void closeUp();
    // Picks the block under the pointer through the camera and updates the selection and the
    // highlight (the hover step of update).
    void updateHover();
    // Puts a block into a cell at its position, resting, owned by the board from then on.
    void placeBlock(int column, int row, std::unique_ptr<Box> block);
    // The block in a cell, or null.
    Box* blockAt(int column, int row) const { return board.at(column, row); }

    // --- hints and practice games ------------------------------------------------------------
    // Hints in Puzzle: the next click of a solution; elsewhere the group that scores most.
    // Handled like a click: only in play and while nothing moves. Marks the game as practice.
    void showHint();
    // The blocks the last hint lights (none once its time is up).
    const std::vector<const Box*>& hintedBlocks() const { return hinted_; }
    // A practice game (undo or a hint was used) is played to its end but not filed.
    bool isPractice() const { return practice_; }
    // Marks the game as practice; the first time, one line on screen says so.
    void markPractice();
    const GameNotice& notice() const { return notice_; }

    // --- undo and redo -----------------------------------------------------------------------
    // Takes back the last move (a removal or a tray click) with everything that followed it;
    // redoes the last move taken back. Like a click they act only in play while nothing moves
    // (a stuck puzzle may also be taken back while its end picture shows). Either makes the
    // game practice. False when refused or there is nothing to do.
    bool undoMove();
    bool redoMove();
    // A step exists and the game may act on it now (the buttons grey out otherwise).
    bool canUndo() const;
    bool canRedo() const;
    // Remembers the state before a move, when the game is in play and at rest.
    void recordMove();
    const UndoHistory& history() const { return history_; }
    // The history as a section of the resume file, kept beside the game's snapshot.
    ResumeSection historySection() const;
    // Takes the history from the sections of a resume file read back; false (and the history
    // left empty) when there is no such section or it is damaged.
    bool restoreHistory(const std::vector<ResumeSection>& sections);

    // --- snapshot: resume and taking moves back ------------------------------------------------
    // Brings everything in motion to rest so that the game is fully described by a snapshot:
    // flying blocks, effects, score texts, the trail and the shake end, falls and slides (and
    // a close-up while playing) complete, a spin ends, the selection is dropped, and a step
    // between two boards is taken. An intro or outro in progress stays recorded.
    void settleForSnapshot();
    // The game's state as a plain value (settle first for a well-defined one).
    GameSnapshot captureSnapshot() const;
    // Puts a snapshot of a game of the same mode back: board, next line, counters, timers, the
    // game variables and the random generator. Anything in motion is dropped first.
    void restoreSnapshot(const GameSnapshot& snapshot);
    // True when a snapshot can be restored into this game: same mode and board size, and
    // what the mode adds (see the overrides); otherwise false with the reason in why.
    virtual bool fitsSnapshot(const GameSnapshot& snapshot, std::string* why) const;
    // The run-wide timer of the decorative trail and its interval (-1 before the first draw).
    static void trailTiming(int* elapsedMs, int* intervalMs);
    static void setTrailTiming(int elapsedMs, int intervalMs);

    // --- for the bonus blocks and the modes --------------------------------------------------
    int score() const { return score_; }
    void addScore(int points) { score_ += points; }
    // Launches the block in a cell off the board (score + 1); nothing for an empty cell.
    void launchBlock(int column, int row);
    // Hands a block to the flying list (its selection flag is cleared).
    void addFlying(std::unique_ptr<Box> block);
    const std::vector<std::unique_ptr<Box>>& flyingBlocks() const { return flying; }
    // Starts the camera shake (or restarts a running one).
    void startShake();
    bool shaking() const { return shaking_; }
    // The effect prototypes; null before init().
    const EffectRegistry* effectRegistry() const { return effects.get(); }
    const BlockPrototypes& prototypes() const { return blockPrototypes; }
    // The game's own camera; null before init().
    OCamera* gameCamera() const { return ownCamera.get(); }
    // Stops every sound the game started (the fill loop among them).
    void stopGameSounds();
    // Leaves the game for a screen: sounds stopped, then the host's deferred switch.
    void leaveTo(ScreenId screen);
    // The looping sound of the finishing fill: started once (music paused) however often this
    // is called, even when no channel was free; stopFillSound resumes the music and stops it.
    // The destructor stops it too.
    void startFillSound();
    void stopFillSound();
    bool fillSoundRunning() const { return fillSoundRunning_; }
    // Intro or outro progress, 0 to 1 (1 when the duration is 0 or less).
    double introProgress() const;
    bool closing() const { return closing_; }

    // The board and its grids (references into board).
    Board board;
    Board::Grid& cells = board.cells;
    Board::IntGrid& colourGrid = board.colourGrid;
    Board::IntGrid& closeGrid = board.closeGrid;
    Board::Selection& selection = board.selection;
    Board::Selection& previousSelection = board.previousSelection;
    int& centreLeft = board.centreLeft;
    int& lastColumn = board.lastColumn;

    // The keyboard's cell on the board; while it shows it picks the group instead of the pointer.
    BoardCursor boardCursor;
    int hoverColour = 0;
    int mouseX = 0;  // window pixels
    int mouseY = 0;
    // The options screen may change the board's look while this is set (Puzzle clears it).
    bool optionsSensitive = true;

    int levelIndex = 0;  // 0-based
    int linesLeft = 0;   // line modes
    int linesTotal = 0;  // lines of this level
    double cameraDistance = kCameraDistance;
    // What just happened, shown over the board for a moment.
    GameMessages messages;

protected:
    // The game's own keys (hint, undo, redo); true when the key was one of them.
    bool handleGameKey(const InputEvent& event);
    // What a mode adds to a snapshot, puts back from one, and settles; nothing here.
    virtual void captureModeState(GameSnapshot& snapshot) const;
    virtual void restoreModeState(const GameSnapshot& snapshot);
    virtual void settleModeState();

    // --- pieces of the shared drawing, for modes that draw their own way ---------------------
    // Steps 1 to 3: clear, camera with the shake, board lighting (the dimmed background comes
    // in drawBoard, behind the opaque board).
    void beginScene();
    // Step 4: drawBoard() as the state wants it (with the intro transform in Intro and Outro);
    // then drawAfterBoard() outside the intro and outro.
    void drawBoardForState();
    // Something a mode draws right after the board outside the intro and outro (the next
    // line); nothing here.
    virtual void drawAfterBoard();
    // Step 5: flying blocks, the trail, the effects and the score texts.
    void drawFlyingAndEffects();
    // Step 6: the game-over or level-complete picture with drawLevelComplete() before the
    // picture, or after it when levelCompleteOverPicture is set.
    void drawStatePicture(bool levelCompleteOverPicture);
    // The board lighting with the light raised by offset units.
    void setBoardLighting(float offset) const;
    // The dimmed background behind what the board drew (part of drawBoard).
    void drawBackdrop();
    // Binds the block skin of the setting "SkinIndex" (loaded on first use or after a change).
    void bindSkin();
    // With the setting "SymbolsOnBlocks" on, each block's symbol over its front face, in one
    // pass: forEachBlock(draw) calls draw(const Box&) for every block meant.
    template <typename ForEachBlock>
    void drawSymbols(ForEachBlock forEachBlock) {
        if (!SymbolDecal::wanted() || !symbols_.begin()) return;
        forEachBlock([this](const Box& block) { symbols_.drawOn(block); });
        symbols_.end();
    }
    // The side panel with these numbers; lines < 0 shows "-".
    void drawSidePanel(int levelNumber, int lines, int points);
    // The standing messages over the board, in the interface space.
    void drawMessages();
    // "Practice" under the left panel of a practice game.
    void drawPracticeMark(BitmapFont* font) const;
    // The finishing fill: one score block into the first empty cell of rows 1 to rows - 2
    // (false when none is left); a row of score blocks only brings the sound, 100 points and
    // the rising sign.
    bool placeScoreBlock(int elapsedMs);
    void awardFullRow(int row);

    // The score texts advance and the trail moves on; the line modes call it first in update.
    void updateScoreTextsAndTrail(int elapsedMs);
    // Builds both prototype maps; the bonus map through bonusBuilder when one is set.
    void setupPrototypes();
    // (Re)loads the board model and the tray model for the current columns x rows (a mode that
    // changes the board size in its constructor calls loadBoardModel again).
    void loadBoardModel();
    void loadTrayModel();

    // Set by a mode's constructor when its board holds bonus blocks: fills the bonus map.
    BlockPrototypes::BonusBuilder bonusBuilder;
    BlockPrototypes blockPrototypes;
    std::unique_ptr<EffectRegistry> effects;
    std::vector<std::unique_ptr<Box>> flying;

    int score_ = 0;
    // Line modes: speed table (ms between next-line blocks by level) and bonus spacing.
    std::vector<int> speedTable;
    std::vector<int> bonusSpacingTable;
    int blocksSinceBonus = 0;
    int nextBonusAfter = 0;
    int lastBonusKind = 0;

    // Random spin: time to the next one and its bounds (ms).
    int spinTimer = 0;
    int spinLower = 0;
    int spinUpper = 0;
    // Finishing fill (and Puzzle's level-complete timer): elapsed ms and the mode's step.
    int fillTimer = 0;
    int fillStep = 0;
    // Time spent in GameOver and how long it lasts before the high-score screen (ms).
    int gameOverTimer = 0;
    int gameOverTime = 0;
    // Channel of the looping fill sound, -1 when none. The destructor stops it.
    int levelSoundChannel = -1;

    // Intro and outro: the board moves from `fromPosition` to `toPosition` and tilts about X.
    Vector3 fromPosition;
    Vector3 toPosition;
    float fromAngle = 0.0f;  // degrees
    float toAngle = 0.0f;
    int introDuration = 0;  // ms
    int introElapsed = 0;   // ms
    bool closing_ = false;  // the outro runs; Esc and the menu button do nothing more

    bool shaking_ = false;
    int shakeTime = 0;        // ms
    double shakePhase = 0.0;  // rad

    std::unique_ptr<OCamera> ownCamera;
    std::unique_ptr<KvModel> boardModel;
    std::unique_ptr<KvModel> trayModel;  // below the board, where the next line builds up
    TextureRef gameOverPicture;
    TextureRef levelCompletePicture;
    TextureRef infoPicture;

private:
    // Loads a picture; a missing one is logged by the loader and left empty.
    static void loadPicture(TextureRef& picture, const char* name, bool mipmaps = false);
    void readDifficultTuning();
    void readEffectTuning();
    void readIntroKeys(bool reversed);
    int boardModelIndex() const;
    void createMenuButton();
    // The undo and redo buttons, side by side under the right panel.
    void createHistoryButtons();
    // Greys each of the two buttons while there is nothing for it to do.
    void updateHistoryButtons();
    void restartGameMusic();
    bool requestLeave();
    bool onBoardKey(const InputEvent& event);
    // Enter: a click on the cursor's block, as the pointer's click on it would be.
    void clickAtCursor();
    // The group under the board cursor becomes the selection (the hover step for the keyboard).
    void hoverCursorCell();
    void drawBoardCursor() const;
    // update() without the check for a changed picture.
    void updateRules(int elapsedMs);
    void updateShake(int elapsedMs);
    void updateTrailTimer(int elapsedMs);
    void updatePlaying(int elapsedMs);
    bool introFinished() const;
    void finishIntroOrOutro();
    void updateFlying(int elapsedMs);
    void updateListener();
    bool anyBlockTurning() const;
    // Something other than the decoration moves (see animatesOnlyDecoration), or the game is
    // not in play.
    bool movesBeyondDecoration() const;
    void runRandomSpin();
    void placeCamera();
    void fireBonus(Board::Cell cell);
    void addScoreText(int n);
    void launchSelected();
    float rowLightOffset(int row) const;
    void drawSelectedBlocks();
    void drawCentredPicture(const TextureRef& picture) const;

    // The history may act now: in play and at rest, or a stuck puzzle's end picture.
    bool historyMayAct() const;
    // After a step back or forward: practice, no hint, the new board drawn.
    void afterHistoryStep();
    // The hint's blocks light as on hover and blink while the hint is fresh.
    void markHint();
    void updateHint(int elapsedMs);

    TextureRef skin_;
    PauseState pauseState;
    TextureRef pausedPicture;
    GameNotice notice_;
    UndoHistory history_;
    std::vector<const Box*> hinted_;
    int hintLeftMs_ = 0;
    bool practice_ = false;
    OTextStack* undoButton_ = nullptr;  // owned by the screen's controls
    OTextStack* redoButton_ = nullptr;
    SymbolDecal symbols_;
    bool leaving_ = false;           // a screen switch has been asked for
    bool fillSoundRunning_ = false;  // between startFillSound and stopFillSound
};

}  // namespace brx
