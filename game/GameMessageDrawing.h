// Draws the messages of a running game in the 800 x 600 interface space, centred over the board
// below the middle of the screen (the end pictures stand above it), each in its own opacity.
#pragma once

namespace brx {

class BitmapFont;
class GameMessages;

// Where the first (oldest) message stands and how far apart they are (virtual units).
constexpr float kMessageFirstY = 236.0f;
constexpr float kMessageLineStep = 34.0f;
constexpr float kMessageScale = 1.0f;

// Draws every standing message; expects the 2D projection set. Leaves the font colour white.
void drawGameMessages(const GameMessages& messages, BitmapFont& font);

}  // namespace brx
