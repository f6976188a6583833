// Turns the platform's window messages into the InputEvents screens and controls consume, and
// keeps the last pointer position that key events report and pointer moves measure from.
#pragma once

#include "engine/InputEvent.h"
#include "platform/Platform.h"

namespace brx {

class InputTranslator {
public:
    // The translator the application's window uses.
    static InputTranslator& instance();

    // Fills *out from an input message; false (out untouched) for messages that make no event.
    bool translate(const platform::Event& message, InputEvent* out);

    // Pointer position of the latest pointer message (client pixels, y downwards).
    int16_t lastX() const { return lastX_; }
    int16_t lastY() const { return lastY_; }

private:
    void track(const platform::Event& message, InputEvent* out);

    int16_t lastX_ = 0;
    int16_t lastY_ = 0;
};

}  // namespace brx
