#include "game/PauseState.h"

namespace brx {

void PauseState::pause(bool pausable) {
    if (pausable) paused_ = true;
}

bool PauseState::isPauseKey(const InputEvent& event) {
    return event.type == kInputKeyDown && (event.flags & kFlagControl) == 0 &&
           (event.key == kPauseLetter || event.key == kPauseKey);
}

bool PauseState::take(const InputEvent& event, bool pausable) {
    if (!paused_) {
        if (!isPauseKey(event) || !pausable) return false;
        paused_ = true;
        return true;
    }
    if (event.type == kInputPointerMove) return false;
    if (event.type == kInputKeyDown && event.key == kKeyEscape) {
        paused_ = false;
        return false;
    }
    if (isPauseKey(event) || event.type == kInputButtonDown) paused_ = false;
    return true;
}

}  // namespace brx
