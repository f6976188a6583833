// The main menu: the first screen after start-up and the hub every other screen returns to. A
// column of seven picture buttons continues the running game, starts a new one, opens the
// options, high scores, help and credits, or ends the program. Becoming active switches the
// music to the menu playlist.
#pragma once

#include <string>
#include <vector>

#include "engine/TextureRef.h"
#include "shell/ORenderWindow.h"

namespace brx {

class OTextStack;

class Menu : public ORenderWindow {
public:
    static constexpr int kExitId = 100;
    static constexpr int kOptionsId = 101;
    static constexpr int kCreditsId = 102;
    static constexpr int kNewGameId = 103;
    static constexpr int kContinueId = 104;
    static constexpr int kHelpId = 105;
    static constexpr int kScoreId = 107;
    static constexpr const char* kInvitation = "New here? Help explains the modes and blocks.";

    // Set on the very first start (no settings file was found): the menu then invites the
    // player to Help, until Help is opened.
    static bool invitePlayer;

    Menu();
    ~Menu() override;

    // The pictures the menu shows of its own (buttons, title, logo), for start-up to decode
    // ahead; the background and overlay are the caller's.
    static std::vector<std::string> textureNames();

    // Pauses every sound and continues the menu music where it stopped.
    void activate() override;
    // Background, buttons, the side lines, the title picture and the logo.
    void draw() override;
    // The seven buttons, top to bottom.
    bool init() override;
    // Base behaviour; Continue follows a game that appears or goes meanwhile.
    void update(int elapsedMs) override;
    // Still unless a control animates.
    bool isAnimating() const override;
    // Buttons only: nothing here moves or appears by time.
    bool changesOnlyOnInput() const override { return true; }
    // Escape does nothing here (it is consumed); F1 opens the help.
    bool onEvent(const InputEvent& event) override;
    // The buttons' actions; Continue only while a game of this run exists or a saved one
    // waits (it is loaded then). Always true.
    bool onCommand(int controlId, int value) override;

private:
    void drawInvitation() const;
    // Continue is dimmed while there is no game to return to: none of this run and no saved
    // one (the file is looked at when the menu shows).
    void refreshContinue();
    void enableContinue();

    TextureRef title_;
    OTextStack* continue_ = nullptr;  // owned by the screen
    bool savedGameWaiting_ = false;
};

}  // namespace brx
