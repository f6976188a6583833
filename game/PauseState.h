// Whether a running game stands still, and what one input event does about it.
//
// Design note: a paused game's clock stops entirely. The game tells the application through
// ORenderWindow::isPaused, and the application then neither updates it nor counts it as
// animating: no line rises, no timer, effect or fall runs, and nothing is drawn again until the
// picture must be (a pause, a resume, an uncovered window). The music is not the game's clock
// and plays on. Leaving the window (focus lost, minimised) pauses the same way, and only the
// player resumes: P, the Pause key or a click, which then does nothing else.
#pragma once

#include <cstdint>

#include "engine/InputEvent.h"

namespace brx {

class PauseState {
public:
    static constexpr uint16_t kPauseLetter = 'P';
    static constexpr uint16_t kPauseKey = 19;  // the keyboard's Pause key
    // The picture that hides the board while the game stands still.
    static constexpr const char* kPicture = "Paused.Tga";

    bool paused() const { return paused_; }
    // Stops the clock (when pausable: a game that is neither over nor leaving).
    void pause(bool pausable);
    void resume() { paused_ = false; }

    // Takes one input event; true when it is consumed here. Playing: P or Pause (without
    // Control) pauses a pausable game. Paused: P, Pause or a button press resumes; Escape
    // resumes and goes on (the game then leaves as ever); pointer moves go on (the hover is
    // right on resuming); every other event is swallowed.
    bool take(const InputEvent& event, bool pausable);

private:
    static bool isPauseKey(const InputEvent& event);

    bool paused_ = false;
};

}  // namespace brx
