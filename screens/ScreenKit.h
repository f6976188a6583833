// Small pieces the options, help and credits screens share: reaching the application that
// holds a screen, the skinned push buttons, the 2D set-up over the 800 x 600 virtual space and
// the Escape test.
#pragma once

#include <memory>
#include <string>

#include "engine/InputEvent.h"
#include "shell/ScreenId.h"

namespace brx {

class BitmapFont;
class ORenderWindow;
class OTextStack;
class ScreenHost;

// Sample ids of the interface sounds every screen control plays.
constexpr int kHoverSound = 1;
constexpr int kClickSound = 2;
// Scale of the text on buttons and check boxes.
constexpr float kButtonTextScale = 0.75f;

// The application the screen was added to, else the process-wide one; null in neither case.
ScreenHost* hostOf(const ORenderWindow& screen);
// The application's font, or null.
BitmapFont* fontOf(const ORenderWindow& screen);
// Asks the application to switch to another screen; false when there is none to ask.
bool switchScreen(const ORenderWindow& screen, ScreenId id);

// A push button on a two-row skin, at (x, y), with the interface sounds.
std::unique_ptr<OTextStack> makeButton(BitmapFont* font, int commandId, const std::string& skin,
                                       int x, int y);
// The Done button of the information screens: "Interface/Done.Tga" at (475, 20).
std::unique_ptr<OTextStack> makeDoneButton(BitmapFont* font, int commandId);

// The full-window picture of a Background setting: 0 "Nature.Jpg", 1 "Space.Jpg",
// 2 "Dune.Jpg"; other values give the first.
std::string backgroundPicture(int background);

// Orthographic 800 x 600 projection over the screen's window, lighting and depth test off.
void beginScreen2D(const ORenderWindow& screen);

// True for a key press of Escape.
inline bool isEscapePress(const InputEvent& event) {
    return event.type == kInputKeyDown && event.key == kKeyEscape;
}

}  // namespace brx
