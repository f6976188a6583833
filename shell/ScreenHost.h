// The part of the application a screen may call: switching screens, the shared font and camera,
// the blinking pulse and the window. OApplication implements it and registers itself as the
// process-wide host, so screens and tests need not pull in the whole shell.
#pragma once

#include <vector>

#include "shell/ScreenId.h"

namespace brx {

class BitmapFont;
class OCamera;
class ORenderWindow;

class ScreenHost {
public:
    virtual ~ScreenHost() = default;

    // Appends the screen (once), hands it the window size and camera, then runs its init().
    virtual void addScreen(ORenderWindow* screen) = 0;
    // Takes the screen out of the list without deleting it; null when it was not listed.
    virtual ORenderWindow* removeScreen(ORenderWindow* screen) = 0;
    // Switches to the first screen with this id: deactivates the current one, activates the new.
    // Asked for during a frame (update, draw) or an event, the switch happens once that frame or
    // event has unwound, so the asking screen may be deleted by the next one. False when no
    // screen has the id.
    virtual bool setActiveScreen(ScreenId id) = 0;
    // Takes the screen out of the list (deactivating it when it is the active one) and deletes
    // it, once the current frame or event has unwound; at once when none runs.
    virtual void retireScreen(ORenderWindow* screen) = 0;
    // Ends the main loop after the current frame.
    virtual void quit() = 0;
    // Every screen, in the order added.
    virtual const std::vector<ORenderWindow*>& screens() const = 0;
    // Full screen on or off in the display mode of the settings, by re-creating the window.
    // False when the new window could not be made: the run then ends.
    virtual bool setFullScreen(bool on) = 0;
    // The blinking value, oscillating between 0.5 and 1.25.
    virtual double pulse() const = 0;
    // The one bitmap font; null when it could not be built.
    virtual BitmapFont* font() const = 0;
    // The camera shared by all screens.
    virtual OCamera* camera() const = 0;
    // Client size of the window in pixels.
    virtual int windowWidth() const = 0;
    virtual int windowHeight() const = 0;
    // Re-creates window and context after a display-mode change, restoring GL resources.
    virtual void recreateWindow() = 0;
};

// The process-wide host; null until the application registers itself.
ScreenHost* screenHost();
// Registers (or, with null, forgets) the process-wide host.
void setScreenHost(ScreenHost* host);

}  // namespace brx
