// The menu screens play the menu playlist; the games play their own.
#pragma once

namespace brx {

// Makes the menu playlist current and continues it where it was stopped (from its start the
// first time). Nothing plays while the music is off.
void resumeMenuMusic();

}  // namespace brx
