// What a UI control needs from the screen that owns it: somewhere to report changes, the window
// size for mapping pointer pixels into the 800 x 600 control space, and the shared camera for
// the 2D set-up. Screens (app/ORenderWindow) implement it; keeping it here lets the controls
// live in engine/ without knowing about the application.
#pragma once

#include <cstdint>

namespace brx {

class OCamera;

class ControlOwner {
public:
    virtual ~ControlOwner() = default;

    // Told by a control that the user pressed or changed it; the answer becomes the result of
    // the control's handleEvent.
    virtual bool onCommand(int controlId, int value) = 0;
    // Client size of the window in pixels.
    virtual int16_t windowWidth() const = 0;
    virtual int16_t windowHeight() const = 0;
    // The application's shared camera, or null before the screen is added.
    virtual OCamera* camera() const = 0;
};

}  // namespace brx
