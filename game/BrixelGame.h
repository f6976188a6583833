// Classic: the board starts with four rows at the bottom; a next line builds up below it one
// block at a time and is pushed in when complete, every column rising by one row. A level
// lasts a number of lines; then the empty board fills with score blocks and the next level
// starts faster. A push while a column reaches the top row ends the game. Bonuses arrive in
// the next line after a random number of plain blocks. Base of the other line modes.
//
// Design note: row 0 lies above the visible board as the overflow row (cells sit one row
// higher than in the base class). Tuning tables are read once; every look-up clamps to the
// last entry or falls back to a logged default, so short or missing tables never index past
// their end.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "game/Game.h"

namespace brx {

class BrixelGame : public Game {
public:
    static constexpr int kFirstRows = 4;      // rows filled at the start of a level
    static constexpr int kFillStepMs = 35;    // between two score blocks of the finishing fill
    static constexpr int kFewLinesLeft = 3;   // the warning sound plays at this many lines
    static constexpr int kSpeedEntries = 10;  // speed table entries the pace uses
    static constexpr int kDefaultSpeedMs = 1000;
    static constexpr int kDefaultBonusSpacing = 50;
    static constexpr int kRepeatDraws = 3;         // draws for a bonus kind unlike the last one
    static constexpr float kNextLineDrop = 0.75f;  // next line below the bottom row (units)

    BrixelGame();
    ~BrixelGame() override;

    // The shared game drawing with the next line below the board.
    void draw() override;
    // Score texts and trail, the shared rules, then the next line, game over, the finishing
    // fill and the step to the next level.
    void update(int elapsedMs) override;
    // Empties the next line and the board, then fills the four bottom rows with colours 1 to 3.
    void newBoard() override;
    // A click on the tray completes the next line at once, whatever the state.
    void afterClick() override;
    // Fills the free places of the next line (in play only).
    void takeNextLine() override;
    // True (and the game over) when a block stands in row 1.
    bool checkEnd() override;
    // The side panel: level of this game, lines left, score, points of the hovered group.
    void drawHud() override;
    // One row higher than the base: row 0 is the overflow row above the board.
    Vector3 cellPosition(int column, int row) const override;
    // Once no line is left: LevelComplete and the next level's line count.
    void levelDone() override;
    int modeNumber() const override;
    // The level of this game, 1 for its first whatever the start level.
    int levelNumber() const override;

    // Prepares the next level's board; nothing here.
    virtual void startNextLevel();
    // Pushes the next line in from the bottom (unless the game is lost).
    virtual void pushLine();

    // Puts the next block (plain, or a bonus when one is due) into the first empty slot;
    // nothing when the line is full.
    void addNextBlock();
    // Completes the next line at once.
    void fillNextLine();
    // Empties the slots (their blocks are deleted) and restarts the block timer.
    void resetNextLine();
    // Deletes the blocks of the next line.
    void clearNextLine();
    // Draws the blocks of the next line in the block skin.
    void drawNextLine();
    // True when the pointer's ray meets the tray below the board.
    bool trayHit();

    // Milliseconds between two next-line blocks for the level and lines left.
    int nextBlockInterval();
    // World position of next-line slot i.
    Vector3 slotPosition(int slot) const;
    // The block in slot i, or null.
    Box* slotBlock(int slot) const;
    // Slots holding a block.
    int filledSlots() const;
    // A clone of the bonus prototype kind, or a plain block when there is none.
    std::unique_ptr<Box> makeBonus(int kind);

    int nextBlockTimer = 0;  // ms since the last next-line block
    int speedPick = 0;       // 7 or 8 from level index 9 on

protected:
    // Reads the bonus weights under weightKey into the chooser and the bonus spacing table.
    void readBonusTuning(const std::string& weightKey, const std::string& spacingKey);
    // Speed table entry i, clamped to the table (a logged default when it is empty).
    int speedAt(int i) const;
    // Bonus spacing for the difficulty, clamped to the table (a logged default when empty).
    int bonusSpacing() const;
    // Puts a block into slot i at its position.
    void putInSlot(int slot, std::unique_ptr<Box> block);
    // Logs tuning tables too short for the pace and the bonus spacing.
    void checkTables() const;
    // Draws the kind of the next bonus (kNone is turned into a plain block by makeBonus).
    int drawBonusKind();
    // The danger rule: a bonus comes sooner while the stacks stand high.
    void pickNextBonusSpacing();
    // Forgets the selection (the blocks it named have moved).
    void dropSelection();

    // The next line, drawn right after the board.
    void drawAfterBoard() override;
    // The next line and its timers travel with a snapshot.
    void captureModeState(GameSnapshot& snapshot) const override;
    void restoreModeState(const GameSnapshot& snapshot) override;

    std::array<std::unique_ptr<Box>, kMaxColumns> nextLine;

private:
    void updatePlaying(int elapsedMs);
    void updateGameOver(int elapsedMs);
    void runFinishingFill(int elapsedMs);
    void finishFill();
    void clearUpperRows();
    void shiftRowsUp();
};

}  // namespace brx
