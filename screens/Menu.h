// The main menu: the first screen after start-up and the hub every other screen returns to. A
// column of seven picture buttons continues the running game, starts a new one, opens the
// options, high scores, help and credits, or ends the program. Becoming active switches the
// music to the menu playlist.
#pragma once

#include "engine/TextureRef.h"
#include "shell/ORenderWindow.h"

namespace brx {

class Menu : public ORenderWindow {
public:
    static constexpr int kExitId = 100;
    static constexpr int kOptionsId = 101;
    static constexpr int kCreditsId = 102;
    static constexpr int kNewGameId = 103;
    static constexpr int kContinueId = 104;
    static constexpr int kHelpId = 105;
    static constexpr int kScoreId = 107;

    Menu();
    ~Menu() override;

    // Pauses every sound and continues the menu music where it stopped.
    void activate() override;
    // Background, buttons, the side lines, the title picture and the logo.
    void draw() override;
    // The seven buttons, top to bottom.
    bool init() override;
    // Still unless a control animates.
    bool isAnimating() const override;
    // Escape does nothing here (it is consumed); F1 opens the help.
    bool onEvent(const InputEvent& event) override;
    // The buttons' actions; Continue only while a game exists. Always true.
    bool onCommand(int controlId, int value) override;

private:
    TextureRef title_;
};

}  // namespace brx
