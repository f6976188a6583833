// The credits screen: the lines of "Data/Credits.Kv" roll up the screen, fading in at the
// bottom and out at the top, and the screen returns to the main menu once the last line has
// left (or at once when there is nothing to show). Done and Escape return early; every visit
// starts the roll from the beginning.
#pragma once

#include "screens/CreditsScroll.h"
#include "shell/ORenderWindow.h"

namespace brx {

class OTextStack;

class Credits : public ORenderWindow {
public:
    static constexpr int kDoneCommand = 100;
    static constexpr const char* kCreditsFile = "Data/Credits.Kv";

    Credits();
    ~Credits() override;

    // Restarts the roll from the bottom.
    void activate() override;
    // Lines, red side lines, logo and the Done button.
    void draw() override;
    // Rolls the lines on; leaves for the menu when they are done.
    void update(int elapsedMs) override;
    // Creates Done and reads the credits file (a missing file leaves no lines).
    bool init() override;
    // Escape leaves for the menu.
    bool onEvent(const InputEvent& event) override;
    // Done leaves for the menu.
    bool onCommand(int controlId, int value) override;

    const CreditsScroll& scroll() const { return scroll_; }

private:
    void drawLines() const;
    void leave();
    CreditsScroll::TextWidth textWidth() const;

    CreditsScroll scroll_;
};

}  // namespace brx
