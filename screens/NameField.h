// The text field the high-score screen asks for the player's name with: it takes only the
// characters the font can draw and the score table can store, and it answers from the first key on
// (a plain text field lets the event that opened it go by unseen; this one opens on a screen
// switch, where every later event is the player's own).
#pragma once

#include <string>

#include "engine/OTextField.h"

namespace brx {

class NameField : public OTextField {
public:
    NameField(BitmapFont* font, const std::string& text, int controlId);

    // Characters past the font's drawable range, and "_" (the table's stand-in for a space),
    // are consumed and dropped; the rest as a text field.
    bool handleEvent(const InputEvent& event) override;
};

}  // namespace brx
