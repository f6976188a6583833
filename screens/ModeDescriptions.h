// What each game mode is and how it ends, in the players' words, and where game selection shows
// it: in the margin right of the side line, level with the mode button it describes, so it never
// covers a control whatever size the buttons have.
#pragma once

#include <string>
#include <vector>

#include "screens/TextLayout.h"

namespace brx {

class BitmapFont;

class ModeDescriptions {
public:
    // The margin the text stands in (virtual x) and its size.
    static constexpr float kLeft = 658.0f;
    static constexpr float kRight = 790.0f;
    static constexpr float kScale = 0.55f;
    static constexpr float kLineStep = 14.0f;

    // The description of a mode button's (or a puzzle start button's) command id; empty for any
    // other id.
    static std::string text(int commandId);
    // The description wrapped into the margin, its lines centred on the height of a button that
    // spans buttonBottom to buttonTop (virtual y).
    static std::vector<TextLine> layout(int commandId, float buttonBottom, float buttonTop,
                                        const BitmapFont& font);
};

}  // namespace brx
