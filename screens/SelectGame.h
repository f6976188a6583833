// Game selection: one picture button per mode, a puzzle-level chooser with Start and Random,
// and Done back to the menu. Choosing a mode deletes the previous game, builds the new one as
// screen 202 on the chosen background, adds it and switches to it.
//
// Design note: after each activation pointer input is ignored until the button that opened the
// screen is released (its release and the moves while it is held never land on a mode button);
// a move with no button held or a new press ends the wait at once. Keys are never ignored.
// The puzzle list starts on the remembered puzzle and then keeps whatever the player stepped it
// to, visit after visit; with no puzzles in the level file the puzzle buttons do nothing.
#pragma once

#include "screens/TextLayout.h"
#include "shell/ORenderWindow.h"

namespace brx {

class Game;
class OControl;
class OTextStack;

class SelectGame : public ORenderWindow {
public:
    static constexpr int kRemoverId = 1000;
    static constexpr int kClassicId = 1001;
    static constexpr int kStrategyId = 1002;
    static constexpr int kPuzzleId = 1003;
    static constexpr int kAdvancedId = 1004;
    static constexpr int kModernId = 1005;
    static constexpr int kDoneId = 100;
    static constexpr int kLevelListId = 4000;
    static constexpr int kStartId = 4001;
    static constexpr int kRandomId = 4002;
    static constexpr int kLevelArrowsId = 10;

    // Reads the number of puzzles from the level file of the archive; forgets any game.
    SelectGame();
    ~SelectGame() override;

    // Reseeds the random generator and waits for the opening button's release.
    void activate() override;
    // Background, buttons, the side lines and the logo.
    void draw() override;
    // The mode buttons, Done, the puzzle list with its arrows, Start and Random.
    bool init() override;
    // Still unless a control animates.
    bool isAnimating() const override;
    // Buttons and the puzzle list only: nothing here moves or appears by time.
    bool changesOnlyOnInput() const override { return true; }
    // Ignores the opening click's remains; Escape returns to the menu.
    bool onEvent(const InputEvent& event) override;
    // Starts the mode of a button or goes back. Always true.
    bool onCommand(int controlId, int value) override;

    int puzzleCount() const { return puzzleCount_; }
    // The mode button the pointer rests on or the keyboard focus is on; null when none.
    const OControl* describedModeButton() const;
    // What a mode button's mode is and how it ends, placed in the margin level with it.
    std::vector<TextLine> descriptionLines(const OControl* button) const;
    // The puzzle chosen last (0-based); the list starts on it.
    static int lastPuzzle;

private:
    void addModeButtons();
    void addPuzzleChooser();
    void startGame(int controlId);
    // The puzzle (1-based) a puzzle button asks for; 0 when there is none to play.
    int chosenPuzzle(int controlId) const;
    void retireCurrentGame();
    void drawModeDescription() const;

    int puzzleCount_ = 0;
    OTextStack* levelList_ = nullptr;
    // Whether this pointer event still belongs to the click that opened the screen.
    bool swallowsPointer(const InputEvent& event);

    bool swallowing_ = false;
};

}  // namespace brx
