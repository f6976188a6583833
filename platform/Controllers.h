// Game controllers inside the backend (SDL's game-controller support): pads plugged in or out
// at any time, their buttons, D-pad and left stick turned into the key events the keyboard
// makes, so nothing above the platform knows a controller from a keyboard.
#pragma once

#include <SDL.h>

#include "platform/Platform.h"

namespace platform {

// Starts the controller subsystem (pads already plugged in announce themselves as events).
// False when SDL has none; the game then simply hears no pads.
bool openControllerSupport();
// Closes every pad and stops the subsystem.
void closeControllerSupport();
// Fills *out from a controller event (plugging, buttons, stick); false when it makes no key.
bool translateController(const SDL_Event& in, Event* out);
// A repeated arrow key of a held D-pad direction or stick, once it is due at nowMs.
bool takeControllerRepeat(double nowMs, Event* out);

}  // namespace platform
