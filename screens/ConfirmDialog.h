// The "End current game?" question of the options screen: a translucent panel with OK and
// Cancel. While it is closed its buttons wait off-screen and hidden; while it is open every
// other control of the screen is made invisible, so the two buttons are all that take input.
#pragma once

#include "engine/TextureRef.h"

namespace brx {

class BitmapFont;
class ORenderWindow;
class OTextStack;

class ConfirmDialog {
public:
    static constexpr int kOkCommand = 654;
    static constexpr int kCancelCommand = 655;
    static constexpr const char* kQuestion = "End current game?";

    // Creates both buttons (closed) and the panel, and adds the buttons to the screen, which
    // owns them from then on.
    void create(ORenderWindow& screen, BitmapFont* font);
    // Shows the question: the buttons in place, every other control of the screen invisible.
    void open();
    // Sends the buttons off-screen and hidden and makes the other controls visible again.
    void close();
    bool isOpen() const { return open_; }

    // The panel, the question and both buttons over whatever was drawn (2D set up).
    void draw() const;

    const OTextStack* okButton() const { return ok_; }
    const OTextStack* cancelButton() const { return cancel_; }

private:
    void setOthersVisible(bool on) const;
    void placeButtons();

    ORenderWindow* screen_ = nullptr;
    BitmapFont* font_ = nullptr;
    OTextStack* ok_ = nullptr;      // owned by the screen
    OTextStack* cancel_ = nullptr;  // owned by the screen
    TextureRef panel_;
    bool open_ = false;
};

}  // namespace brx
