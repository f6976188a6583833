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
#include "game/BoardHooks.h"
#include "game/GameVariables.h"
#include "objects/BlockPrototypes.h"
#include "objects/Box.h"
#include "objects/EffectRegistry.h"
#include "objects/KvModel.h"
#include "objects/SymbolDecal.h"
#include "shell/ORenderWindow.h"

namespace brx {

class Game : public ORenderWindow, public BoardHooks {
public:
    static constexpr int kMaxColumns = Board::kMaxColumns;
    static constexpr int kMaxRows = Board::kMaxRows;
    static constexpr int kMenuButtonId = 9513;
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
    // Score text points at or below this many blocks are created out of view.
    static constexpr int kQuietGroupSize = 9;

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
    // Mouse buttons click, pointer moves are remembered, Esc leaves, Space shakes.
    bool onEvent(const InputEvent& event) override;
    // The menu button leaves the game. Always true.
    bool onCommand(int controlId, int value) override;
    // Still only while the game is played and nothing on it moves: no block falls, slides or
    // turns, nothing flies, no effect, trail, score text or shake runs, no control animates.
    bool isAnimating() const override;

    // --- operations of a game, in their fixed order --------------------------------------------
    // The board's blocks (selected ones highlighted) and the board model.
    virtual void drawBoard();
    // Fills the board for a new game or level; empty here.
    virtual void newBoard();
    // Runs after every mouse-button press, clicked or not; nothing here.
    virtual void afterClick();
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

    int hoverColour = 0;
    int mouseX = 0;  // window pixels
    int mouseY = 0;
    // The options screen may change the board's look while this is set (Puzzle clears it).
    bool optionsSensitive = true;

    int levelIndex = 0;  // 0-based
    int linesLeft = 0;   // line modes
    int linesTotal = 0;  // lines of this level
    double cameraDistance = kCameraDistance;

protected:
    // --- pieces of the shared drawing, for modes that draw their own way ---------------------
    // Steps 1 to 3: clear, camera with the shake, board lighting.
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
    void restartGameMusic();
    bool requestLeave();
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
    void runRandomSpin();
    void placeCamera();
    void fireBonus(Board::Cell cell);
    void addScoreText(int n);
    void launchSelected();
    float rowLightOffset(int row) const;
    void drawSelectedBlocks();
    void drawCentredPicture(const TextureRef& picture) const;

    TextureRef skin_;
    SymbolDecal symbols_;
    bool leaving_ = false;           // a screen switch has been asked for
    bool fillSoundRunning_ = false;  // between startFillSound and stopFillSound
};

}  // namespace brx
