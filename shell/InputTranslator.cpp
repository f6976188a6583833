#include "shell/InputTranslator.h"

namespace brx {

static_assert(int(platform::kStateLeftButton) == int(kFlagLeftButton) &&
                  int(platform::kStateRightButton) == int(kFlagRightButton) &&
                  int(platform::kStateShift) == int(kFlagShift) &&
                  int(platform::kStateControl) == int(kFlagControl) &&
                  int(platform::kStateMiddleButton) == int(kFlagMiddleButton) &&
                  int(platform::kStateRepeat) == int(kFlagRepeat),
              "pointer flags travel unchanged from the platform");

InputTranslator& InputTranslator::instance() {
    static InputTranslator translator;
    return translator;
}

void InputTranslator::track(const platform::Event& message, InputEvent* out) {
    out->flags = message.state;
    out->x = int16_t(message.x);
    out->y = int16_t(message.y);
    out->dx = int16_t(out->x - lastX_);
    out->dy = int16_t(out->y - lastY_);
    lastX_ = out->x;
    lastY_ = out->y;
}

bool InputTranslator::translate(const platform::Event& message, InputEvent* out) {
    InputEvent event;
    switch (message.type) {
        case platform::EventType::keyDown:
            event.type = kInputKeyDown;
            break;
        case platform::EventType::keyUp:
            event.type = kInputKeyUp;
            break;
        case platform::EventType::character:
            event.type = kInputCharacter;
            break;
        case platform::EventType::pointerMove:
            event.type = kInputPointerMove;
            break;
        case platform::EventType::buttonDown:
            event.type = kInputButtonDown;
            break;
        case platform::EventType::buttonUp:
            event.type = kInputButtonUp;
            break;
        default:
            return false;
    }
    if (event.type == kInputKeyDown || event.type == kInputKeyUp || event.type == kInputCharacter) {
        event.key = uint16_t(message.key);
        event.flags = uint16_t(message.state & (platform::kStateShift | platform::kStateControl |
                                                platform::kStateRepeat));
        event.x = lastX_;
        event.y = lastY_;
    } else {
        track(message, &event);
        if (event.type != kInputPointerMove) {
            event.button = message.button;
            event.dx = event.dy = 0;
        }
    }
    *out = event;
    return true;
}

}  // namespace brx
